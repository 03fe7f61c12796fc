#include "live_test_support.h"

#include "live/live_messages.h"
#include "live/live_poller.h"
#include "live/poll_plan.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>

using namespace live_test;

TEST(PollPlan, RequestsCoverTheRegistersWithoutGapsAndAtMost125Words) {
    struct row {
        const char* what;
        std::vector<register_span> spans;
        std::vector<poll_request> requests;
    };
    std::vector<register_span> long_run, full_card;
    for (int i = 0; i < 200; ++i)
        long_run.push_back({40001 + i, 1});
    for (int i = 0; i < 655; ++i)
        full_card.push_back({40001 + 2 * i, 2});
    std::vector<poll_request> full_card_requests;
    for (int at = 0; at < 1310; at += 125)
        full_card_requests.push_back({at, std::min(125, 1310 - at)});
    const row rows[] = {
        {"touching registers", {{40001, 1}, {40002, 2}, {40004, 1}}, {{0, 4}}},
        {"a gap splits", {{40001, 1}, {40003, 1}}, {{0, 1}, {2, 1}}},
        {"list order does not matter", {{40010, 2}, {40001, 3}, {40004, 6}}, {{0, 11}}},
        {"125 words at most", long_run, {{0, 125}, {125, 75}}},
        {"a full card in ceil(1310 / 125) requests", full_card, full_card_requests},
        {"not addressable or no words",
         {{40000, 1}, {0, 2}, {105537, 1}, {105536, 2}, {40005, 0}, {105535, 1}},
         {{65534, 1}}},
        {"a register across the 125th word", {{40001, 124}, {40125, 2}}, {{0, 125}, {125, 1}}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        EXPECT_EQ(plan_reads(r.spans), r.requests);
    }
    EXPECT_EQ(full_card_requests.size(), 11u);
}

namespace {

// A card in memory: answers from its words, or with the failure set for an address.
class fake_link : public host_link {
  public:
    void open(open_handler done) override {
        opened_ = refuse_.empty();
        done(refuse_);
    }
    void close() override { opened_ = false; }
    bool is_open() const override { return opened_; }
    std::string target() const override { return "card:502"; }
    void read(int address, int count, reply_handler done) override {
        ++requests;
        if (auto f = failures.find(address); f != failures.end()) {
            done(f->second);
            return;
        }
        link_reply reply;
        for (int a = address; a < address + count; ++a)
            reply.words.push_back(words.count(a) ? words[a] : 0);
        if (short_answer.count(address))
            reply.words.pop_back();
        done(reply);
    }
    void write(int, std::vector<std::uint16_t>, reply_handler done) override { done({}); }

    std::map<int, std::uint16_t> words;
    std::map<int, link_reply> failures;
    std::set<int> short_answer;
    std::string refuse_;
    int requests = 0;

  private:
    bool opened_ = false;
};

std::vector<live_register> registers(const std::vector<const char*>& entries) {
    std::vector<live_register> out;
    for (auto entry : entries) {
        live_register r;
        r.layout = layout(entry);
        r.number = std::atoi(entry);
        out.push_back(r);
    }
    return out;
}

} // namespace

// Each register gets the outcome of the request that read its words: a failed, short or
// lost request gives an error for its registers only, never words from elsewhere.
TEST(LivePoller, EachRegisterGetsItsOwnRequestsOutcome) {
    fake_link link;
    link.words = {{0, 0xFFF9}, {3, 0x3F80}, {10, 0x1234}, {20, 0x0001}};
    link.failures[10] = {{}, "Illegal data address", false};
    link.short_answer = {20};
    live_poller poller(link, registers({
                                 "40001 0 1 0 0 0 F:1 Count",
                                 "40004 0 2 7 0 0 F:1 Massflow",
                                 "40011 0 1 0 0 0 F:1 Gone",
                                 "40021 0 1 0 0 0 F:1 Short",
                                 "40000 0 1 0 0 0 F:1 Below",
                                 "40031 0 1 7 0 0 F:1 Misfit",
                             }));
    poll_result result;
    ASSERT_TRUE(poller.poll([&](const poll_result& r) { result = r; }));
    ASSERT_EQ(result.readings.size(), 6u);
    EXPECT_EQ(result.readings[0].value, live_value::of_number(-7));
    EXPECT_EQ(result.readings[1].value, live_value::of_number(1));
    EXPECT_EQ(result.readings[1].raw, (std::vector<std::uint16_t>{0x3F80, 0}));
    EXPECT_EQ(result.readings[2].error, "Illegal data address");
    EXPECT_EQ(result.readings[3].error, "wrong number of registers in the answer");
    EXPECT_EQ(result.readings[4].error, live_messages::not_addressable);
    EXPECT_EQ(result.readings[5].error, live_messages::width_misfit);
    EXPECT_EQ(result.readings[5].raw, std::vector<std::uint16_t>{0});
    for (int i : {2, 3, 4}) {
        EXPECT_FALSE(result.readings[static_cast<std::size_t>(i)].value);
        EXPECT_TRUE(result.readings[static_cast<std::size_t>(i)].raw.empty());
    }
    EXPECT_FALSE(result.all_read());
    EXPECT_EQ(link.requests, 5); // 40000 is never asked for

    // A lost connection ends the round with the connection's message; the next round opens
    // the link again.
    link.failures[0] = {{}, "Connection reset", true};
    ASSERT_TRUE(poller.poll([&](const poll_result& r) { result = r; }));
    EXPECT_EQ(result.connection_error, "Could not connect to card:502: Connection reset");
    EXPECT_TRUE(result.readings.empty());
    link.close();
    link.refuse_ = "Connection refused";
    ASSERT_TRUE(poller.poll([&](const poll_result& r) { result = r; }));
    EXPECT_EQ(result.connection_error, "Could not connect to card:502: Connection refused");
}

// A card that lets two requests in a row go unanswered is not asked the rest of the round:
// every register from there on reads "No answer" at once, and the next round asks again from
// the start. One unanswered request alone (a garbled answer) does not end the round.
TEST(LivePoller, ASilentCardEndsTheRoundAtItsSecondUnansweredRequest) {
    fake_link link;
    const link_reply silent{{}, std::string(live_messages::no_answer), false};
    link.failures[0] = silent;
    link.failures[4] = silent;
    link.failures[6] = silent;
    live_poller poller(link, registers({
                                 "40001 0 1 0 0 0 F:1 Garbled",
                                 "40003 0 1 0 0 0 F:1 Read",
                                 "40005 0 1 0 0 0 F:1 Silent",
                                 "40007 0 1 0 0 0 F:1 Silent",
                                 "40009 0 1 0 0 0 F:1 Skipped",
                                 "40011 0 1 0 0 0 F:1 Skipped",
                             }));
    poll_result result;
    ASSERT_TRUE(poller.poll([&](const poll_result& r) { result = r; }));
    ASSERT_EQ(result.readings.size(), 6u);
    EXPECT_TRUE(result.readings[1].value);
    for (std::size_t i : {0u, 2u, 3u, 4u, 5u})
        EXPECT_EQ(result.readings[i].error, live_messages::no_answer) << i;
    EXPECT_EQ(link.requests, 4);
    link.failures.clear();
    ASSERT_TRUE(poller.poll([&](const poll_result& r) { result = r; }));
    EXPECT_TRUE(result.all_read());
    EXPECT_EQ(link.requests, 10);
}

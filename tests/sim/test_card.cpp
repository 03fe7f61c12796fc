// The card's own rules: fault options, frame reception with noise and bad check bytes, and
// the transcript format.

#include "link/frame.h"
#include "sim/card_faults.h"
#include "sim_test_support.h"

#include <gtest/gtest.h>

using namespace sim_test;

namespace {

std::vector<std::uint8_t> frame_of(const std::string& payload) {
    return build_frame(reinterpret_cast<const std::uint8_t*>(payload.data()), payload.size());
}

} // namespace

TEST(CardFaults, OptionParsing) {
    struct row {
        std::string option, value;
        bool ok;
        int number, count;
    };
    const row rows[] = {
        {"refuse", "3", true, 3, 1},      {"refuse", "3:12", true, 3, 12},
        {"silent", "7:2", true, 7, 2},    {"short", "2", true, 2, -1},
        {"short", "2:0", true, 2, 0},     {"garbage", "1", true, 1, 3},
        {"refuse", "0", false, 0, 0},     {"refuse", "3:", false, 0, 0},
        {"refuse", "x", false, 0, 0},     {"refuse", "3:-1", false, 0, 0},
        {"refuse", "3:1:2", false, 0, 0}, {"unknown", "1", false, 0, 0},
    };
    for (const auto& r : rows) {
        card_faults faults;
        std::string error;
        EXPECT_EQ(parse_card_fault(r.option, r.value, faults, error), r.ok)
            << r.option << " " << r.value;
        if (!r.ok) {
            EXPECT_FALSE(error.empty());
            continue;
        }
        std::vector<card_fault> all;
        for (auto* list : {&faults.refuse, &faults.silent, &faults.cut_short, &faults.garbage})
            all.insert(all.end(), list->begin(), list->end());
        ASSERT_EQ(all.size(), 1u);
        EXPECT_EQ(all[0].number, r.number);
        EXPECT_EQ(all[0].count, r.count);
    }
    card_faults faults;
    std::string error;
    EXPECT_TRUE(parse_card_fault("dead-after", "4", faults, error));
    EXPECT_EQ(faults.dead_after, 4);
    EXPECT_FALSE(parse_card_fault("dead-after", "0", faults, error));
}

TEST(Card, ReceptionNoiseBadChecksAndSplitFrames) {
    card_transcript transcript;
    ombra_card card({}, &transcript);
    std::vector<std::uint8_t> answer;
    // Noise before a frame, then a frame in single bytes.
    card.receive(std::vector<std::uint8_t>{0x00, 0x41, 0x03, 0xFF}, answer);
    for (auto b : frame_of("RDX Modbus protocol"))
        card.receive(std::vector<std::uint8_t>{b}, answer);
    EXPECT_EQ(answer, std::vector<std::uint8_t>{0x06});
    // A wrong check byte is refused and stores nothing.
    auto bad = frame_of("HREG");
    bad.back() ^= 0x01;
    answer.clear();
    card.receive(bad, answer);
    EXPECT_EQ(answer, std::vector<std::uint8_t>{ombra_card::nak});
    // A frame broken off by a new STX is forgotten; the new one counts.
    auto broken = frame_of("PLC_CHAN");
    broken.resize(4);
    auto end = frame_of("END");
    broken.insert(broken.end(), end.begin(), end.end());
    answer.clear();
    card.receive(broken, answer);
    EXPECT_EQ(answer, std::vector<std::uint8_t>{0x06});
    EXPECT_EQ(card.configuration(), std::vector<std::string>{"RDX Modbus protocol"});
    EXPECT_EQ(card.frames_accepted(), 2);

    // An endless frame is dropped without growing without bound or answering.
    answer.clear();
    std::vector<std::uint8_t> flood(ombra_card::max_payload + 100, 'A');
    flood.insert(flood.begin(), 0x02);
    card.receive(flood, answer);
    card.receive(frame_of("END"), answer);
    EXPECT_EQ(answer, std::vector<std::uint8_t>{0x06});

    const std::string text = transcript.text();
    EXPECT_NE(text.find(" rx 02 52 44 58 20"), std::string::npos) << text;
    EXPECT_NE(text.find(" tx 06\n"), std::string::npos);
    EXPECT_NE(text.find(" tx 15\n"), std::string::npos);
}

TEST(Card, ANewTransferReplacesWhatAnInterruptedOneLeft) {
    ombra_card card({});
    std::vector<std::uint8_t> answer;
    for (auto line : {"RDX Modbus protocol", "PLC_CHAN 1"}) // interrupted: no END
        card.receive(frame_of(line), answer);
    for (auto line : {"BLF Modbus protocol", "PLC_CHAN 2", "END"})
        card.receive(frame_of(line), answer);
    EXPECT_EQ(card.configuration(),
              (std::vector<std::string>{"BLF Modbus protocol", "PLC_CHAN 2"}));
    card.receive(frame_of("END"), answer); // a send with nothing in it
    EXPECT_TRUE(card.configuration().empty());
}

#include "live/live_writer.h"

#include "live/live_messages.h"
#include "live/poll_plan.h"
#include "live/value_rules.h"
#include "live/value_text.h"

#include <algorithm>
#include <memory>

namespace {

// The chunks of one write, sent one after another.
struct write_job : std::enable_shared_from_this<write_job> {
    host_link& link;
    int number;
    int address;
    std::vector<std::uint16_t> words;
    std::size_t sent = 0;
    std::function<void(write_outcome, std::string)> done;

    write_job(host_link& l, int n, int a, std::vector<std::uint16_t> w,
              std::function<void(write_outcome, std::string)> d)
        : link(l), number(n), address(a), words(std::move(w)), done(std::move(d)) {}

    void next() {
        if (sent == words.size()) {
            done(write_outcome::written, {});
            return;
        }
        auto count = std::min<std::size_t>(max_write_words, words.size() - sent);
        std::vector<std::uint16_t> chunk(words.begin() + static_cast<std::ptrdiff_t>(sent),
                                         words.begin() + static_cast<std::ptrdiff_t>(sent + count));
        auto self = shared_from_this();
        link.write(
            address + static_cast<int>(sent), std::move(chunk), [self, count](link_reply reply) {
                if (reply.connection_lost) {
                    self->done(write_outcome::connection_failed,
                               live_messages::could_not_connect(self->link.target(), reply.error));
                } else if (!reply.error.empty()) {
                    self->done(write_outcome::answered_with_error,
                               live_messages::register_note(self->number, reply.error));
                } else {
                    self->sent += count;
                    self->next();
                }
            });
    }
};

} // namespace

std::optional<std::vector<std::uint16_t>>
prepare_write(const live_register& reg, std::string_view typed, std::string& message) {
    const auto& layout = reg.layout;
    if (!holding_address(reg.number, layout.width())) {
        message = live_messages::register_note(reg.number, live_messages::not_addressable);
        return std::nullopt;
    }
    if (!layout.problem.empty()) {
        message = live_messages::register_note(reg.number, layout.problem);
        return std::nullopt;
    }
    if (!layout.writable()) {
        message = live_messages::read_only(reg.number);
        return std::nullopt;
    }
    auto value = parse_write_value(layout, typed, message);
    if (!value)
        return std::nullopt;
    return encode_value(layout, *value);
}

void send_write(host_link& link, const live_register& reg, std::vector<std::uint16_t> words,
                std::function<void(write_outcome, std::string message)> done) {
    auto address = holding_address(reg.number, reg.layout.width()).value_or(0);
    auto job =
        std::make_shared<write_job>(link, reg.number, address, std::move(words), std::move(done));
    if (link.is_open()) {
        job->next();
        return;
    }
    link.open([job](std::string reason) {
        if (!reason.empty())
            job->done(write_outcome::connection_failed,
                      live_messages::could_not_connect(job->link.target(), reason));
        else
            job->next();
    });
}

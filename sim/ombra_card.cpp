#include "sim/ombra_card.h"

#include "core/atomic_write.h"
#include "core/big_endian.h"
#include "core/stderr_ui.h"
#include "format/image_codec.h"
#include "format/map_text.h"
#include "model/zrp_file.h"
#include "sim/card_transcript.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace {

constexpr std::uint8_t stx = 0x02, etx = 0x03, ack = 0x06;
constexpr std::size_t header_size = 32, info_size = 128;

bool begins_with(std::string_view text, std::string_view word) {
    return text.substr(0, word.size()) == word;
}

// The check byte a frame carries: XOR of payload and ETX, 0 sent as 0xFF.
std::uint8_t check_byte(std::span<const std::uint8_t> payload) {
    std::uint8_t x = etx;
    for (auto b : payload)
        x ^= b;
    return x == 0 ? 0xFF : x;
}

// The count of an "ACK n" block request, or 0 when the payload is not one.
std::size_t block_request(std::string_view payload) {
    if (!begins_with(payload, "ACK "))
        return 0;
    auto digits = payload.substr(4);
    int n = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    if (ec != std::errc() || end != digits.data() + digits.size() || n < 1)
        return 0;
    return static_cast<std::size_t>(n);
}

bool is_device_line(std::string_view line) {
    for (auto word : {"BLF", "RDX", "WNT", "HQP"})
        if (begins_with(line, word))
            return true;
    return false;
}

} // namespace

ombra_card::ombra_card(card_options options, card_transcript* transcript)
    : options_(std::move(options)), transcript_(transcript),
      refuse_used_(options_.faults.refuse.size()), silent_used_(options_.faults.silent.size()) {}

void ombra_card::receive(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& answer) {
    for (auto b : bytes) {
        switch (rx_) {
        case rx_state::idle:
            // Bytes outside a frame (line noise) are ignored.
            if (b == stx) {
                frame_.assign(1, b);
                rx_ = rx_state::payload;
            }
            break;
        case rx_state::payload:
            if (b == stx) { // a new frame starts: the broken one is forgotten
                frame_.assign(1, b);
            } else if (frame_.size() > max_payload) {
                rx_ = rx_state::idle;
            } else {
                frame_.push_back(b);
                if (b == etx)
                    rx_ = rx_state::check;
            }
            break;
        case rx_state::check:
            frame_.push_back(b);
            rx_ = rx_state::idle;
            frame_complete(answer);
            break;
        }
    }
}

bool ombra_card::take_fault(std::vector<card_fault>& list, std::vector<int>& used, int number) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].number == number && used[i] < list[i].count) {
            ++used[i];
            return true;
        }
    }
    return false;
}

void ombra_card::frame_complete(std::vector<std::uint8_t>& answer) {
    if (transcript_)
        transcript_->received(frame_);
    auto& faults = options_.faults;
    if (faults.dead_after > 0 && accepted_ >= faults.dead_after)
        return;

    std::span<const std::uint8_t> payload(frame_.data() + 1, frame_.size() - 3);
    std::vector<std::uint8_t> reply;
    int number = accepted_ + 1;
    if (check_byte(payload) != frame_.back() || take_fault(faults.refuse, refuse_used_, number)) {
        reply.push_back(nak);
    } else if (take_fault(faults.silent, silent_used_, number)) {
        return;
    } else {
        ++accepted_;
        reply.push_back(ack);
        auto data = handle(std::string(payload.begin(), payload.end()));
        if (!data.empty()) {
            damage_answer(data);
            reply.insert(reply.end(), data.begin(), data.end());
        }
    }
    if (transcript_)
        transcript_->sent(reply);
    answer.insert(answer.end(), reply.begin(), reply.end());
}

void ombra_card::damage_answer(std::vector<std::uint8_t>& data) {
    int number = ++data_answers_;
    for (const auto& fault : options_.faults.cut_short) {
        if (fault.number != number)
            continue;
        std::size_t keep =
            fault.count >= 0 ? static_cast<std::size_t>(fault.count) : data.size() / 2;
        data.resize(std::min(keep, data.size()));
    }
    for (const auto& fault : options_.faults.garbage)
        if (fault.number == number)
            data.insert(data.begin(), static_cast<std::size_t>(fault.count), garbage_byte);
}

std::vector<std::uint8_t> ombra_card::handle(const std::string& payload) {
    if (payload == "EXTRACT_ZRP") {
        build_image();
        exchange_ = exchange::configuration;
        cursor_ = 0;
        return header_;
    }
    if (payload == "EXTRA_INFO") {
        if (exchange_ != exchange::configuration)
            build_image();
        return info_;
    }
    if (payload == "ERROR") {
        build_error_list();
        exchange_ = exchange::error_list;
        cursor_ = 0;
        return header_;
    }
    if (exchange_ != exchange::none) {
        if (auto n = block_request(payload)) {
            std::size_t take = std::min(n, data_.size() - cursor_);
            std::vector<std::uint8_t> block(data_.begin() + cursor_,
                                            data_.begin() + cursor_ + take);
            cursor_ += take;
            return block;
        }
        if (payload == "END") {
            exchange_ = exchange::none;
            return {};
        }
        // Anything else ends the extraction and starts a new configuration.
        exchange_ = exchange::none;
    }
    if (payload == "END")
        commit_configuration();
    else
        store_line(payload);
    return {};
}

void ombra_card::store_line(const std::string& line) {
    // A new transfer, or a device line (the first line of a map), starts a new configuration;
    // whatever an interrupted transfer left behind is dropped.
    if (!receiving_ || is_device_line(line))
        pending_.clear();
    receiving_ = true;
    pending_.push_back(line);
}

void ombra_card::set_configuration(std::vector<std::string> lines) {
    std::lock_guard lock(configuration_mutex_);
    configuration_ = std::move(lines);
    ++generation_;
}

std::uint64_t ombra_card::configuration_generation() const {
    std::lock_guard lock(configuration_mutex_);
    return generation_;
}

std::vector<std::string> ombra_card::configuration_copy(std::uint64_t& generation) const {
    std::lock_guard lock(configuration_mutex_);
    generation = generation_;
    return configuration_;
}

void ombra_card::commit_configuration() {
    if (!receiving_)
        pending_.clear();
    set_configuration(std::move(pending_));
    pending_.clear();
    receiving_ = false;
    if (options_.store_path.empty())
        return;
    std::string text;
    for (const auto& line : configuration_)
        text += line + '\n';
    store_error_.clear();
    atomic_write_file(options_.store_path, text, &store_error_);
}

void ombra_card::build_image() {
    std::vector<std::uint8_t> image;
    if (!configuration_.empty()) {
        std::string text;
        for (const auto& line : configuration_)
            text += line + '\n';
        std::istringstream in(text);
        // The card has nobody to tell about registers it leaves out but its console.
        stderr_ui console;
        zrp_file map;
        if (read_map(in, map, console))
            image = encode_image(map, options_.device_code);
    }
    if (image.size() < header_size + info_size) {
        // No configuration (or none the card could take): an image of its header alone.
        image.assign(header_size + info_size, 0);
        image[1] = header_size - 1;
    }
    header_.assign(image.begin(), image.begin() + header_size);
    info_.assign(image.begin() + header_size, image.begin() + header_size + info_size);
    std::size_t total = std::size_t(be16(image.data())) + 1;
    std::size_t area = total > header_size ? total - header_size : 0;
    auto first = image.begin() + header_size + info_size;
    data_.assign(first, first + std::min(area, image.size() - header_size - info_size));
}

void ombra_card::build_error_list() {
    data_.clear();
    std::uint16_t lines = 0;
    if (options_.error_text && !options_.error_text->empty()) {
        // The text travels with its terminating zero byte; the host replaces the last byte.
        const std::string& text = *options_.error_text;
        data_.assign(text.begin(), text.begin() + std::min<std::size_t>(text.size(), 65534));
        data_.push_back(0);
        lines = static_cast<std::uint16_t>(std::count(text.begin(), text.end(), '\n'));
    }
    byte_writer out;
    out.u16(static_cast<std::uint16_t>(data_.size()));
    out.u16(lines);
    header_ = out.data();
}

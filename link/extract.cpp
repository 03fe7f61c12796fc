#include "link/extract.h"

#include "core/big_endian.h"
#include "core/user_interface.h"
#include "link/CSerialHandler.h"
#include "link/link_state.h"
#include "link/transfer_link.h"
#include "link/transfer_messages.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Keywords at the start of the information block of block-mapped images, each compared with
// its terminating zero byte.
bool has_block_definitions(const image_info_block& info) {
    for (const char* keyword : {"ETHIP", "DEVICENET"})
        if (std::memcmp(info.data(), keyword, std::strlen(keyword) + 1) == 0)
            return true;
    return false;
}

int block_count(int bytes) {
    return (bytes + extract_block_size - 1) / extract_block_size;
}

// One request of an exchange: the frame, sent with up to `calls` calls of send_frame while
// the card refuses it. Bytes already waiting before it, or a garbled answer, fail the request
// at once: they are not the card's answer to it, and sending the frame again could make the
// card answer twice.
bool request(CSerialHandler& handler, std::string_view payload, int calls) {
    if (handler.input_waiting())
        return false;
    return send_frame_calls(handler, payload, calls, true) == frame_answer::accepted;
}

// The data of an answer: exactly n bytes, and nothing after them.
bool receive_exactly(CSerialHandler& handler, std::uint8_t* data, std::size_t n) {
    return handler.receive(data, n) == n && !handler.input_waiting();
}

// The information block. A short one is taken (the rest left zero) only when every byte that
// came is zero: such a block carries nothing. A block that did not come at all, came short
// with settings in it, or with bytes after it, fails.
bool receive_information(CSerialHandler& handler, image_info_block& info) {
    const std::size_t got = handler.receive(info.data(), info.size());
    if (got == 0 || handler.input_waiting())
        return false;
    return got == info.size() ||
           std::all_of(info.begin(), info.begin() + static_cast<std::ptrdiff_t>(got),
                       [](std::uint8_t b) { return b == 0; });
}

// "END" closes an exchange; the card's answer to it is its ACK alone, and nothing may come
// after it within the quiet time (a late answer to a repeated request would show up here).
bool end_exchange(const link_state& link, CSerialHandler& handler) {
    return request(handler, "END", 1) && !handler.input_waiting(link.timing().exchange_quiet_ms);
}

// Fetches `total` bytes in blocks, each requested with "ACK n"; advances the progress
// display by one per block. False as soon as a request is refused or a block is not exactly
// the bytes asked for.
bool fetch_blocks(CSerialHandler& handler, int total, std::vector<std::uint8_t>& out) {
    out.clear();
    out.reserve(static_cast<std::size_t>(total));
    std::uint8_t block[extract_block_size];
    int position = 0;
    for (int remaining = total; remaining > 0;) {
        int n = remaining < extract_block_size ? remaining : extract_block_size;
        if (!request(handler, "ACK " + std::to_string(n), 1))
            return false;
        if (!receive_exactly(handler, block, static_cast<std::size_t>(n)))
            return false;
        out.insert(out.end(), block, block + n);
        handler.ui().progress().set_position(++position);
        remaining -= n;
    }
    return true;
}

// The progress window of an extraction: shown once the link is open, so that the wait for the
// card's first answer can be seen and cancelled; its range is set when the size is known.
// Closed on every way out.
struct progress_guard {
    progress_display& progress;
    explicit progress_guard(progress_display& p) : progress(p) {
        progress.open(progress_title, 0, 0);
    }
    ~progress_guard() { progress.close(); }
};

bool open_extraction_link(const link_state& link, CSerialHandler& handler, int read_timeout_ms) {
    if (!open_transfer_link(link, handler))
        return false;
    handler.set_timeout(read_timeout_ms);
    return true;
}

// A failed exchange shows its message, unless the user cancelled it: then nothing is said.
template <typename result_t> struct failure {
    const transfer_session& session;
    result_t operator()(const char* text) const {
        if (!session.cancel.cancelled())
            session.ui.message(text);
        return result_t{};
    }
};

} // namespace

bool check_image_sizes(int size, int records, const image_info_block& info) {
    return check_image_sizes(size, records, info, ui());
}

bool check_image_sizes(int size, int records, const image_info_block& info,
                       user_interface& shown_to) {
    int allowance = has_block_definitions(info) ? block_definition_allowance : 0;
    // 64-bit products: a hostile record count must not overflow the comparison.
    long long max_area = static_cast<long long>(records) * max_record_size;
    long long min_area = static_cast<long long>(records) * min_record_size;
    if (max_area < static_cast<long long>(size) - allowance) {
        shown_to.message(image_too_large_message(size, records, max_record_size));
        return false;
    }
    if (size < min_area) {
        shown_to.message(image_too_small_message(size, records, min_record_size));
        return false;
    }
    if (records > max_records) {
        shown_to.message(too_many_records_message(records, max_records));
        return false;
    }
    return true;
}

std::unique_ptr<zrp_file> extract_configuration(const link_state& link, int device_code,
                                                int read_timeout_ms) {
    const cancel_token never;
    return extract_configuration(link, device_code, transfer_session{ui(), never}, read_timeout_ms);
}

std::unique_ptr<zrp_file> extract_configuration(const link_state& link, int device_code,
                                                const transfer_session& session,
                                                int read_timeout_ms) {
    CSerialHandler handler(link, session.ui, &session.cancel);
    if (!open_extraction_link(link, handler, read_timeout_ms))
        return nullptr;
    progress_guard progress(session.ui.progress());
    const failure<std::unique_ptr<zrp_file>> failed{session};

    if (!request(handler, "EXTRACT_ZRP", 2))
        return failed(msg_not_extracted);
    image_header header{};
    if (!receive_exactly(handler, header.data(), header.size()))
        return failed(msg_not_extracted);
    int total = be16(header.data()) + 1;
    if (total == static_cast<int>(header.size()))
        return failed(msg_zrp_not_present);
    int records = be16(header.data() + 30);
    int size = total - static_cast<int>(header.size());

    image_info_block info{};
    if (device_code != 2) { // a WNT image carries no information block
        if (!request(handler, "EXTRA_INFO", 1) || !receive_information(handler, info))
            return failed(msg_not_extracted);
    }
    if (!check_image_sizes(size, records, info, session.ui))
        return nullptr;

    progress.progress.set_range(0, block_count(size));
    std::vector<std::uint8_t> area;
    if (!fetch_blocks(handler, size, area) || !end_exchange(link, handler))
        return failed(msg_not_extracted);

    auto map = std::make_unique<zrp_file>();
    byte_reader reader(area);
    if (!map->decode_image(header, reader, info, device_code))
        return failed(msg_parse_error);
    return map;
}

std::optional<std::string> extract_error_list(const link_state& link, int read_timeout_ms) {
    const cancel_token never;
    return extract_error_list(link, transfer_session{ui(), never}, read_timeout_ms);
}

std::optional<std::string>
extract_error_list(const link_state& link, const transfer_session& session, int read_timeout_ms) {
    CSerialHandler handler(link, session.ui, &session.cancel);
    if (!open_extraction_link(link, handler, read_timeout_ms))
        return std::nullopt;
    progress_guard progress(session.ui.progress());
    const failure<std::optional<std::string>> failed{session};

    if (!request(handler, "ERROR", 2))
        return failed(msg_error_list_not_extracted);
    std::uint8_t header[4] = {};
    if (!receive_exactly(handler, header, sizeof header))
        return failed(msg_error_list_not_extracted);
    int length = be16(header);
    if (length == 0)
        return failed(msg_no_errors);

    progress.progress.set_range(0, block_count(length));
    std::vector<std::uint8_t> text;
    if (!fetch_blocks(handler, length, text) || !end_exchange(link, handler))
        return failed(msg_not_extracted);

    // The card's text ends with a zero byte; the last byte is always taken as that end.
    text.back() = 0;
    return std::string(reinterpret_cast<const char*>(text.data()));
}

#include "link/send_text.h"

#include "core/input_file.h"
#include "core/silent_ui.h"
#include "core/text_lines.h"
#include "core/user_interface.h"
#include "format/map_loading.h"
#include "link/CSerialHandler.h"
#include "link/line_filter.h"
#include "link/link_state.h"
#include "link/transfer_link.h"
#include "link/transfer_messages.h"
#include "model/zrp_file.h"

#include <sstream>

namespace {

// Reads the next line of at most max_send_line characters. A longer line is shown to the
// user and ends the transfer: sending part of a map and calling it complete would leave the
// card with a configuration nobody asked for.
enum class next_line { ok, end, too_long };

next_line read_send_line(user_interface& ui, std::istream& in, std::string& line,
                         int& line_number) {
    auto status = read_line(in, line, max_send_line + 1);
    if (status == line_status::end)
        return next_line::end;
    ++line_number;
    if (status == line_status::truncated || line.size() > max_send_line) {
        ui.message(line_too_long_message(line_number, line));
        return next_line::too_long;
    }
    return next_line::ok;
}

// The header line the card would wait for in vain when it is sent text: the line filter, run
// over the whole text, must pass the PLC_CHAN, REGMAX, NODENUM and HREG lines, or the card gets
// no configuration (and "END" would leave it empty). Null when they are all there.
const char* missing_configuration_line(const std::string& text) {
    std::istringstream in(text);
    line_filter filter;
    std::string line;
    while (filter.state() < 5 && read_line(in, line, max_send_line + 1) != line_status::end)
        filter.filter(line);
    switch (filter.state()) {
    case 0:
    case 1:
        return "PLC_CHAN";
    case 2:
        return "REGMAX";
    case 3:
        return "NODENUM";
    case 4:
        return "HREG";
    default:
        return nullptr;
    }
}

// Closes the progress display on every way out of the transfer.
struct progress_guard {
    progress_display& progress;
    ~progress_guard() { progress.close(); }
};

// The end of a send that stopped after frames went out: its own message, then what the card
// may hold now.
bool stopped(const transfer_session& session, const char* message) {
    if (session.cancel.cancelled()) {
        session.ui.message(msg_send_cancelled);
    } else {
        session.ui.message(message);
        session.ui.message(msg_partial_map);
    }
    return false;
}

} // namespace

bool send_text(const link_state& link, std::istream& in, const transfer_session& session) {
    user_interface& ui = session.ui;
    CSerialHandler handler(link, ui, &session.cancel);
    if (!open_transfer_link(link, handler))
        return false;

    auto& progress = ui.progress();
    progress.open(progress_title, 0, 0);
    progress_guard close_progress{progress};

    // Counting pass: sizes the progress bar and refuses a map with an over-long line before
    // the card sees any of it.
    line_filter filter;
    std::string line;
    int line_number = 0, to_send = 0;
    next_line next;
    while ((next = read_send_line(ui, in, line, line_number)) == next_line::ok)
        if (filter.filter(line) == line_filter::verdict::send)
            ++to_send;
    if (next == next_line::too_long)
        return false;
    progress.set_range(0, to_send);

    in.clear();
    in.seekg(0);
    if (!in) {
        ui.message(msg_file_not_opened);
        return false;
    }

    filter.reset();
    line_number = 0;
    int sent = 0;
    while ((next = read_send_line(ui, in, line, line_number)) == next_line::ok) {
        int state = filter.state();
        if (filter.filter(line) == line_filter::verdict::skip)
            continue;
        progress.set_position(++sent);
        if (state == 5 && filter.pause_pending()) {
            link.timing().sleep(register_pause_ms, session.cancel);
            filter.clear_pause();
        }
        if (!send_frame_retrying(handler, line, send_calls_per_frame))
            return stopped(session, msg_line_not_acknowledged);
    }
    if (next == next_line::too_long)
        return false;

    if (!send_frame_retrying(handler, "END", send_calls_per_frame))
        return stopped(session, msg_not_sent);
    ui.message(msg_send_complete);
    return true;
}

bool send_text(const link_state& link, std::istream& in) {
    const cancel_token never;
    return send_text(link, in, transfer_session{link.ui(), never});
}

std::optional<send_file_contents> load_send_file(const std::string& path, user_interface& ui) {
    std::string text;
    const file_read_result read = read_regular_file(path, text);
    if (read != file_read_result::ok) {
        ui.detailed_message(msg_file_not_opened, path + ": " + read_failure_reason(path, read));
        return std::nullopt;
    }
    if (const char* missing = missing_configuration_line(text)) {
        // Said as the reader would say it when the reader refuses the text too (a binary file
        // is "not text" before it lacks a PLC_CHAN line); its messages are not shown for a
        // file that is refused anyway.
        silent_ui quiet;
        loaded_map_file load = load_map_from_text(text, quiet);
        if (load.report.failure.empty())
            load.report.failure = std::string("no ") + missing + " line";
        ui.detailed_message(msg_map_not_loaded, load_failure_detail(load, path));
        return std::nullopt;
    }
    loaded_map_file load = load_map_from_text(std::move(text), ui);
    if (!load.map) {
        show_load_failure(load, path, ui);
        return std::nullopt;
    }
    return send_file_contents{std::move(load.text), std::move(load.map),
                              std::move(load.report.unread_lines)};
}

bool send_file(const link_state& link, const std::string& path) {
    auto file = load_send_file(path, link.ui());
    if (!file)
        return false;
    std::istringstream in(file->text);
    return send_text(link, in);
}

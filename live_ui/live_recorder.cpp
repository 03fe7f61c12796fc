#include "live_ui/live_recorder.h"

#include "live/reading_text.h"

#include <cerrno>
#include <cstring>

live_recorder::~live_recorder() {
    close();
}

bool live_recorder::open(const std::string& path, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "Could not record to " + path + ": " + std::strerror(errno);
        return false; // a recording under way goes on
    }
    close();
    file_ = file;
    path_ = path;
    rounds_ = 0;
    return put(reading_csv_header(true), error);
}

void live_recorder::close() {
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
}

bool live_recorder::put(const std::string& text, std::string& error) {
    if (!file_)
        return false;
    errno = 0;
    const bool ok =
        std::fwrite(text.data(), 1, text.size(), file_) == text.size() && std::fflush(file_) == 0;
    if (!ok) {
        error = "Recording to " + path_ +
                " stopped: " + (errno ? std::strerror(errno) : "the file could not be written");
        close();
    }
    return ok;
}

bool live_recorder::write_round(const std::vector<live_register>& registers,
                                const poll_result& result,
                                std::chrono::system_clock::time_point when, std::string& error) {
    if (!file_)
        return false;
    if (!result.connection_error.empty())
        return true;
    ++rounds_;
    return put(reading_csv_rows(registers, result.readings, iso_local_time(when)), error);
}

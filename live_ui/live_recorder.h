#pragma once
// Record... of the Live Values window: every round written to a CSV file with the columns of
// the read command's watched table (Time, Register, Feeder, Parameter, Value, Raw). The file
// is a live log, not a saved document: it is written as the rounds come and flushed after
// each, so that a crash loses at most the round being written.

#include "live/live_map.h"
#include "live/live_poller.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

class live_recorder {
  public:
    live_recorder() = default;
    ~live_recorder();
    live_recorder(const live_recorder&) = delete;
    live_recorder& operator=(const live_recorder&) = delete;

    // Creates (or empties) the file at path and writes the header row, ending the recording
    // before it. False with the reason when it cannot (a recording under way then goes on).
    bool open(const std::string& path, std::string& error);
    void close();
    bool is_open() const { return file_ != nullptr; }
    const std::string& path() const { return path_; }
    // Rounds written so far.
    long long rounds() const { return rounds_; }

    // Appends a round's rows stamped with when; a round that reached no register adds none.
    // False with the reason when the rows could not be written (the file is closed then).
    bool write_round(const std::vector<live_register>& registers, const poll_result& result,
                     std::chrono::system_clock::time_point when, std::string& error);

  private:
    bool put(const std::string& text, std::string& error);

    std::FILE* file_ = nullptr;
    std::string path_;
    long long rounds_ = 0;
};

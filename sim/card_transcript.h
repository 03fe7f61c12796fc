#pragma once
// The card emulator's transcript: one line per frame received ("rx") and per answer sent
// ("tx"), each with the milliseconds since the emulator started and the bytes in hex, e.g.
//   1234 rx 02 45 4E 44 03 4C
// and one line per command a host write fired, e.g.
//   2345 command F:1 CSTA
// The time column makes pauses visible. Lines are kept in memory and written out (always
// the whole transcript, atomically) whenever flush() is called.

#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>

class card_transcript {
  public:
    // An empty path keeps the transcript in memory only.
    explicit card_transcript(std::string path = {});

    void received(std::span<const std::uint8_t> bytes);
    void sent(std::span<const std::uint8_t> bytes);
    // A line of its own, e.g. "command F:1 CSTA" for a command the host fired.
    void note(const std::string& text);

    // Writes the transcript to its file when anything was added since the last write.
    // False with a reason when the file cannot be written.
    bool flush(std::string* error = nullptr);

    std::string text() const;

  private:
    void add(const char* direction, std::span<const std::uint8_t> bytes);
    void append(const std::string& text);

    std::string path_;
    std::chrono::steady_clock::time_point start_;
    mutable std::mutex mutex_;
    std::mutex write_mutex_;
    std::string text_;
    bool dirty_ = false;
};

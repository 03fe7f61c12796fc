#pragma once
// The card emulator's transcript: one line per frame received ("rx") and per answer sent
// ("tx"), each with the milliseconds since the emulator started and the bytes in hex, e.g.
//   1234 rx 02 45 4E 44 03 4C
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

    // Writes the transcript to its file when anything was added since the last write.
    // False with a reason when the file cannot be written.
    bool flush(std::string* error = nullptr);

    std::string text() const;

  private:
    void add(const char* direction, std::span<const std::uint8_t> bytes);

    std::string path_;
    std::chrono::steady_clock::time_point start_;
    mutable std::mutex mutex_;
    std::string text_;
    bool dirty_ = false;
};

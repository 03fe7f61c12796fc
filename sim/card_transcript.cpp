#include "sim/card_transcript.h"

#include "core/atomic_write.h"

#include <cstdio>

card_transcript::card_transcript(std::string path)
    : path_(std::move(path)), start_(std::chrono::steady_clock::now()) {}

void card_transcript::received(std::span<const std::uint8_t> bytes) {
    add("rx", bytes);
}
void card_transcript::sent(std::span<const std::uint8_t> bytes) {
    add("tx", bytes);
}

void card_transcript::note(const std::string& text) {
    append(text);
}

void card_transcript::add(const char* direction, std::span<const std::uint8_t> bytes) {
    std::string line = direction;
    char hex[4];
    for (auto b : bytes) {
        std::snprintf(hex, sizeof hex, " %02X", b);
        line += hex;
    }
    append(line);
}

void card_transcript::append(const std::string& text) {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - start_)
                  .count();
    std::string line = std::to_string(ms) + " " + text + '\n';
    std::lock_guard lock(mutex_);
    text_ += line;
    dirty_ = true;
}

bool card_transcript::flush(std::string* error) {
    std::lock_guard writing(write_mutex_); // one writer of the file at a time
    std::string copy;
    {
        std::lock_guard lock(mutex_);
        if (path_.empty() || !dirty_)
            return true;
        copy = text_;
        dirty_ = false;
    }
    return atomic_write_file(path_, copy, error);
}

std::string card_transcript::text() const {
    std::lock_guard lock(mutex_);
    return text_;
}

#pragma once
// One receive buffer of the USB link: 8192 bytes holding at most 8191 unread bytes. Bytes
// that arrive while it is full are dropped and counted. Not synchronised: UsbHidDevice
// guards its rings with its lock.

#include <cstddef>
#include <cstdint>

class ReceiveRing {
  public:
    static constexpr std::size_t size = 0x2000;
    static constexpr std::size_t limit = size - 1;

    // Appends one byte; false (and the byte counted as dropped) when the ring is full.
    bool put(std::uint8_t byte);
    // Moves up to capacity bytes to destination, oldest first; returns how many.
    std::size_t take(std::uint8_t* destination, std::size_t capacity);
    // Empties the ring and zeroes the dropped counter.
    void clear();

    std::size_t count() const { return count_; }
    std::size_t dropped() const { return dropped_; }

  private:
    std::uint8_t buffer_[size] = {};
    std::size_t write_ = 0;
    std::size_t read_ = 0;
    std::size_t count_ = 0;
    std::size_t dropped_ = 0;
};

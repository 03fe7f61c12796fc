#include "link/ReceiveRing.h"

bool ReceiveRing::put(std::uint8_t byte) {
    if (count_ >= limit) {
        ++dropped_;
        return false;
    }
    buffer_[write_] = byte;
    write_ = (write_ + 1) % size;
    ++count_;
    return true;
}

std::size_t ReceiveRing::take(std::uint8_t* destination, std::size_t capacity) {
    std::size_t n = capacity < count_ ? capacity : count_;
    for (std::size_t i = 0; i < n; ++i) {
        destination[i] = buffer_[read_];
        read_ = (read_ + 1) % size;
    }
    count_ -= n;
    return n;
}

void ReceiveRing::clear() {
    write_ = read_ = count_ = dropped_ = 0;
}

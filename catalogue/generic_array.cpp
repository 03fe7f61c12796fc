#include "catalogue/generic_array.h"

#include <algorithm>

generic_array::~generic_array() {
    clear();
}

object_with_destructor* generic_array::append(std::unique_ptr<object_with_destructor> element) {
    if (length_ == capacity_) {
        std::int32_t grown = capacity_ + growth;
        auto bigger = std::make_unique<object_with_destructor*[]>(static_cast<std::size_t>(grown));
        std::copy(buffer_.get(), buffer_.get() + length_, bigger.get());
        buffer_ = std::move(bigger);
        capacity_ = grown;
    }
    buffer_[length_] = element.release();
    return buffer_[length_++];
}

object_with_destructor* generic_array::at(std::int32_t i) const {
    if (i < 0 || i >= length_)
        return nullptr;
    return buffer_[i];
}

void generic_array::clear() {
    for (std::int32_t i = 0; i < length_; ++i) {
        delete buffer_[i];
        buffer_[i] = nullptr;
    }
    length_ = 0;
}

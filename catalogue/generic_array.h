#pragma once
// An owning array of polymorphic objects that keeps insertion order and grows in steps of 20
// slots. It never shrinks: clear destroys the elements but keeps the buffer.

#include "catalogue/object_with_destructor.h"

#include <cstdint>
#include <memory>

class generic_array {
  public:
    static constexpr std::int32_t growth = 20;

    generic_array() = default;
    ~generic_array();
    generic_array(const generic_array&) = delete;
    generic_array& operator=(const generic_array&) = delete;

    // Takes ownership of element and stores it at the end; returns it.
    object_with_destructor* append(std::unique_ptr<object_with_destructor> element);
    // The element at index i, or null when i is outside [0, count()).
    object_with_destructor* at(std::int32_t i) const;
    std::int32_t count() const { return length_; }
    std::int32_t capacity() const { return capacity_; }
    // Destroys every element; the buffer stays allocated.
    void clear();

  private:
    std::unique_ptr<object_with_destructor*[]> buffer_;
    std::int32_t capacity_ = 0;
    std::int32_t length_ = 0;
};

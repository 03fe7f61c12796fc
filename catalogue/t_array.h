#pragma once
// The typed face of generic_array: the same owning, insertion-ordered storage, whose elements
// are all of type T.

#include "catalogue/generic_array.h"

#include <memory>
#include <type_traits>

template <class T> class t_array {
  public:
    // Takes ownership of element and stores it at the end; returns it.
    T* append(std::unique_ptr<T> element) {
        static_assert(std::is_base_of_v<object_with_destructor, T>);
        return static_cast<T*>(items_.append(std::move(element)));
    }
    // The element at index i, or null when i is outside [0, count()).
    T* at(std::int32_t i) const { return static_cast<T*>(items_.at(i)); }
    std::int32_t count() const { return items_.count(); }
    std::int32_t capacity() const { return items_.capacity(); }
    // Destroys every element; the buffer stays allocated.
    void clear() { items_.clear(); }

  private:
    generic_array items_;
};

#pragma once
// The sixteen command or status entries of a bitmapped register, stored only once one of them
// is written to. Most registers are not bitmapped; sixteen entries each (most of a kilobyte
// with the mnemonics' strings) would make every register of a large map several times its
// size. Reading an entry of a register that has none stored gives the default entry, so every
// reader sees the same values as if all sixteen were always there.

#include <array>
#include <cstddef>
#include <memory>

template <class T> class bit_entries {
  public:
    static constexpr std::size_t count = 16;
    using entries = std::array<T, count>;

    bit_entries() = default;
    bit_entries(const bit_entries& other)
        : stored_(other.stored_ ? std::make_unique<entries>(*other.stored_) : nullptr) {}
    bit_entries& operator=(const bit_entries& other) {
        if (this != &other)
            stored_ = other.stored_ ? std::make_unique<entries>(*other.stored_) : nullptr;
        return *this;
    }
    bit_entries(bit_entries&&) noexcept = default;
    bit_entries& operator=(bit_entries&&) noexcept = default;

    static constexpr std::size_t size() { return count; }

    // Reading: the stored entry, or the default one.
    const T& operator[](std::size_t i) const { return all()[i]; }
    // Writing: stores the entries first.
    T& operator[](std::size_t i) { return store()[i]; }
    // Sets entry i; a default value for a register without stored entries stores nothing.
    void set(std::size_t i, const T& value) {
        if (stored_ || !(value == defaults()[i]))
            store()[i] = value;
    }

    const entries& all() const { return stored_ ? *stored_ : defaults(); }
    auto begin() const { return all().begin(); }
    auto end() const { return all().end(); }

    // Compares the values, stored or not.
    bool operator==(const bit_entries& other) const { return all() == other.all(); }

  private:
    static const entries& defaults() {
        static const entries none{};
        return none;
    }
    entries& store() {
        if (!stored_)
            stored_ = std::make_unique<entries>();
        return *stored_;
    }

    std::unique_ptr<entries> stored_;
};

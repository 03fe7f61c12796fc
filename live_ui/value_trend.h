#pragma once
// The last five minutes of one register's value for the Live Values window's trend column:
// 150 slots of two seconds, each with the lowest, highest and last value read in it, so that
// a trend costs the same memory and drawing time at any poll interval. The slots are kept
// relative to the newest reading, so that the drawn line only changes when a reading adds to
// it.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

class value_trend {
  public:
    static constexpr int slot_count = 150;
    static constexpr double slot_seconds = 2.0;

    struct slot {
        double low = 0, high = 0, last = 0;
        std::int64_t number = -1; // the slot's time as a count of slots; -1 unused
    };
    struct summary {
        double low = 0, high = 0, last = 0;
    };

    // Adds a value read at t seconds (of a steady clock). True when the line changes.
    // A value that is not a number leaves the trend as it is.
    bool add(double t, double value);
    void clear();
    bool empty() const { return !slots_; }

    // Lowest, highest and last value of the last five minutes; nothing before a reading.
    std::optional<summary> summarise() const;
    // The slots of the last five minutes, oldest first (index 0 is five minutes before the
    // newest reading, slot_count - 1 the newest); an unused slot has number -1.
    std::array<slot, slot_count> window() const;

  private:
    std::unique_ptr<std::array<slot, slot_count>> slots_; // by slot number modulo slot_count
    std::int64_t newest_ = -1;
};

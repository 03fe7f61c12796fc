#pragma once
// One row of the Live Values table without the toolkit: the register it shows, the texts of
// its cells and how a reading changes them. Taking a reading says which cells changed, so
// that the table repaints those and no others.

#include "live/live_map.h"
#include "live/live_poller.h"
#include "live_ui/register_bits_text.h"
#include "live_ui/value_trend.h"

#include <optional>
#include <string>

enum live_column {
    col_register,
    col_feeder,
    col_parameter,
    col_format,
    col_value,
    col_raw,
    col_status,
    col_age,
    col_trend,
    live_column_count
};

// The cells a change touched, a bit per column.
using cell_mask = unsigned;
inline constexpr cell_mask cell_bit(live_column c) {
    return 1u << c;
}
inline constexpr cell_mask whole_row = (1u << live_column_count) - 1;

// How long a value counts as current and how long a change stays marked, in seconds.
struct live_timing {
    double stale_after = 3;
    double highlight_for = 0.8;
};

struct live_row {
    live_register reg;
    std::optional<bit_names> bits; // bitmapped registers only
    std::string register_text;     // "40003" or "40003-40004"
    std::string format_text;

    std::optional<live_value> value; // the last value read
    std::string value_text, raw_text, status_text, age_text;
    bool failed = false;      // the last reading gave no value; the status says why
    bool stale = false;       // the last good reading is older than the timing allows
    bool highlighted = false; // the value changed a moment ago
    double last_good = -1;    // when the last good reading came; -1 never
    double highlight_until = 0;
    std::string write_note; // a write's outcome, shown as the status for a while
    double note_until = 0;
    value_trend trend;

    // A row for reg, nothing read yet.
    static live_row of(const live_register& reg, std::optional<bit_names> bits);
    // Whether the row shows the same register (number, feeder, name, layout, bits).
    bool shows(const live_register& other, const std::optional<bit_names>& other_bits) const;

    // Takes a round's reading of the register at now (seconds); a reading without a value
    // keeps the last value on show, greyed once it is stale.
    cell_mask take(const register_reading& reading, double now, const live_timing& timing);
    // Takes a round that reached no register (the connection failed).
    cell_mask take_failure(std::string reason, double now, const live_timing& timing);
    // Ends the value's highlight once its time is up.
    cell_mask end_highlight(double now);
    // Shows a write's outcome as the status until `until`.
    cell_mask note_write(std::string note, double until);

    // Whether the register has a trend (numbers other than bitmapped words).
    bool has_trend() const;
    // The trend's lowest, highest and last value ("min 1, max 3, last 2"), empty before any.
    std::string trend_text() const;
    // Each bit, bit 15 first, with what it stands for and its value when one was read.
    std::string bits_text() const;
    // The value as a write starts from: the text itself for strings, else the value text.
    std::string edit_text() const;
    // Whether the host may write the register.
    bool writable() const;
    bool is_command_word() const { return reg.layout.kind == value_kind::commands; }

  private:
    cell_mask set_status(std::string text, bool failed_now, double now);
    cell_mask set_age(double now, const live_timing& timing);
};

// The age of a reading as shown: "0 s", "42 s", "5 min", "2 h".
std::string age_text(double seconds);

#pragma once
// How one register of a map carries its value in host words: which value rule applies, how
// many words, in which word and byte order, with which scaling. Every value rule works on a
// value_layout, never on the map's classes, so that the rules stay independent of how the
// model stores its fields.

#include <string>

class host_register;

// The value rule a register follows.
enum class value_kind {
    integer,      // formats 0, 1, 2, 5 and 8: an n-word integer with F fraction words
    ieee_float,   // format 7
    kg_float,     // format 6
    text,         // format 9, or format 0 on a string parameter
    status_value, // format 10, or format 0 on a status word parameter
    array,        // format 11 ("ProcStat", "AlarmStat")
    commands,     // format 3
    status_bits,  // format 4
};

// Negative handling codes as the map stores them.
enum negative_handling { negative_signed = 0, negative_unsigned = 2, negative_force_0 = 3 };

struct value_layout {
    value_kind kind = value_kind::integer;
    int format = 0;
    int whole = 1;         // W
    int fraction = 0;      // F
    bool reversed = false; // word order 6: least significant word at the lowest address
    int negative = negative_signed;
    bool byte_swap = false; // the header's LSBYTE_FIRST: both bytes of every word swapped
    bool swapped = false;   // format 9 (first character low) and format 10 (bytes swapped)
    double minimum = 0, maximum = 100, scale = 1; // format 1
    int decimal_shift = 0;                        // format 2
    int rom_constant = 0;                         // format 5
    // Why the register has no value rule ("width does not fit the format"), or empty.
    std::string problem;

    // Words the register occupies in the host's address space: W + F (kept within int).
    int width() const;
    // Words the value rule uses: W for strings, status values and arrays, W + F otherwise.
    int value_words() const;
    // Whether the host may write the register (formats 0, 1, 2, 6, 7, 8, 9 and 3).
    bool writable() const;
    // Whether a negative integer is carried as such (negative handling 0 and 1).
    bool is_signed() const { return negative != negative_unsigned && negative != negative_force_0; }
    bool operator==(const value_layout&) const = default;
};

// The most words a register can have: the whole address space of holding registers.
inline constexpr int max_register_words = 65536;

// The widest integer the rules carry: three words (48 bits, exact in a double), the most the
// register dialog offers (two whole words and one fraction word).
inline constexpr int max_integer_words = 3;

// The layout of a register of a map whose header sends its words low byte first
// (lsbyte_first) or high byte first.
value_layout layout_of(const host_register& reg, bool lsbyte_first);

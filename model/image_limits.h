#pragma once
// What a device image record can carry: the width of every field of a register record, and
// the checks that tell which values of a register do not fit them (the card would get
// something else than the map says).

#include <string>
#include <string_view>
#include <vector>

class host_register;

// Register records an extraction accepts in one image.
inline constexpr int image_max_records = 655;
// Characters of a parameter name an image record (and the card) keeps.
inline constexpr std::size_t image_name_chars = 19;
// The feeder of a register: 6 bits.
inline constexpr int image_max_feeder = 63;

// The largest whole count a record carries for device_code: 10 bits for "RDX", 4 for the
// others.
int image_max_whole_count(int device_code);
// True for a command mnemonic an image carries: "XXXX" (unused) or "C" and three characters
// (other than "CXXX", which reads back as "XXXX").
bool image_carries_mnemonic(std::string_view mnemonic);
// The bytes an image record holds for a command mnemonic (zero-padded to three): "XXX" for
// "XXXX" (unused), else the characters after the first, at most three.
std::string image_mnemonic_code(std::string_view mnemonic);
// The mnemonic the card gets for a command mnemonic, as an extraction reads it back: "XXXX"
// for the code "XXX", else "C" and the code ("ZZZZ" gives "CZZZ").
std::string card_command_mnemonic(std::string_view mnemonic);

// One value of a register that its image record cannot carry. field is the register table
// column the value belongs to ("Register", "Whole words", "Bit 3", ...); bit is the bit of a
// bitmapped register (-1 for the register's own fields); what names the value ("feeder",
// "bit position", ...); text says what does not fit.
struct image_misfit_item {
    std::string field;
    int bit = -1;
    std::string what;
    std::string text;
};

// Every value of reg that a record for device_code cannot carry, in column order.
std::vector<image_misfit_item> register_image_misfits(const host_register& reg, int device_code);

#pragma once
// The polymorphic base of every stored entry of a register map: the file, its protocol
// header and its host registers.

#include "core/big_endian.h"

#include <array>
#include <cstdint>
#include <istream>
#include <ostream>

// The 32-byte header of a device configuration image (big-endian fields).
using image_header = std::array<std::uint8_t, 32>;
// The 128-byte information block that follows it (protocol keyword and settings as text).
using image_info_block = std::array<std::uint8_t, 128>;

class zrp_object {
  public:
    virtual ~zrp_object() = default;
    // Appends the entry's text to out.
    virtual void write(std::ostream& out) = 0;
    // Parses the entry from in; true on success.
    virtual bool read(std::istream& in) = 0;
    // Fills the entry from a device image: the image header, a reader positioned over the
    // record area, the information block and the device code the image came from.
    virtual bool decode_image(const image_header& header, byte_reader& records,
                              const image_info_block& info, int device_code) = 0;
    // Runs the entry's settings dialog and applies its result; returns the dialog result
    // (1 = OK). mode_flags are passed on to dialogs that take them.
    virtual int edit(int mode_flags = 0) {
        (void)mode_flags;
        return 0;
    }
};

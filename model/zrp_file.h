#pragma once
// One register map: its protocol header and its ordered list of host registers. The text file
// format (map_text) and the device images (image_codec) read and write it.

#include "model/host_register.h"
#include "model/protocol_header.h"

#include <memory>
#include <string>
#include <vector>

// True while the current map's protocol is a network protocol (not Modbus, Allen-Bradley or
// Siemens); the register property dialog reads it.
extern bool network_protocol_flag;
void set_network_protocol_flag(int protocol_code);

class zrp_file {
  public:
    // An empty map for device "RDX" with the default header of protocol_code.
    explicit zrp_file(int protocol_code = 0);
    ~zrp_file();
    zrp_file(const zrp_file&) = delete;
    zrp_file& operator=(const zrp_file&) = delete;

    // Builds the header class of protocol_code with its defaults (the previous header must
    // be gone).
    void create_header(int protocol_code, int device_code);
    // Deletes the header and all registers (the template register stays).
    void clear();

    // Appends reg (taking ownership) and returns its index, or returns -1 and takes nothing
    // when it overlaps a register already in the list: reg then still holds the register.
    int add_register(std::unique_ptr<host_register>&& reg);
    // Deletes the register at index; an index out of range is ignored (returns 0).
    int delete_register(int index);
    // Deletes the registers at the given indices, whatever their order and gaps.
    void delete_registers(std::vector<int> indices);
    // Stable sort by register number; true when anything moved.
    bool sort_registers();
    // Proposed number for a new register in area 0 (input) or 1 (output).
    int next_free_register(int area) const;
    // True when a register occupying [number, number + width) would overlap a register of
    // the list other than except (may be nullptr).
    bool overlaps(int number, int width, const host_register* except = nullptr) const;
    // The first register of the list (other than except) that such a register would overlap,
    // or nullptr.
    const host_register* first_overlap(int number, int width,
                                       const host_register* except = nullptr) const;

    int register_count() const { return static_cast<int>(registers.size()); }
    host_register* register_at(int index) const;

    std::unique_ptr<host_register> template_register;
    std::unique_ptr<protocol_header> header;
    std::vector<std::unique_ptr<host_register>> registers;
    int protocol_code = 0;
};

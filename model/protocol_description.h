#pragma once
// What one host protocol is, as data: its name and keyword, the header-line values it adds and
// where they stand in a device image, which values its settings windows change, its defaults,
// its register bases and its settings form. One description per protocol; the header codec,
// the comparison and assignment of values and the settings windows work from it alone.

#include "model/header_values.h"

#include <span>
#include <string>
#include <string_view>

class protocol_header;
class user_interface;

// Which settings form (and settings dialog) a protocol's header is edited in.
enum class form_class_t {
    CGenericForm,
    CComm2Form,
    CCommFORM,
    CProfibusForm,
    CMbplusForm,
    CMbTcpForm,
    CProfinetForm,
    CDeviceNetForm,
    CEthernetIPForm,
};

// One value of a protocol's keyword line, in file order. Value i also stands in a device
// image's information block, as text in the 16-byte slot at offset 16 * (i + 1).
struct line_item {
    header_field field;
    // For an address: the longest word read (the rest of a longer word reads as the next
    // value).
    std::size_t word_limit = std::string::npos;
};

// The modes a settings window offers for the stored mode (none: the mode is not edited), and
// the mode any other stored value counts as.
struct mode_choice {
    std::span<const int> modes{};
    int fallback = 0;
};

struct protocol_description {
    int code = 0;
    std::string_view name{};    // on the device line
    std::string_view keyword{}; // first word of its own line and of its information block
    std::span<const line_item> line{};
    // The values its settings form and dialog change (its dialog also changes the blocks of a
    // block-mapped header).
    std::span<const header_field> edited{};
    mode_choice modes{};
    int default_mode = 0;
    int default_byte_order = 0;
    // The node number of a new header follows the device (1 for "WNT" and "HQP"), else 0.
    bool node_by_device = true;
    int input_base = 40001;
    int output_base = 40001;
    bool block_mapped = false;
    // Lines after "NODENUM" are read up to "HREG" (all but the plain generic protocol).
    bool reads_to_hreg = true;
    // Its common lines always carry 0 for the node number and REGMAX.
    bool zeroes_node_and_regmax = false;
    int form_height = 120; // the settings form pane is 100 wide
    form_class_t form = form_class_t::CGenericForm;
    // What the protocol's rules do before its settings dialog opens: adjust the header (telling
    // the user) and the values the dialog starts from.
    void (*prepare_dialog)(protocol_header& header, header_values& preset,
                           user_interface& ui) = nullptr;

    // The mode a stored value counts as in the settings windows.
    int chosen_mode(int mode) const;
    bool edits(header_field field) const;
};

// The ten protocols. Modbus and Siemens share their rules and differ in name, code and bases.
extern const protocol_description generic_protocol;
extern const protocol_description ab_header;
extern const protocol_description modbus_header;
extern const protocol_description siemens_header;
extern const protocol_description profibus_header;
extern const protocol_description mbtcp_header;
extern const protocol_description mbplus_header;
extern const protocol_description devicenet_header;
extern const protocol_description ethernetip_header;
extern const protocol_description profinet_header;

// Every description, the generic protocol first.
std::span<const protocol_description* const> protocol_descriptions();
// The description of a protocol code; codes without one give the generic protocol.
const protocol_description& protocol_description_for(int code);

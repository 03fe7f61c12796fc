#include "protocol_ui/protocol_layout.h"

#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/protocol_ui_texts.h"
#include "protocol_ui/serial_device_rules.h"

#include <algorithm>
#include <array>

namespace {

using enum header_field;
using K = piece_kind;
constexpr Qt::Alignment top = Qt::AlignTop;
constexpr auto any = CIntegerEdit::signed_any;
constexpr auto range = CIntegerEdit::unsigned_range;

// A choice group with its title.
constexpr piece choice(header_field f, const char* title, int row = 0, int column = 0, int rows = 1,
                       Qt::Alignment align = {}) {
    return {.field = f, .text = title, .row = row, .column = column, .rows = rows, .align = align};
}
// A field with its label beside it (or above it), and an integer field's kind and range.
constexpr piece field(header_field f, const char* label, int row = 0, int column = 0,
                      CIntegerEdit::kind_t kind = any, int low = 0, int high = 0) {
    return {.field = f,
            .text = label,
            .row = row,
            .column = column,
            .integer = kind,
            .low = low,
            .high = high};
}
constexpr piece above(header_field f, const char* label, int row, int column) {
    return {.field = f, .text = label, .row = row, .column = column, .label_above = true};
}
constexpr piece part(piece_kind kind, int row, int column, int rows = 1, int columns = 1,
                     Qt::Alignment align = {}, const char* text = nullptr) {
    return {.kind = kind,
            .text = text,
            .row = row,
            .column = column,
            .rows = rows,
            .columns = columns,
            .align = align};
}
constexpr piece group(piece_kind kind, std::span<const piece> inside, const char* title = nullptr,
                      int row = 0, int column = 0, int rows = 1, int columns = 1,
                      Qt::Alignment align = {}) {
    return {.kind = kind,
            .text = title,
            .row = row,
            .column = column,
            .rows = rows,
            .columns = columns,
            .align = align,
            .inside = inside};
}

// clang-format off
// The forms above the register list.
constexpr piece serial_form[] = {
    choice(baud, "Baud rate", 0, 0, 2, top), choice(data_bits, "Data bits", 0, 1, 2, top),
    choice(parity, "Parity", 0, 2, 2, top), choice(stop_bits, "Stop bits", 0, 3, 2, top),
    choice(byte_order, "Byte order", 0, 4, 2, top), choice(mode, "Bit mode", 0, 5, 2, top),
    above(node, "Node num:", 0, 6)};
constexpr piece generic_form[] = {
    choice(baud, "Baud rate", 0, 0, 2, top), choice(data_bits, "Data bits", 0, 1, 2, top),
    choice(parity, "Parity", 0, 2, 2, top), choice(stop_bits, "Stop bits", 0, 3, 2, top),
    choice(byte_order, "Byte order", 0, 4, 2, top), above(node, "Node num:", 0, 5)};
constexpr piece gdb_fields[] = {field(source_id, "Source id:", 0, 0),
    field(number_of_words, "Number of words:", 1, 0), field(offset_in_gdb, "Offset within GDB:", 2, 0)};
constexpr piece mbplus_form[] = {group(K::grid, gdb_fields, "GDB Setting", 0, 0, 2, 1, top),
    above(node, "Node num:", 0, 1), choice(byte_order, "Byte order", 0, 2, 2, top)};
constexpr piece mbtcp_form[] = {field(ip_address, "Ip address:", 0, 0),
    field(network_mask, "Network mask:", 1, 0), field(default_gateway, "Default gateway:", 2, 0),
    choice(byte_order, "Byte order", 0, 2, 3, top)};
constexpr piece profibus_form[] = {field(input_size, "Input block size:", 0, 0),
    field(output_size, "Output block size:", 1, 0), field(node, "Node address:", 2, 0),
    choice(byte_order, "Byte order", 0, 2, 3, top)};
constexpr piece profinet_form[] = {field(ip_address, "Ip address:", 0, 0),
    field(network_mask, "Network mask:", 1, 0), field(default_gateway, "Default gateway:", 2, 0),
    field(input_size, "Input block size (bytes):", 0, 2, CIntegerEdit::unsigned_any),
    field(output_size, "Output block size (bytes):", 1, 2, CIntegerEdit::unsigned_any),
    choice(byte_order, "Byte order", 0, 4, 3, top)};
constexpr piece devicenet_form[] = {part(K::block_label, 0, 0, 1, 1, {}, "Defined blocks:"),
    part(K::block_list, 1, 0, 2), choice(byte_order, "Byte order", 1, 1, 1, top),
    part(K::io_area, 1, 2, 1, 1, top), part(K::param_area, 1, 3, 1, 1, top)};
constexpr piece tcpip_fields[] = {field(ip_address, "IP Address:"),
    field(network_mask, "Network Mask:"), field(default_gateway, "Default Gateway:")};
constexpr piece ethernetip_form[] = {part(K::block_label, 0, 0, 1, 1, {}, "Defined Blocks"),
    part(K::block_list, 1, 0, 3), group(K::rows, tcpip_fields, "TCP/IP Settings", 1, 1, 1, 2, top),
    choice(byte_order, "Byte Order", 1, 3, 1, top), part(K::io_area, 2, 1, 1, 1, top),
    part(K::param_area, 2, 2, 1, 1, top)};

// The settings dialogs.
constexpr piece serial_choices[] = {choice(baud, "Baud rate", 0, 0),
    choice(data_bits, "Data bits", 0, 1), choice(parity, "Parity", 0, 2),
    choice(stop_bits, "Stop bits", 1, 0), choice(byte_order, "Byte order", 1, 1),
    choice(mode, "Bit mode", 1, 2)};
constexpr piece node_field[] = {{.field = node, .text = "Node num:", .width = 100}};
constexpr piece serial_dialog[] = {{.kind = K::grid, .inside = serial_choices, .even = true},
    group(K::rows, node_field)};
constexpr piece generic_dialog[] = {
    {.kind = K::grid, .inside = std::span(serial_choices).first(5), .even = true},
    group(K::rows, node_field)};
constexpr piece node_row[] = {field(node, "Node num:")};
constexpr piece mbplus_dialog[] = {group(K::rows, gdb_fields, "GDB Setting"),
    group(K::rows, node_row), choice(byte_order, "Byte order")};
constexpr piece mbtcp_fields[] = {field(ip_address, "Ip address:"),
    field(network_mask, "Network mask:"), field(default_gateway, "Default gateway:")};
constexpr piece mbtcp_dialog[] = {group(K::rows, mbtcp_fields), choice(byte_order, "Byte order")};
constexpr piece profibus_fields[] = {field(input_size, "Input block size:", 0, 0, range, 0, 244),
    field(output_size, "Output block size:", 0, 0, range, 0, 244),
    field(node, "Node address:", 0, 0, range, 0, 99)};
constexpr piece profibus_dialog[] = {group(K::rows, profibus_fields),
    choice(byte_order, "Byte order")};
constexpr piece profinet_fields[] = {field(ip_address, "IP address:"),
    field(network_mask, "Network mask:"), field(default_gateway, "Default gateway:"),
    field(input_size, "Input block size:", 0, 0, range, 0, 1536),
    field(output_size, "Output block size:", 0, 0, range, 0, 1536)};
constexpr piece profinet_dialog[] = {group(K::rows, profinet_fields),
    choice(byte_order, "Byte order")};
constexpr piece devicenet_grid[] = {choice(byte_order, "Byte order", 0, 0, 1, top),
    part(K::block_label, 1, 0, 1, 1, {}, "Defined blocks:"), part(K::block_list, 2, 0),
    part(K::usage, 0, 1, 3), part(K::change_button, 3, 0, 1, 1, Qt::AlignLeft)};
constexpr piece devicenet_dialog[] = {group(K::grid, devicenet_grid),
    {.kind = K::note, .text = "Note:  DeviceNet MAC ID and Baud Rate must be set using the DIP "
                              "switches on the Ombra board."}};
constexpr piece ethernetip_grid[] = {part(K::usage, 0, 0, 2),
    choice(byte_order, "Byte Order", 0, 1, 1, top),
    group(K::rows, tcpip_fields, "TCP/IP Settings", 1, 1, 1, 1, top),
    part(K::block_label, 2, 0, 1, 2, {}, "Defined Blocks"), part(K::block_list, 3, 0, 1, 2),
    part(K::change_button, 4, 0, 1, 1, Qt::AlignLeft)};
constexpr piece ethernetip_dialog[] = {group(K::grid, ethernetip_grid)};

using F = form_class_t;
const protocol_layout layouts[] = {
    {F::CGenericForm, "CGenericForm", "GenericDialog", "Generic protocol", labels_baud3, {},
     labels_byte_order, generic_form, 6, 1, -1, generic_dialog},
    {F::CComm2Form, "CComm2Form", "CComm2Dialog", "Allen-Bradley Comm Setup", labels_baud3,
     labels_check_mode, labels_byte_order, serial_form, 7, 1, -1, serial_dialog, 0,
     allen_bradley_form_rule, allen_bradley_dialog_rule},
    {F::CCommFORM, "CCommFORM", "CCommDialog", "Modbus/Siemens protocol setup", labels_baud4,
     labels_transmission_mode, labels_byte_order, serial_form, 7, 1, -1, serial_dialog, 0,
     modbus_form_rule, modbus_dialog_rule},
    {F::CProfibusForm, "CProfibusForm", "CProfibusDialog", "Profibus params:", {}, {},
     labels_byte_order, profibus_form, 3, 3, -1, profibus_dialog},
    {F::CMbplusForm, "CMbplusForm", "CMbplusDialog", "ModbusPlus params:", {}, {},
     labels_byte_order, mbplus_form, 3, 1, -1, mbplus_dialog},
    {F::CMbTcpForm, "CMbTcpForm", "CModTcpDialog", "Modbus/TCP settings:", {}, {},
     labels_byte_order, mbtcp_form, 3, 3, -1, mbtcp_dialog},
    {F::CProfinetForm, "CProfinetForm", "CProfinetDialog", "Profinet I/O settings:", {}, {},
     labels_byte_order, profinet_form, 5, 3, 10, profinet_dialog, help_context_profinet},
    {F::CDeviceNetForm, "CDeviceNetForm", "CDeviceNetDialog", "Device Net params:", {}, {},
     labels_byte_order, devicenet_form, 4, 2, -1, devicenet_dialog},
    {F::CEthernetIPForm, "CEthernetIPForm", "CEthernetIPDialog", "Ethernet/IP Settings", {}, {},
     labels_byte_order_caps, ethernetip_form, 4, 3, -1, ethernetip_dialog},
};
// clang-format on

constexpr int data_bits_first = 7;

} // namespace

const protocol_layout& layout_for(form_class_t form) {
    for (const protocol_layout& layout : layouts)
        if (layout.form == form)
            return layout;
    return layouts[0];
}

bool is_choice(header_field field) {
    return field == baud || field == data_bits || field == parity || field == stop_bits ||
           field == byte_order || field == mode;
}

QWidget* make_control(const protocol_layout& layout, const piece& p, QWidget* parent) {
    if (is_choice(p.field)) {
        static constexpr const char* data_bits_labels[] = {"7", "8"};
        std::span<const char* const> labels = labels_parity;
        switch (p.field) {
        case baud:
            labels = layout.baud_labels;
            break;
        case data_bits:
            labels = data_bits_labels;
            break;
        case stop_bits:
            labels = labels_stop_bits;
            break;
        case byte_order:
            labels = layout.byte_order_labels;
            break;
        case mode:
            labels = layout.mode_labels;
            break;
        default:
            break;
        }
        return new CChoiceGroup(QObject::tr(p.text), labels, parent);
    }
    if (p.field == ip_address || p.field == network_mask || p.field == default_gateway)
        return new CIpAddressEdit(parent);
    return new CIntegerEdit(p.integer, parent, p.low, p.high);
}

int choice_value(header_field field, const protocol_description& protocol, int position) {
    if (position < 0)
        return -1;
    if (field == data_bits)
        return position + data_bits_first;
    if (field == mode) {
        const auto& modes = protocol.modes.modes;
        return position < static_cast<int>(modes.size()) ? modes[static_cast<std::size_t>(position)]
                                                         : -1;
    }
    return position;
}

int choice_position(header_field field, const protocol_description& protocol, int value) {
    if (field == data_bits)
        return value - data_bits_first;
    if (field == mode) {
        const auto& modes = protocol.modes.modes;
        const auto at = std::find(modes.begin(), modes.end(), value);
        return at == modes.end() ? -1 : static_cast<int>(at - modes.begin());
    }
    return value;
}

#include "model/protocol_description.h"

#include "core/user_interface.h"
#include "model/model_tables.h"
#include "model/protocol_header.h"

#include <algorithm>

namespace {

using enum header_field;

constexpr header_field serial_fields[] = {baud, data_bits, parity, stop_bits, byte_order, node};
constexpr header_field serial_mode_fields[] = {baud,       data_bits, parity, stop_bits,
                                               byte_order, node,      mode};
constexpr int check_modes[] = {2, 3};        // "BCC", "CRC"
constexpr int transmission_modes[] = {0, 1}; // "RTU", "ASCII"
constexpr int mode_rtu = 0;
constexpr int mode_ascii = 1;
constexpr int mode_bcc = 2;

bool rdx_or_hqp(int device) {
    return device == device_rdx || device == device_hqp;
}

// RDX cards speak no 7-bit Allen-Bradley: the header is adjusted at once (and keeps the
// adjustment when the dialog is cancelled); RDX and HQP dialogs open with 8 data bits.
void prepare_allen_bradley(protocol_header& header, header_values& preset, user_interface& ui) {
    if (header.device_code == device_rdx && header.data_bits == 7) {
        ui.message("RDX does not support 7-bit communications.\nSettings have been adjusted "
                   "accordingly");
        header.data_bits = 8;
    }
    if (rdx_or_hqp(header.device_code))
        preset.data_bits = 8;
}

// RDX and HQP cards speak neither 7-bit nor ASCII Modbus or Siemens; the header is adjusted at
// once and keeps the adjustment when the dialog is cancelled.
void prepare_modbus_siemens(protocol_header& header, header_values& preset, user_interface& ui) {
    if (rdx_or_hqp(header.device_code) && (header.data_bits == 7 || header.mode == mode_ascii)) {
        ui.message("RDX/HQP does not support 7-bit communications or ASCII mode.\nSettings "
                   "have been adjusted accordingly");
        header.data_bits = preset.data_bits = 8;
        header.mode = preset.mode = mode_rtu;
    }
}

constexpr line_item mbplus_line[] = {{source_id}, {offset_in_gdb}, {number_of_words}};
constexpr header_field mbplus_edited[] = {byte_order, node, source_id, number_of_words,
                                          offset_in_gdb};
constexpr line_item mbtcp_line[] = {{ip_address}, {network_mask}, {default_gateway}};
constexpr header_field tcpip_edited[] = {byte_order, ip_address, network_mask, default_gateway};
constexpr line_item profibus_line[] = {{input_size}, {output_size}, {node}};
constexpr header_field profibus_edited[] = {byte_order, node, input_size, output_size};
constexpr line_item profinet_line[] = {
    {ip_address, 19}, {network_mask, 19}, {default_gateway, 19}, {input_size}, {output_size}};
constexpr header_field profinet_edited[] = {byte_order,      ip_address, network_mask,
                                            default_gateway, input_size, output_size};
constexpr line_item devicenet_line[] = {{io_input_size}, {io_output_size}};
constexpr header_field byte_order_only[] = {byte_order};
constexpr line_item ethernetip_line[] = {
    {ip_address}, {network_mask}, {default_gateway}, {io_input_size}, {io_output_size}};

} // namespace

const protocol_description generic_protocol{
    .code = protocol_generic,
    .name = "Generic protocol",
    .edited = serial_fields,
    .node_by_device = false,
    .reads_to_hreg = false,
};
const protocol_description ab_header{
    .code = protocol_allen_bradley,
    .name = "Allen-Bradley",
    .edited = serial_mode_fields,
    .modes = {check_modes, 3},
    .default_mode = mode_bcc,
    .default_byte_order = 1,
    .input_base = 0,
    .output_base = 0,
    .form = form_class_t::CComm2Form,
    .prepare_dialog = prepare_allen_bradley,
};
const protocol_description modbus_header{
    .code = protocol_modbus,
    .name = "Modbus",
    .edited = serial_mode_fields,
    .modes = {transmission_modes, mode_rtu},
    .form = form_class_t::CCommFORM,
    .prepare_dialog = prepare_modbus_siemens,
};
const protocol_description siemens_header{
    .code = protocol_siemens,
    .name = "Siemens",
    .edited = serial_mode_fields,
    .modes = {transmission_modes, mode_rtu},
    .input_base = 0,
    .output_base = 0,
    .form = form_class_t::CCommFORM,
    .prepare_dialog = prepare_modbus_siemens,
};
const protocol_description profibus_header{
    .code = protocol_profibus,
    .name = "Profibus",
    .keyword = "PROFIBUS",
    .line = profibus_line,
    .edited = profibus_edited,
    .input_base = 0,
    .output_base = 1024,
    .form = form_class_t::CProfibusForm,
};
const protocol_description mbtcp_header{
    .code = protocol_modbus_tcp,
    .name = "Modbus/TCP",
    .keyword = "MBTCP",
    .line = mbtcp_line,
    .edited = tcpip_edited,
    .output_base = 41025,
    .form = form_class_t::CMbTcpForm,
};
const protocol_description mbplus_header{
    .code = protocol_modbus_plus,
    .name = "Modbus+",
    .keyword = "MBPLUS",
    .line = mbplus_line,
    .edited = mbplus_edited,
    .output_base = 41025,
    .form = form_class_t::CMbplusForm,
};
const protocol_description devicenet_header{
    .code = protocol_devicenet,
    .name = "DeviceNet",
    .keyword = "DEVICENET",
    .line = devicenet_line,
    .edited = byte_order_only,
    .default_byte_order = 1,
    .node_by_device = false,
    .input_base = 0,
    .output_base = 0,
    .block_mapped = true,
    .form_height = 135,
    .form = form_class_t::CDeviceNetForm,
};
const protocol_description ethernetip_header{
    .code = protocol_ethernetip,
    .name = "Ethernet/IP",
    .keyword = "ETHIP",
    .line = ethernetip_line,
    .edited = tcpip_edited,
    .default_byte_order = 1,
    .node_by_device = false,
    .input_base = 0,
    .output_base = 0,
    .block_mapped = true,
    .form_height = 225,
    .form = form_class_t::CEthernetIPForm,
};
const protocol_description profinet_header{
    .code = protocol_profinet,
    .name = "ProfinetIO",
    .keyword = "PROFINET_IO",
    .line = profinet_line,
    .edited = profinet_edited,
    .input_base = 0,
    .output_base = 1024,
    .zeroes_node_and_regmax = true,
    .form = form_class_t::CProfinetForm,
};

int protocol_description::chosen_mode(int mode) const {
    if (modes.modes.empty())
        return mode;
    return std::find(modes.modes.begin(), modes.modes.end(), mode) != modes.modes.end()
               ? mode
               : modes.fallback;
}

bool protocol_description::edits(header_field field) const {
    return std::find(edited.begin(), edited.end(), field) != edited.end();
}

std::span<const protocol_description* const> protocol_descriptions() {
    static constexpr const protocol_description* all[] = {
        &generic_protocol, &ab_header,     &modbus_header,    &siemens_header,    &profibus_header,
        &mbtcp_header,     &mbplus_header, &devicenet_header, &ethernetip_header, &profinet_header};
    return all;
}

const protocol_description& protocol_description_for(int code) {
    for (const protocol_description* d : protocol_descriptions())
        if (d->code == code)
            return *d;
    return generic_protocol;
}

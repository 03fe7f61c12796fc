#pragma once
// The protocol header of a register map: the host protocol, its serial channel settings, the
// node number and the register limit, plus whatever a network protocol adds (subclasses).
// The generic protocol is a plain protocol_header named "Generic protocol".

#include "model/protocol_form_values.h"
#include "model/settings_dialogs.h"
#include "model/zrp_object.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

class zrp_file;

// Which settings form the document window shows for a header.
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

class protocol_header : public zrp_object {
  public:
    // owner, name, device code, then baud index, data bits, parity index, stop-bits index,
    // mode index, REGMAX, node number and byte order.
    protocol_header(zrp_file* owner, std::string name, int device_code, int baud, int data_bits,
                    int parity, int stop_bits, int mode, int regmax, int node, int byte_order);

    // The device line and the "PLC_CHAN", "REGMAX" and "NODENUM" lines.
    void write(std::ostream& out) override;
    // Reads up to and including the "NODENUM" line; false when the stream ends first.
    bool read(std::istream& in) override;
    // The common fields from the image header; always succeeds.
    bool decode_image(const image_header& header, byte_reader& records,
                      const image_info_block& info, int device_code) override;
    // The "Generic protocol" settings dialog.
    int edit(int mode_flags = 0) override;

    // A copy of this header with every value, of its own class (an undo step keeps the
    // header a change replaced).
    virtual std::unique_ptr<protocol_header> clone() const {
        return std::make_unique<protocol_header>(*this);
    }

    // Takes the values a settings form shows; 1 when anything changed, 0 when nothing did or
    // there is no form (nullptr) or the form is still filling.
    virtual int apply_form(const protocol_form_values* form);
    // Next free register number in a block (block-mapped headers only; -1 elsewhere).
    virtual int next_block_register(int block_index);
    virtual bool is_block_mapped() const { return false; }
    // Width and height of the settings form pane.
    virtual std::pair<int, int> form_pane_size() const { return {100, 120}; }
    virtual int input_base() const { return 40001; }
    virtual int output_base() const { return 40001; }
    // Number of blocks (0 when none) and the table; only block-mapped headers have one.
    virtual int block_table(const block_table_t** table) const;
    virtual form_class_t form_class() const { return form_class_t::CGenericForm; }

    // Fills the image header (offsets 2..29, all but the length and record count) and the
    // information block for this header: the inverse of decode_image. Block-mapped headers
    // with blocks also set the block flag (bit 15 of the word at offset 22); the caller then
    // appends block_layout::encode_block_area after the records.
    virtual void encode_image(image_header& header, image_info_block& info) const;
    // The protocol code the image header carries for this header (offset 2).
    virtual int protocol_code() const { return 0; }
    // Why saving this header and reading the saved lines back would not give its values
    // again, or an empty text when it would. Only a header decoded from a device image can
    // hold such values.
    virtual std::string loss_on_save() const { return {}; }

    zrp_file* owner = nullptr;
    std::string name;
    int device_code = 0;
    int baud = 1;
    int data_bits = 8;
    int parity = 0;
    int stop_bits = 0;
    int mode = 0;
    int byte_order = 0;
    int node = 0;
    int regmax = 65535;

    // The node number of a new header: 1 for devices "WNT" and "HQP", else 0.
    static int default_node(int device_code) { return device_code == 2 || device_code == 3; }

  protected:
    // The dialog values of the common serial fields.
    protocol_dialog_values dialog_values() const;
    // Takes the common serial fields of a confirmed dialog (baud, data bits, parity, stop bits,
    // byte order, node number).
    void take_serial_values(const protocol_dialog_values& values);
    // Compares the serial fields of a form (with the mode already mapped) with the header's and
    // takes them when any differs; 1 when something changed.
    int take_serial_form(const protocol_form_values& form, int mapped_mode);

    // Information block helpers: whether it starts with keyword (its characters only), the
    // text of the 16-byte slot at offset, and writing a keyword or a slot.
    static bool info_starts_with(const image_info_block& info, std::string_view keyword);
    static std::string info_slot(const image_info_block& info, std::size_t offset);
    // An integer read from a slot with C prefix rules; fallback when nothing parses.
    static int info_slot_integer(const image_info_block& info, std::size_t offset, int fallback);
    static void put_info_text(image_info_block& info, std::size_t offset, std::string_view text,
                              std::size_t width = 16);
    // Reads lines (up to 255 characters) until one whose first word is exactly "HREG"; calls
    // on_line with the first word and the whole line for every other line. False when the
    // stream ends first.
    bool read_until_hreg(
        std::istream& in,
        const std::function<void(const std::string& first_word, const std::string& line)>& on_line);
};

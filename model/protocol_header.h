#pragma once
// The protocol header of a register map: the host protocol (its description), the device the
// map is for and the protocol's values (serial channel settings, node number, register limit
// and whatever the protocol adds). Reading and writing it is the header codec's job; what
// differs between protocols is in their descriptions.

#include "model/protocol_description.h"

#include <string>
#include <utility>

class user_interface;
class zrp_file;

class protocol_header : public header_values {
  public:
    // A header of a new map: the protocol's defaults for device_code.
    explicit protocol_header(const protocol_description& description, int device_code = 0,
                             zrp_file* owner = nullptr);

    const protocol_description& description() const { return *description_; }
    std::string_view name() const { return description_->name; }
    int protocol_code() const { return description_->code; }
    bool is_block_mapped() const { return description_->block_mapped; }
    int input_base() const { return description_->input_base; }
    int output_base() const { return description_->output_base; }
    form_class_t form_class() const { return description_->form; }
    // Width and height of the settings form pane.
    std::pair<int, int> form_pane_size() const { return {100, description_->form_height}; }
    // Next free register number in a block (block-mapped headers only; -1 elsewhere).
    int next_block_register(int block_index) const;
    // Why saving this header and reading the saved lines back would not give its values
    // again, or an empty text when it would. Only a header decoded from a device image can
    // hold such values.
    std::string loss_on_save() const;

    // The values the settings dialog starts from, after the protocol's rules have adjusted
    // the header for its device (telling the user through ui): a header without blocks starts
    // from the default block table.
    header_values dialog_values(user_interface& ui);
    // Takes what a confirmed settings dialog chose: the values the protocol edits and, for a
    // block-mapped header, the blocks.
    void take_dialog(const header_values& chosen);
    // Takes what the settings form shows; true when any edited value changed.
    bool take_form(const header_values& shown);

    // The node number of a new header: 1 for devices "WNT" and "HQP", else 0.
    static int default_node(int device_code) { return device_code == 2 || device_code == 3; }

    zrp_file* owner = nullptr;
    int device_code = 0;

  private:
    // Copies the edited values of from; true when any differed.
    bool take_edited(const header_values& from);

    const protocol_description* description_;
};

#include "model/protocol_header.h"

protocol_header::protocol_header(const protocol_description& description, int device,
                                 zrp_file* owner_file)
    : owner(owner_file), device_code(device), description_(&description) {
    mode = description.default_mode;
    byte_order = description.default_byte_order;
    node = description.node_by_device ? default_node(device) : 0;
}

int protocol_header::next_block_register(int block_index) const {
    return is_block_mapped() ? blocks.next_register(owner, block_index) : -1;
}

std::string protocol_header::loss_on_save() const {
    return is_block_mapped() ? blocks.loss_on_save() : std::string();
}

header_values protocol_header::dialog_values(user_interface& ui) {
    header_values preset = *this;
    preset.mode = description_->chosen_mode(mode);
    if (is_block_mapped() && blocks.block_count == 0)
        preset.blocks = block_layout::default_layout(256, 256);
    if (description_->prepare_dialog)
        description_->prepare_dialog(*this, preset, ui);
    return preset;
}

void protocol_header::take_dialog(const header_values& chosen) {
    take_edited(chosen);
    if (is_block_mapped())
        blocks = chosen.blocks;
}

bool protocol_header::take_form(const header_values& shown) {
    return take_edited(shown);
}

bool protocol_header::take_edited(const header_values& from) {
    bool changed = false;
    for (header_field field : description_->edited) {
        if (std::uint32_t* address = this->address(field)) {
            changed = changed || *address != *from.address(field);
            *address = *from.address(field);
            continue;
        }
        int value = *from.integer(field);
        if (field == header_field::mode)
            value = description_->chosen_mode(value);
        int& own = *integer(field);
        changed = changed || own != value;
        own = value;
    }
    return changed;
}

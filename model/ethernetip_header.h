#pragma once
// EtherNet/IP: a block-mapped protocol; "ETHIP" line with the TCP/IP settings and the I/O
// sizes, then 22 block lines.

#include "model/block_layout.h"
#include "model/protocol_header.h"

class ethernetip_header : public protocol_header {
  public:
    std::unique_ptr<protocol_header> clone() const override {
        return std::make_unique<ethernetip_header>(*this);
    }
    ethernetip_header(zrp_file* owner, int device_code);

    void write(std::ostream& out) override;
    bool read(std::istream& in) override;
    bool decode_image(const image_header& header, byte_reader& records,
                      const image_info_block& info, int device_code) override;
    int edit(int mode_flags = 0) override;
    int apply_form(const protocol_form_values* form) override;
    int next_block_register(int block_index) override;
    bool is_block_mapped() const override { return true; }
    std::pair<int, int> form_pane_size() const override { return {100, 225}; }
    int input_base() const override { return 0; }
    int output_base() const override { return 0; }
    int block_table(const block_table_t** table) const override;
    std::string loss_on_save() const override { return blocks.loss_on_save(); }
    form_class_t form_class() const override { return form_class_t::CEthernetIPForm; }
    int protocol_code() const override { return 13; }
    void encode_image(image_header& header, image_info_block& info) const override;

    block_layout blocks;
    std::uint32_t ip_address = 0;
    std::uint32_t network_mask = 0;
    std::uint32_t default_gateway = 0;
};

#pragma once
// Profibus: block sizes and node address on a "PROFIBUS" line; bases 0 and 1024.

#include "model/protocol_header.h"

class profibus_header : public protocol_header {
  public:
    std::unique_ptr<protocol_header> clone() const override {
        return std::make_unique<profibus_header>(*this);
    }
    profibus_header(zrp_file* owner, int device_code, int input_size = 0, int output_size = 0);

    void write(std::ostream& out) override;
    bool read(std::istream& in) override;
    bool decode_image(const image_header& header, byte_reader& records,
                      const image_info_block& info, int device_code) override;
    int edit(int mode_flags = 0) override;
    int apply_form(const protocol_form_values* form) override;
    int input_base() const override { return 0; }
    int output_base() const override { return 1024; }
    form_class_t form_class() const override { return form_class_t::CProfibusForm; }
    int protocol_code() const override { return 9; }
    void encode_image(image_header& header, image_info_block& info) const override;

    int input_size = 0;  // 0..244
    int output_size = 0; // 0..244
};

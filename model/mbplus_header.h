#pragma once
// Modbus Plus: global data settings on an "MBPLUS" line; bases 40001 and 41025.

#include "model/protocol_header.h"

class mbplus_header : public protocol_header {
  public:
    std::unique_ptr<protocol_header> clone() const override {
        return std::make_unique<mbplus_header>(*this);
    }
    mbplus_header(zrp_file* owner, int device_code, int source_id = 0, int number_of_words = 0,
                  int offset_in_gdb = 0);

    void write(std::ostream& out) override;
    bool read(std::istream& in) override;
    bool decode_image(const image_header& header, byte_reader& records,
                      const image_info_block& info, int device_code) override;
    int edit(int mode_flags = 0) override;
    int apply_form(const protocol_form_values* form) override;
    int input_base() const override { return 40001; }
    int output_base() const override { return 41025; }
    form_class_t form_class() const override { return form_class_t::CMbplusForm; }
    int protocol_code() const override { return 11; }
    void encode_image(image_header& header, image_info_block& info) const override;

    int source_id = 0;
    int number_of_words = 0;
    int offset_in_gdb = 0;
};

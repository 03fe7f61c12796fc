#pragma once
// Profinet IO: TCP/IP settings and block sizes in bytes on a "PROFINET_IO" line; bases 0 and
// 1024. Its common lines always carry 0 for the node number and REGMAX.

#include "model/protocol_header.h"

class profinet_header : public protocol_header {
  public:
    std::unique_ptr<protocol_header> clone() const override {
        return std::make_unique<profinet_header>(*this);
    }
    profinet_header(zrp_file* owner, int device_code, std::uint32_t ip_address = 0,
                    std::uint32_t network_mask = 0, std::uint32_t default_gateway = 0,
                    int input_size = 0, int output_size = 0);

    void write(std::ostream& out) override;
    bool read(std::istream& in) override;
    bool decode_image(const image_header& header, byte_reader& records,
                      const image_info_block& info, int device_code) override;
    int edit(int mode_flags = 0) override;
    int apply_form(const protocol_form_values* form) override;
    int input_base() const override { return 0; }
    int output_base() const override { return 1024; }
    form_class_t form_class() const override { return form_class_t::CProfinetForm; }
    int protocol_code() const override { return 14; }
    void encode_image(image_header& header, image_info_block& info) const override;

    std::uint32_t ip_address = 0;
    std::uint32_t network_mask = 0;
    std::uint32_t default_gateway = 0;
    int input_size = 0;  // bytes, 0..1536
    int output_size = 0; // bytes, 0..1536
};

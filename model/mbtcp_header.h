#pragma once
// Modbus/TCP: TCP/IP settings on an "MBTCP" line; bases 40001 and 41025.

#include "model/protocol_header.h"

class mbtcp_header : public protocol_header {
  public:
    std::unique_ptr<protocol_header> clone() const override {
        return std::make_unique<mbtcp_header>(*this);
    }
    mbtcp_header(zrp_file* owner, int device_code, std::uint32_t ip_address = 0,
                 std::uint32_t network_mask = 0, std::uint32_t default_gateway = 0);

    void write(std::ostream& out) override;
    bool read(std::istream& in) override;
    bool decode_image(const image_header& header, byte_reader& records,
                      const image_info_block& info, int device_code) override;
    int edit(int mode_flags = 0) override;
    int apply_form(const protocol_form_values* form) override;
    int input_base() const override { return 40001; }
    int output_base() const override { return 41025; }
    form_class_t form_class() const override { return form_class_t::CMbTcpForm; }
    int protocol_code() const override { return 10; }
    void encode_image(image_header& header, image_info_block& info) const override;

    std::uint32_t ip_address = 0;
    std::uint32_t network_mask = 0;
    std::uint32_t default_gateway = 0;
};

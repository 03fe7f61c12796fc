#pragma once
// Allen-Bradley: serial settings with a BCC/CRC check mode; register bases 0 and 0.

#include "model/generic_header.h"

class ab_header : public generic_header {
  public:
    std::unique_ptr<protocol_header> clone() const override {
        return std::make_unique<ab_header>(*this);
    }
    ab_header(zrp_file* owner, int device_code); // the defaults of a new map

    int edit(int mode_flags = 0) override;
    int apply_form(const protocol_form_values* form) override;
    int input_base() const override { return 0; }
    int output_base() const override { return 0; }
    form_class_t form_class() const override { return form_class_t::CComm2Form; }
    int protocol_code() const override { return 2; }
};

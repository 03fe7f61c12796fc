#pragma once
// Modbus and Siemens: serial settings with an RTU/ASCII mode. Siemens maps start their
// registers at 0, Modbus maps at 40001.

#include "model/generic_header.h"

class mb_siemens_header : public generic_header {
  public:
    std::unique_ptr<protocol_header> clone() const override {
        return std::make_unique<mb_siemens_header>(*this);
    }
    // The defaults of a new map; siemens selects the name "Siemens" instead of "Modbus".
    mb_siemens_header(zrp_file* owner, int device_code, bool siemens);

    int edit(int mode_flags = 0) override;
    int apply_form(const protocol_form_values* form) override;
    int input_base() const override { return siemens ? 0 : 40001; }
    int output_base() const override { return siemens ? 0 : 40001; }
    form_class_t form_class() const override { return form_class_t::CCommFORM; }
    int protocol_code() const override { return siemens ? 3 : 1; }

    bool siemens = false;
};

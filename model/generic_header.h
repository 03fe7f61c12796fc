#pragma once
// Base of the serial protocol headers (Allen-Bradley, Modbus, Siemens): the common header
// followed by lines up to "HREG".

#include "model/protocol_header.h"

class generic_header : public protocol_header {
  public:
    std::unique_ptr<protocol_header> clone() const override {
        return std::make_unique<generic_header>(*this);
    }
    using protocol_header::protocol_header;
    // The common header, then lines up to and including "HREG"; false when it is missing.
    bool read(std::istream& in) override;
};

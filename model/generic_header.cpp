#include "model/generic_header.h"

bool generic_header::read(std::istream& in) {
    if (!protocol_header::read(in))
        return false;
    // The serial headers carry no lines of their own after "NODENUM"; anything up to "HREG" is
    // skipped.
    return read_until_hreg(in, nullptr);
}

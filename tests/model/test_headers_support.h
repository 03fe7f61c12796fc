#pragma once
// Shared helpers of the protocol header tests: building each protocol's header, its text, a
// device image header, and settings dialogs that record what they were shown.

#include "core/user_interface.h"
#include "format/header_codec.h"
#include "model/protocol_header.h"

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace header_test {

// A header of protocol code with the defaults of a new map.
inline std::unique_ptr<protocol_header> make_header(int protocol_code, int device_code,
                                                    zrp_file* owner = nullptr) {
    return std::make_unique<protocol_header>(protocol_description_for(protocol_code), device_code,
                                             owner);
}

inline std::string text_of(protocol_header& header) {
    std::ostringstream out;
    write_header(out, header);
    return out.str();
}

// Reads text into header as a map load does: the device line has been consumed already.
inline bool read_after_device_line(protocol_header& header, const std::string& text) {
    std::istringstream in(text.substr(text.find('\n') + 1));
    return read_header(in, header);
}

inline void put16(std::uint8_t* p, unsigned v) {
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}
inline void put32(std::uint8_t* p, unsigned v) {
    put16(p, v >> 16);
    put16(p + 2, v & 0xFFFF);
}
inline void put_text(image_info_block& info, std::size_t offset, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        info[offset + i] = static_cast<std::uint8_t>(text[i]);
}

// Records every protocol settings dialog it is asked to run and answers with result after
// letting change adjust the values.
class recording_dialogs {
  public:
    int run(const protocol_description& protocol, int device_code, header_values& values) {
        kinds.push_back(protocol.form);
        devices.push_back(device_code);
        shown.push_back(values);
        if (change)
            change(values);
        return result;
    }

    int result = 1;
    std::function<void(header_values&)> change;
    std::vector<form_class_t> kinds;
    std::vector<int> devices;
    std::vector<header_values> shown;
};

// A header's settings dialog as a view runs it: the values the header's rules prepare (their
// messages to ui), the dialog, and OK's values taken. Returns the dialog's result.
inline int run_header_dialog(protocol_header& header, recording_dialogs& dialogs,
                             user_interface& ui) {
    header_values values = header.dialog_values(ui);
    const int result = dialogs.run(header.description(), header.device_code, values);
    if (result == 1)
        header.take_dialog(values);
    return result;
}

} // namespace header_test

#pragma once
// Shared helpers of the protocol header tests: building each header class, its text, a
// device image header, and a settings_dialogs that records what it was shown.

#include "model/header_codec.h"
#include "model/protocol_header.h"
#include "model/settings_dialogs.h"

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
class recording_dialogs : public settings_dialogs {
  public:
    int run_host_selection(host_selection_values&) override { return 0; }
    int run_register_properties(register_dialog_values&, int) override { return 0; }
    int run_protocol_settings(const protocol_description& protocol, int device_code,
                              header_values& values) override {
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

// Installs a settings_dialogs for the lifetime of the object.
class scoped_dialogs {
  public:
    explicit scoped_dialogs(settings_dialogs& d) : previous_(set_dialogs(&d)) {}
    ~scoped_dialogs() { set_dialogs(previous_); }
    scoped_dialogs(const scoped_dialogs&) = delete;
    scoped_dialogs& operator=(const scoped_dialogs&) = delete;

  private:
    settings_dialogs* previous_;
};

} // namespace header_test

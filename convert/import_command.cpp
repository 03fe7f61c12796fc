#include "convert/import_command.h"

#include "convert/Kconvert.h"
#include "convert/convert_messages.h"
#include "core/user_interface.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {
struct device_prefix {
    std::string_view word;
    std::string_view prefix;
    int code;
};

constexpr device_prefix devices[] = {
    {"BLF", "BLF ", 0},
    {"RDX", "RDX ", 1},
    {"WNT", "WNT ", 2},
    {"HQP", "HQP ", 3},
};

// Protocol words by selection position; position 1 (Modbus) is also the word for any
// position without one.
constexpr std::string_view protocol_words[] = {
    "Allen-Bradley", "Modbus",    "Siemens",     "Profibus",   "Modbus/TCP",
    "Modbus+",       "DeviceNet", "Ethernet/IP", "ProfinetIO",
};
constexpr int modbus_position = 1;

std::filesystem::path normalised(const std::string& path) {
    std::error_code ec;
    auto absolute = std::filesystem::absolute(path, ec);
    return (ec ? std::filesystem::path(path) : absolute).lexically_normal();
}
} // namespace

std::string_view import_protocol_word(int position) {
    if (position < 0 || position >= static_cast<int>(std::size(protocol_words)))
        position = modbus_position;
    return protocol_words[position];
}

std::optional<int> import_protocol_position(std::string_view word) {
    auto it = std::find(std::begin(protocol_words), std::end(protocol_words), word);
    if (it == std::end(protocol_words))
        return std::nullopt;
    return static_cast<int>(it - std::begin(protocol_words));
}

import_target import_target_for(const std::optional<import_selection>& selection) {
    import_target target;
    if (!selection)
        return target;
    std::string_view prefix;
    target.device_code = 255;
    for (const auto& d : devices)
        if (d.word == selection->device_word) {
            prefix = d.prefix;
            target.device_code = d.code;
        }
    target.description = std::string(prefix) +
                         std::string(import_protocol_word(selection->protocol_position)) +
                         " Protocol";
    return target;
}

bool import_command::check_files(overwrite_policy policy) {
    using namespace convert_text;
    if (std::ifstream(new_path_).is_open()) {
        bool overwrite =
            policy == overwrite_policy::allow ||
            (policy == overwrite_policy::ask && ui_.ask_yes_no(std::string(overwrite_question)));
        if (!overwrite) {
            ui_.message(std::string(conversion_cancelled));
            return false;
        }
    }
    if (normalised(new_path_) == normalised(old_path_)) {
        ui_.message(std::string(same_file));
        return false;
    }
    return true;
}

import_outcome import_command::convert(const std::optional<import_selection>& selection) {
    import_target target = import_target_for(selection);
    Kconvert converter(ui_);
    converter.set_device_code(target.device_code);
    if (!log_path_.empty())
        converter.set_log_path(log_path_);
    if (!converter.conversion(old_path_, new_path_, target.description)) {
        ui_.message(std::string(convert_text::conversion_failed));
        return import_outcome::failed;
    }
    return converter.last_outcome() == Kconvert::outcome::done ? import_outcome::done
                                                               : import_outcome::errors;
}

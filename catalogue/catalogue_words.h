#pragma once
// The values the parameter file uses for a device's "ctrl_type" and a parameter's "type",
// each one table with its code look-up. Look-ups are exact and case-sensitive.

#include <string_view>

// A catalogue device that belongs to every device code.
constexpr int any_device_code = 255;
// The type code of a parameter whose "type" is missing or not in the table.
constexpr int unknown_param_type = 4;

enum param_type_t {
    param_bits = 0,
    param_int = 1,
    param_float = 2,
    param_string = 3,
    param_other = unknown_param_type,
    param_array = 6,
    param_long = 7,
};

// "blf" 0, "rdx" 1, "wnt" 2, "hqp" 3; false for any other value.
bool ctrl_type_code(std::string_view value, int& code);
// "bits" 0, "int" 1, "float" 2, "string" 3, "array" 6, "long" 7; anything else 4.
int param_type_code(std::string_view value);

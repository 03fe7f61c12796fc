#pragma once
// The table that turns the three-character mnemonics of old register maps into current
// parameter names. One table, searched in order; the first exact, case-sensitive match wins.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

struct mnemonic_row {
    std::string_view key;
    std::string_view name;
};

constexpr std::size_t mnemonic_table_size = 185;

// Every row, in table order.
std::span<const mnemonic_row> mnemonic_rows();

// The new name of an old mnemonic for a target device code, or nothing when the table has no
// such mnemonic. The status words "ASR" and "PSR" depend on the device: codes 1 and 3 give
// "CondAlarmStat" / "CondProcStat", codes 0 and 2 "CondensedAlrmStatus" /
// "CondensedProcStatus", any other code the table's own name.
std::optional<std::string_view> new_parameter_name(std::string_view mnemonic, int device_code);

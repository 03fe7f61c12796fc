#include "model/model_tables.h"

#include <algorithm>
#include <array>

int word_table::code(std::string_view word) const {
    return find(word).value_or(unknown_);
}

std::optional<int> word_table::find(std::string_view word) const {
    for (std::size_t i = 0; i < count_; ++i)
        if (rows_[i].word == word)
            return rows_[i].code;
    return std::nullopt;
}

std::optional<std::string_view> word_table::word(int code) const {
    for (std::size_t i = 0; i < count_; ++i)
        if (rows_[i].code == code)
            return rows_[i].word;
    return std::nullopt;
}

std::string_view word_table::word_or_default(int code) const {
    if (auto w = word(code))
        return *w;
    if (auto w = word(unknown_))
        return *w;
    return {};
}

namespace {

constexpr word_code device_rows[] = {{"BLF", 0}, {"RDX", 1}, {"WNT", 2}, {"HQP", 3}};

constexpr word_code protocol_rows[] = {
    {"Generic protocol", 0}, {"Modbus", 1},      {"Allen-Bradley", 2}, {"Siemens", 3},
    {"Profibus", 9},         {"Modbus/TCP", 10}, {"Modbus+", 11},      {"DeviceNet", 12},
    {"Ethernet/IP", 13},     {"ProfinetIO", 14},
};

constexpr word_code baud_rows[] = {{"9600", 0}, {"19200", 1}, {"38400", 2}, {"57600", 3}};
constexpr word_code mode_rows[] = {{"RTU", 0}, {"ASCII", 1}, {"BCC", 2}, {"CRC", 3}};
constexpr word_code parity_rows[] = {{"NOPARITY", 0}, {"EVEN_PARITY", 1}, {"ODD_PARITY", 2}};
constexpr word_code stop_bits_rows[] = {{"1STOPBIT", 0}, {"2STOPBITS", 1}};
constexpr word_code byte_order_rows[] = {{"MSBYTE_FIRST", 0}, {"LSBYTE_FIRST", 1}};

constexpr word_code format_name_rows[] = {
    {"INT_PASSTHRU", 0}, {"INT_NUMERIC", 1},  {"INT_DEC_SHIFT", 2}, {"COMMANDS", 3},
    {"STATUS", 4},       {"ROM_CONSTANT", 5}, {"SIEMENS_FLOAT", 6}, {"IEEE_FLOAT", 7},
    {"BITWRITE_VAL", 8}, {"STRING_VAL", 9},   {"STATUS_VAL", 10},   {"INT_ARRAY", 11},
};

constexpr word_code format_label_rows[] = {
    {"Integer (pass thru)", 0}, {"Integer (numeric)", 1}, {"Integer (decimal shift)", 2},
    {"Bitmap command", 3},      {"Bitmap status", 4},     {"ROM constant", 5},
    {"Siemens float", 6},       {"IEEE float", 7},        {"Bit Write Value", 8},
    {"String Value", 9},        {"Status Value", 10},     {"IntArray(pass thru)", 11},
};

// "XOT" stands for 5 and for 7; the word look-up finds 5 first, so 7 reads back as 5.
constexpr word_code command_value_rows[] = {{"OFF", 0}, {"HI", 1},  {"LO", 2}, {"HIT", 3},
                                            {"LOT", 4}, {"XOT", 5}, {"XOT", 7}};

constexpr word_code negative_rows[] = {
    {"SIGNED", 0}, {"SIGNED", 1}, {"UNSIGNED", 2}, {"FORCE_0", 3}};

const word_table device_table{device_rows, 0};
const word_table protocol_table{protocol_rows, 0};
const word_table baud_table{baud_rows, 1};
const word_table mode_table{mode_rows, 0};
const word_table parity_table{parity_rows, 0};
const word_table stop_bits_table{stop_bits_rows, 0};
const word_table byte_order_table{byte_order_rows, 0};
const word_table format_name_table{format_name_rows, 0};
const word_table format_label_table{format_label_rows, 0};
const word_table command_value_table{command_value_rows, 0};
const word_table negative_table{negative_rows, 0};

// Status mnemonics by code; an empty entry has no mnemonic.
using status_row = std::array<std::string_view, 16>;
constexpr status_row status_rdx = {"XXX",  "PSR",  "ASR",  "FAS",  "PSW7", "ASW0", "ASW1", "ASW2",
                                   "ASW3", "PSW0", "PSW1", "PSW2", "PSW3", "PSW4", "PSW5", "PSW6"};
constexpr status_row status_hqp = {"XXX",  "PSR",  "ASR",  "PSW3", "PSW7", "ASW0", "ASW1", "ASW2",
                                   "ASW3", "ASW4", "ASW5", "ASW6", "ASW7", "PSW0", "PSW1", "PSW2"};
constexpr status_row status_blf_wnt = {"XXX",  "PSR",  "ASR",  "FAS",  "SYS",  "ASW0",
                                       "ASW1", "ASW2", "ASW3", "ASW4", "ASW5", "ASW6",
                                       "ASW7", "",     "",     ""};

const status_row& status_table(int device_code) {
    switch (device_code) {
    case device_rdx:
        return status_rdx;
    case device_hqp:
        return status_hqp;
    default:
        return status_blf_wnt;
    }
}

// Host protocol selection positions 0..8.
constexpr std::array<int, 9> position_codes = {2, 1, 3, 9, 10, 11, 12, 13, 14};

constexpr word_code selection_device_rows[] = {{"WNT", 2}, {"RDX", 1}, {"BLF", 0}};
const word_table selection_device_table{selection_device_rows, 3};

constexpr std::string_view array_parameters[] = {"ProcStat", "AlarmStat"};
constexpr std::string_view string_parameters[] = {
    "LXGType",       "LXGConfig",     "FeederName",   "CtrlBoardSWRev", "CtrlBoardHWRev",
    "LXGBoardSWRev", "LXGBoardHWRev", "SerialNumber", "HcuAlarmNumber", "HcuAlarmName"};
constexpr std::string_view status_word_parameters[] = {
    "ProcessStatus", "AlarmStatus",   "CondensedProcStatus", "CondensedAlrmStatus",
    "CondProcStat",  "CondAlarmStat", "LXGStatus",           "MDUStatus",
    "AlarmStatus0",  "AlarmStatus1",  "AlarmStatus2",        "AlarmStatus3",
    "AlarmStatus4",  "AlarmStatus5",  "AlarmStatus6",        "AlarmStatus7"};

template <std::size_t N> bool contains(const std::string_view (&names)[N], std::string_view name) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

} // namespace

const word_table& device_words() {
    return device_table;
}
const word_table& protocol_words() {
    return protocol_table;
}
const word_table& baud_words() {
    return baud_table;
}
const word_table& mode_words() {
    return mode_table;
}
const word_table& parity_words() {
    return parity_table;
}
const word_table& stop_bits_words() {
    return stop_bits_table;
}
const word_table& byte_order_words() {
    return byte_order_table;
}
const word_table& format_names() {
    return format_name_table;
}
const word_table& format_labels() {
    return format_label_table;
}
const word_table& command_value_words() {
    return command_value_table;
}
const word_table& negative_words() {
    return negative_table;
}

std::string_view status_mnemonic(int device_code, int status_code) {
    if (status_code < 0 || status_code > 15)
        return {};
    return status_table(device_code)[static_cast<std::size_t>(status_code)];
}

int status_code(int device_code, std::string_view mnemonic) {
    if (mnemonic.empty())
        return 0;
    const status_row& row = status_table(device_code);
    for (std::size_t i = 0; i < row.size(); ++i)
        if (row[i] == mnemonic)
            return static_cast<int>(i);
    return 0;
}

int protocol_code_for_position(int position) {
    if (position < 0 || position >= static_cast<int>(position_codes.size()))
        return protocol_generic;
    return position_codes[static_cast<std::size_t>(position)];
}

int position_for_protocol_code(int code) {
    for (std::size_t i = 0; i < position_codes.size(); ++i)
        if (position_codes[i] == code)
            return static_cast<int>(i);
    return 0;
}

int device_code_for_selection_word(std::string_view word) {
    return selection_device_table.code(word);
}

std::string_view selection_word_for_device_code(int code) {
    return device_table.word_or_default(code);
}

bool is_array_parameter(std::string_view name) {
    return contains(array_parameters, name);
}
bool is_string_parameter(std::string_view name) {
    return contains(string_parameters, name);
}
bool is_status_word_parameter(std::string_view name) {
    return contains(status_word_parameters, name);
}

#include "editing/register_bits_state.h"

#include "model/image_limits.h"
#include "protocol_ui/protocol_ui_texts.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace {

constexpr std::string_view trigger_mode_labels[] = {"Off",         "Active high",  "Active low",
                                                    "Rising edge", "Falling edge", "Any edge"};

constexpr std::string_view command_mnemonic_list[] = {
    "XXXX", "CACF", "CALA", "CALC", "CCBC", "CCFF", "CCRF", "CDBI", "CDOF", "CDON",
    "CETY", "CFIL", "CHCA", "CHDF", "CHDO", "CHRU", "CHST", "CMAM", "CMRD", "CMRU",
    "CPAS", "CPOL", "CSKW", "CSPA", "CSPC", "CSTC", "CTAR", "CTOC", "CTOF", "CTON",
    "CTR2", "CVOM", "cacr", "cpas", "crcr", "cstc", "cspc", "ctoc"};

constexpr std::string_view command_legend_lines[] = {"XXXX = unused",
                                                     "CALA = CMDAlarmAck",
                                                     "CALC = CMDAlarmClear",
                                                     "CTOC = CMDClearTotaliz",
                                                     "CDBI = CMDClearDBI",
                                                     "CDOF = CMDDribbleManual",
                                                     "CMAM = CMDMassMode",
                                                     "CVOM = CMDVolMode",
                                                     "CSTC = CMDStartClrAlrms",
                                                     "CSPC = CMDStopClrAlrms",
                                                     "CSPA = CMDStopPresAlrms",
                                                     "CDON = CMDDribbleAuto",
                                                     "CCFF = CMDStartFFCalib",
                                                     "CTAR = CMDTare",
                                                     "CTR2 = CMDTareDyn",
                                                     "CCBC = CMDClrBatchCnt",
                                                     "CTON = CMDEnableTotal",
                                                     "CTOF = CMDInhibitTotal",
                                                     "CPAS = CMDPause",
                                                     "CMRD = CMDRampDown",
                                                     "CMRU = CMDRampUp",
                                                     "CCRF = CMDRefillCommand",
                                                     "cstc = CMDLineStart",
                                                     "cspc = CMDLineStop",
                                                     "ctoc = CMDLineTotClear",
                                                     "crcr = CMDRecallRecipe",
                                                     "cacr = CMDActivateRec",
                                                     "cpas = CMDLinePause",
                                                     "CHRU = CMDHcuRun",
                                                     "CHST = CMDHcuStop",
                                                     "CHCA = CMDHcuClrAlarms",
                                                     "CHDO = CMDHcuDischOn",
                                                     "CHDF = CMDHcuDischOff",
                                                     "CPOL = LXG Repoll",
                                                     "CETY = Empty Feeder",
                                                     "CSKW = Force Write",
                                                     "CACF = CMDVibrell Calib.",
                                                     "CFIL = Screw Fill"};

constexpr std::string_view status_common[] = {"XXXX", "ASR", "PSR", "ASW0", "ASW1", "ASW2", "ASW3"};
constexpr std::string_view status_extra_rdx[] = {"PSW0", "PSW1", "PSW2", "PSW3",
                                                 "PSW4", "PSW5", "PSW6", "PSW7"};
constexpr std::string_view status_extra_hqp[] = {"ASW4", "ASW5", "ASW6", "ASW7", "PSW0",
                                                 "PSW1", "PSW2", "PSW3", "PSW7"};
constexpr std::string_view status_extra_other[] = {"ASW4", "ASW5", "ASW6", "ASW7"};

std::span<const std::string_view> status_extra(int device_code) {
    if (device_code == 1)
        return status_extra_rdx;
    if (device_code == 3)
        return status_extra_hqp;
    return status_extra_other;
}

constexpr std::string_view status_legend_always[] = {
    "XXXX = unused",
    "ASR = CondensedAlrmStatus (bits 0-31)",
    "PSR = CondensedProcStatus (bits 0-31)",
    "[BLF | RDX] ASW0 = AlarmStatus0 (bits 0-31)",
    "[BLF | RDX] ASW1 = AlarmStatus1 (bits 32-63)",
    "[BLF | RDX] ASW2 = AlarmStatus2 (bits 64-95)",
    "[BLF | RDX] ASW3 = AlarmStatus3 (bits 96-127)"};

// The legend lines of the extra words, each with the word it explains.
struct word_legend {
    std::string_view word;
    std::string_view text;
};
constexpr word_legend status_legend_extra[] = {{"ASW4", "[BLF] ASW4 = AlarmStatus4 (bits 128-159)"},
                                               {"ASW5", "[BLF] ASW5 = AlarmStatus5 (bits 160-191)"},
                                               {"ASW6", "[BLF] ASW6 = AlarmStatus6 (bits 192-223)"},
                                               {"ASW7", "[BLF] ASW7 = AlarmStatus7 (bits 224-255)"},
                                               {"PSW0", "[RDX] PSW0 - ProcStatus0 (bits 0-31)"},
                                               {"PSW1", "[RDX] PSW1 - ProcStatus1 (bits 32-63)"},
                                               {"PSW2", "[RDX] PSW2 - ProcStatus2 (bits 64-95)"},
                                               {"PSW3", "[RDX] PSW3 - ProcStatus3 (bits 96-127)"},
                                               {"PSW4", "[RDX] PSW4 - ProcStatus4 (bits 128-159)"},
                                               {"PSW5", "[RDX] PSW5 - ProcStatus5 (bits 160-191)"},
                                               {"PSW6", "[RDX] PSW6 - ProcStatus6 (bits 192-223)"},
                                               {"PSW7", "[RDX] PSW7 - ProcStatus7 (bits 224-255)"}};

constexpr int trigger_mode_count = static_cast<int>(std::size(trigger_mode_labels));

} // namespace

std::string enter_between_message(int low, int high) {
    std::string text = text_enter_between;
    text.replace(text.find("%1"), 2, std::to_string(low));
    text.replace(text.find("%2"), 2, std::to_string(high));
    return text;
}

std::optional<int> parse_dialog_integer(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value, 10);
    if (text.empty() || error != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

register_bits_state::register_bits_state(const register_dialog_values& values, bool network)
    : device_code_(values.device_code), network_(network) {
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        commands_[i] = {std::to_string(values.commands[i].feeder), values.commands[i].mnemonic,
                        values.commands[i].value};
        status_[i] = {std::to_string(values.status[i].feeder), values.status[i].mnemonic,
                      std::to_string(values.status[i].bit_position)};
    }
}

std::size_t register_bits_state::index(int bit) {
    return static_cast<std::size_t>(bit < 0 ? 0 : bit >= register_bit_count ? 15 : bit);
}

bool register_bits_state::feeders_enabled() const {
    return device_code_ == 2 || device_code_ == 3;
}

void register_bits_state::open_commands() {
    commands_opened_ = true;
    for (command_bit_page& bit : commands_) {
        if (network_)
            bit.trigger = rising_edge;
        else if (bit.trigger < 0 || bit.trigger >= trigger_mode_count)
            bit.trigger = 0;
    }
}

void register_bits_state::open_status() {
    status_opened_ = true;
}

std::optional<dialog_refusal> register_bits_state::check(bool commands_present,
                                                         bool status_present) const {
    using field = dialog_refusal::field;
    for (int bit = register_bit_count - 1; bit >= 0 && commands_opened_ && commands_present; --bit)
        if (!parse_dialog_integer(command(bit).feeder_text))
            return dialog_refusal{field::command_feeder, bit, text_enter_integer};
    for (int bit = register_bit_count - 1; bit >= 0 && status_opened_ && status_present; --bit) {
        if (!parse_dialog_integer(status(bit).feeder_text))
            return dialog_refusal{field::status_feeder, bit, text_enter_integer};
        const auto position = parse_dialog_integer(status(bit).bit_position_text);
        if (!position)
            return dialog_refusal{field::status_bit_position, bit, text_enter_integer};
        if (*position < 0 || *position > 31)
            return dialog_refusal{field::status_bit_position, bit, enter_between_message(0, 31)};
    }
    return std::nullopt;
}

std::vector<mnemonic_question> register_bits_state::unknown_mnemonics(bool commands_present) const {
    std::vector<mnemonic_question> out;
    if (!commands_opened_ || !commands_present)
        return out;
    const auto known = command_mnemonics();
    for (int bit = register_bit_count - 1; bit >= 0; --bit) {
        const std::string& m = command(bit).mnemonic;
        if (std::find(known.begin(), known.end(), m) != known.end())
            continue;
        out.push_back({bit, "Mnemonic \"" + m + "\" on bit " + std::to_string(bit) +
                                " is not one the card knows; the card would get \"" +
                                card_command_mnemonic(m) + "\". Keep it?"});
    }
    return out;
}

void register_bits_state::write(register_dialog_values& values) const {
    for (std::size_t i = 0; i < commands_.size(); ++i) {
        if (commands_opened_) {
            command_bit_values& c = values.commands[i];
            c = {parse_dialog_integer(commands_[i].feeder_text).value_or(c.feeder),
                 commands_[i].trigger, commands_[i].mnemonic};
        }
        if (status_opened_) {
            status_bit_values& s = values.status[i];
            s = {parse_dialog_integer(status_[i].feeder_text).value_or(s.feeder),
                 parse_dialog_integer(status_[i].bit_position_text).value_or(s.bit_position),
                 status_[i].mnemonic};
        }
    }
}

std::span<const std::string_view> register_bits_state::trigger_modes() {
    return trigger_mode_labels;
}

std::span<const std::string_view> register_bits_state::command_mnemonics() {
    return command_mnemonic_list;
}

std::span<const std::string_view> register_bits_state::command_legend() {
    return command_legend_lines;
}

std::vector<std::string_view> register_bits_state::status_mnemonics(int device_code) {
    std::vector<std::string_view> list(std::begin(status_common), std::end(status_common));
    for (std::string_view word : status_extra(device_code))
        list.push_back(word);
    return list;
}

std::vector<legend_line> register_bits_state::status_legend(int device_code) {
    std::vector<legend_line> lines;
    for (std::string_view text : status_legend_always)
        lines.push_back({text, true});
    const auto extra = status_extra(device_code);
    for (const word_legend& line : status_legend_extra) {
        bool added = false;
        for (std::string_view word : extra)
            added = added || word == line.word;
        lines.push_back({line.text, added});
    }
    return lines;
}

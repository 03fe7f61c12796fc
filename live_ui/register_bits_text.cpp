#include "live_ui/register_bits_text.h"

#include "model/host_register.h"
#include "model/model_tables.h"

namespace {

struct trigger_row {
    int code;
    std::string_view name;
};
// The trigger modes by the command value codes the map stores; 7 is Any edge as well.
constexpr trigger_row trigger_rows[] = {{0, "Off"},         {1, "Active high"},  {2, "Active low"},
                                        {3, "Rising edge"}, {4, "Falling edge"}, {5, "Any edge"},
                                        {7, "Any edge"}};

constexpr std::string_view unused = "unused";

} // namespace

std::string_view trigger_mode_name(int value_code) {
    for (const auto& row : trigger_rows)
        if (row.code == value_code)
            return row.name;
    return trigger_rows[0].name;
}

bit_names command_bit_names(const host_register& reg) {
    bit_names names;
    for (std::size_t k = 0; k < names.size(); ++k) {
        const auto& entry = reg.commands[k];
        if (entry.mnemonic == "XXXX" || entry.mnemonic.empty())
            names[k] = unused;
        else
            names[k] = entry.mnemonic + ", F:" + std::to_string(entry.feeder) + ", " +
                       std::string(trigger_mode_name(entry.value));
    }
    return names;
}

bit_names status_bit_names(const host_register& reg) {
    bit_names names;
    const int device = register_device(reg);
    for (std::size_t k = 0; k < names.size(); ++k) {
        const auto& entry = reg.status[k];
        auto mnemonic = status_mnemonic(device, entry.code);
        if (entry.code == 0 || mnemonic.empty())
            names[k] = unused;
        else
            names[k] = std::string(mnemonic) + " bit " + std::to_string(entry.bit_position) +
                       ", F:" + std::to_string(entry.feeder);
    }
    return names;
}

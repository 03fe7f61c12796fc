#include "sim/host_card.h"

#include "core/silent_ui.h"
#include "format/map_text.h"
#include "live/poll_plan.h"
#include "live/value_rules.h"
#include "live/word_codec.h"
#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <sstream>

namespace {

// When a command entry fires, by its trigger mode (the command value code): the bit before
// and after a write of its register.
struct trigger_rule {
    int code;
    bool (*fires)(bool before, bool after);
};
constexpr trigger_rule trigger_rules[] = {
    {1, [](bool, bool after) { return after; }},                   // Active high
    {2, [](bool, bool after) { return !after; }},                  // Active low
    {3, [](bool before, bool after) { return !before && after; }}, // Rising edge
    {4, [](bool before, bool after) { return before && !after; }}, // Falling edge
    {5, [](bool before, bool after) { return before != after; }},  // Any edge
};

bool fires(int code, bool before, bool after) {
    for (const auto& rule : trigger_rules)
        if (rule.code == code)
            return rule.fires(before, after);
    return false; // Off, and codes without a mode
}

const char* const unused_command = "XXXX";

// Calls copy(i, at) for every word i of a register of `words` words at reg_address that lies
// within a request of count words at address; at is the word's place in the request.
template <typename Copy>
void for_shared_words(int reg_address, std::size_t words, int address, int count, Copy copy) {
    for (int i = 0; i < static_cast<int>(words); ++i) {
        const int at = reg_address + i - address;
        if (at >= 0 && at < count)
            copy(static_cast<std::size_t>(i), static_cast<std::size_t>(at));
    }
}

} // namespace

host_card::host_card(feeder_values values, std::function<void(const std::string&)> fired)
    : values_(std::move(values)), fired_(std::move(fired)) {}

host_card::~host_card() = default;

void host_card::set_map(const std::vector<std::string>& lines) {
    registers_.clear();
    command_words_.clear();
    map_.reset();
    if (lines.empty())
        return;
    std::string text;
    for (const auto& line : lines)
        text += line + '\n';
    std::istringstream in(text);
    // The card's store side has already told what it could not read in this map.
    auto map = std::make_unique<zrp_file>();
    silent_ui quiet;
    if (!read_map(in, *map, quiet))
        return;
    for (auto& reg : live_registers(*map)) {
        auto address = holding_address(reg.number, reg.layout.width());
        if (!address)
            continue;
        const host_register* source = map->registers[static_cast<std::size_t>(reg.index)].get();
        registers_.push_back({std::move(reg), source, *address});
    }
    std::stable_sort(registers_.begin(), registers_.end(),
                     [](const served& a, const served& b) { return a.address < b.address; });
    map_ = std::move(map);
}

int host_card::node() const {
    return map_ ? node_number(*map_) : 1;
}

std::vector<const host_card::served*> host_card::covering(int address, int count) const {
    std::vector<const served*> out;
    auto it = std::upper_bound(registers_.begin(), registers_.end(), address,
                               [](int at, const served& s) { return at < s.address; });
    if (it != registers_.begin())
        --it;
    for (int at = address, end = address + count; at < end; ++it) {
        if (it == registers_.end() || it->address > at)
            return {};
        if (it->address + it->reg.layout.width() <= at)
            continue; // a register before the range
        out.push_back(&*it);
        at = it->address + it->reg.layout.width();
    }
    return out;
}

std::uint16_t host_card::status_word(const served& s, double t) const {
    std::uint16_t word = 0;
    for (int k = 0; k < 16; ++k) {
        const auto& entry = s.source->status[static_cast<std::size_t>(k)];
        auto mnemonic = status_mnemonic(register_device(*s.source), entry.code);
        if (entry.code == 0 || mnemonic.empty() || entry.bit_position < 0 ||
            entry.bit_position > 31)
            continue;
        auto value = values_.value(entry.feeder, std::string(mnemonic), t);
        auto bits =
            word_codec::integer_bits(value.type == live_value::kind::number ? value.number : 0, 2,
                                     word_codec::sign_rule::unsigned_bits);
        if ((bits >> entry.bit_position) & 1)
            word = static_cast<std::uint16_t>(word | (1u << k));
    }
    return word;
}

std::vector<std::uint16_t> host_card::words_of(const served& s, double t) const {
    const auto& reg = s.reg;
    switch (reg.layout.kind) {
    case value_kind::commands: {
        auto it = command_words_.find(reg.number);
        return encode_value(reg.layout,
                            live_value::of_number(it == command_words_.end() ? 0 : it->second));
    }
    case value_kind::status_bits:
        return encode_value(reg.layout, live_value::of_number(status_word(s, t)));
    default:
        // A string the card was never given is empty (a number 0 would read as "0").
        if (reg.layout.kind == value_kind::text && !values_.given(reg.feeder, s.source->name))
            return encode_value(reg.layout, live_value::of_text({}));
        return encode_value(reg.layout, values_.value(reg.feeder, s.source->name, t));
    }
}

int host_card::read(int address, int count, double t, std::vector<std::uint16_t>& words) const {
    auto regs = covering(address, count);
    if (!map_ || regs.empty())
        return illegal_data_address;
    words.assign(static_cast<std::size_t>(count), 0);
    for (const auto* s : regs) {
        auto own = words_of(*s, t);
        for_shared_words(s->address, own.size(), address, count,
                         [&](std::size_t i, std::size_t at) { words[at] = own[i]; });
    }
    return 0;
}

int host_card::write(int address, std::span<const std::uint16_t> words, double t) {
    const int count = static_cast<int>(words.size());
    auto regs = covering(address, count);
    if (!map_ || regs.empty())
        return illegal_data_address;
    for (const auto* s : regs)
        if (!s->reg.layout.writable() || !s->reg.layout.problem.empty())
            return illegal_data_address;
    for (const auto* s : regs) {
        // The register's words as they stand, with the written ones laid over them.
        auto own = words_of(*s, t);
        for_shared_words(s->address, own.size(), address, count,
                         [&](std::size_t i, std::size_t at) { own[i] = words[at]; });
        auto decoded = decode_value(s->reg.layout, own);
        if (!decoded.value)
            continue;
        if (s->reg.layout.kind == value_kind::commands) {
            auto& word = command_words_[s->reg.number];
            auto before = word;
            word = static_cast<std::uint16_t>(decoded.value->number);
            fire_commands(*s, before, word);
        } else {
            values_.set_by_host(s->reg.feeder, s->source->name, std::move(*decoded.value));
        }
    }
    return 0;
}

void host_card::fire_commands(const served& s, std::uint16_t before, std::uint16_t after) {
    for (int k = 0; k < 16; ++k) {
        const auto& entry = s.source->commands[static_cast<std::size_t>(k)];
        if (entry.mnemonic == unused_command ||
            !fires(entry.value, (before >> k) & 1, (after >> k) & 1))
            continue;
        if (fired_)
            fired_("command F:" + std::to_string(entry.feeder) + " " + entry.mnemonic);
    }
}

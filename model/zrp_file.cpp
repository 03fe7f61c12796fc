#include "model/zrp_file.h"

#include "model/model_tables.h"

#include <algorithm>
#include <climits>

bool network_protocol_flag = false;

void set_network_protocol_flag(int protocol_code) {
    network_protocol_flag =
        !(protocol_code == protocol_modbus || protocol_code == protocol_allen_bradley ||
          protocol_code == protocol_siemens);
}

namespace {

// Widths and ends are taken in 64 bits: counts read from a file can be anything.
long long width_of(const host_register& reg) {
    return static_cast<long long>(reg.whole_count) + reg.fraction_count;
}
long long end_of(const host_register& reg) {
    return reg.register_number + width_of(reg);
}

int clamp_to_int(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// The overlap rule: the same first number, or ranges [n, n + width - 1] sharing a number.
bool registers_conflict(int n1, long long w1, int n2, long long w2) {
    if (n1 == n2)
        return true;
    if (w1 <= 0 || w2 <= 0)
        return false;
    const long long last1 = static_cast<long long>(n1) + w1 - 1;
    const long long last2 = static_cast<long long>(n2) + w2 - 1;
    return n1 <= last2 && n2 <= last1;
}

} // namespace

zrp_file::zrp_file(int protocol_code) {
    create_header(protocol_code, device_rdx);
}

zrp_file::~zrp_file() = default;

void zrp_file::create_header(int code, int device_code) {
    // Every code without a description of its own (4 to 8, anything else) gets the generic
    // header.
    protocol_code = code;
    header = std::make_unique<protocol_header>(protocol_description_for(code), device_code, this);
}

void zrp_file::clear() {
    header.reset();
    registers.clear();
}

int zrp_file::add_register(std::unique_ptr<host_register>&& reg) {
    if (!reg || std::any_of(registers.begin(), registers.end(), [&](const auto& other) {
            return registers_conflict(reg->register_number, width_of(*reg), other->register_number,
                                      width_of(*other));
        }))
        return -1;
    reg->owner = this;
    registers.push_back(std::move(reg));
    return register_count() - 1;
}

int zrp_file::delete_register(int index) {
    if (index < 0 || index >= register_count())
        return 0;
    registers.erase(registers.begin() + index);
    return 1;
}

void zrp_file::delete_registers(std::vector<int> indices) {
    std::vector<bool> doomed(registers.size(), false);
    for (int i : indices)
        if (i >= 0 && i < register_count())
            doomed[static_cast<std::size_t>(i)] = true;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < registers.size(); ++i)
        if (!doomed[i])
            registers[kept++] = std::move(registers[i]);
    registers.resize(kept);
}

bool zrp_file::sort_registers() {
    auto by_number = [](const std::unique_ptr<host_register>& a,
                        const std::unique_ptr<host_register>& b) {
        return a->register_number < b->register_number;
    };
    // A stable sort moves nothing exactly when the list is already in order.
    if (std::is_sorted(registers.begin(), registers.end(), by_number))
        return false;
    std::stable_sort(registers.begin(), registers.end(), by_number);
    return true;
}

int zrp_file::next_free_register(int area) const {
    if (header && header->is_block_mapped())
        return header->next_block_register(area);
    const int input_base = header ? header->input_base() : 0;
    const int output_base = header ? header->output_base() : 0;

    if (area == 1) {
        if (registers.empty())
            return output_base;
        const long long end = end_of(*registers.back());
        return output_base < end ? clamp_to_int(end) : output_base;
    }
    if (registers.empty())
        return input_base;
    if (input_base < output_base) {
        for (std::size_t i = 0; i < registers.size(); ++i) {
            if (end_of(*registers[i]) - 1 >= output_base)
                return i == 0 ? input_base : clamp_to_int(end_of(*registers[i - 1]));
        }
    }
    return clamp_to_int(end_of(*registers.back()));
}

bool zrp_file::overlaps(int number, int width, const host_register* except) const {
    return first_overlap(number, width, except) != nullptr;
}

const host_register* zrp_file::first_overlap(int number, int width,
                                             const host_register* except) const {
    const auto it = std::find_if(registers.begin(), registers.end(), [&](const auto& reg) {
        return reg.get() != except &&
               registers_conflict(number, width, reg->register_number, width_of(*reg));
    });
    return it == registers.end() ? nullptr : it->get();
}

host_register* zrp_file::register_at(int index) const {
    if (index < 0 || index >= register_count())
        return nullptr;
    return registers[static_cast<std::size_t>(index)].get();
}

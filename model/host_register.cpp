#include "model/host_register.h"

#include "model/model_tables.h"
#include "model/zrp_file.h"

#include <algorithm>
#include <climits>

host_register::host_register(zrp_file* file, int number) : owner(file) {
    register_number = number != -1 ? number : (file != nullptr ? file->next_free_register(0) : 0);
}

host_register::host_register(const host_register& source, bool renumber)
    : owner(source.owner), register_number(source.register_number), name(source.name),
      group_name(source.group_name), location(source.location),
      status_array_setting(source.status_array_setting), last_line_feeder(source.last_line_feeder),
      rom_constant(source.rom_constant), fraction_count(source.fraction_count),
      whole_count(source.whole_count), format(source.format), negative(source.negative),
      word_order(source.word_order), swap(source.swap), feeder(source.feeder),
      maximum(source.maximum), minimum(source.minimum), scale(source.scale),
      decimal_shift(source.decimal_shift) {
    if (renumber && owner != nullptr)
        register_number = owner->next_free_register(location);
}

int host_register::width() const {
    return static_cast<int>(std::clamp<long long>(
        static_cast<long long>(whole_count) + fraction_count, INT_MIN, INT_MAX));
}

int host_register::effective_format() const {
    return is_array_parameter(name) ? fmt_int_array : format;
}

std::string register_range_text(const host_register& reg) {
    const long long words = static_cast<long long>(reg.whole_count) + reg.fraction_count;
    if (words <= 1)
        return std::to_string(reg.register_number);
    return std::to_string(reg.register_number) + '-' +
           std::to_string(reg.register_number + words - 1);
}

int register_device(const host_register& reg) {
    return reg.owner != nullptr && reg.owner->header ? reg.owner->header->device_code : device_blf;
}

#include "live/reading_text.h"

#include "format/csv_writer.h"
#include "live/value_text.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

std::string reading_value_field(const live_register& reg, const register_reading& reading) {
    if (!reading.value)
        return "error: " + reading.error;
    return value_text(reg.layout, *reading.value);
}

std::string reading_line(const live_register& reg, const register_reading& reading) {
    return std::to_string(reg.number) + "\tF:" + std::to_string(reg.feeder) + "\t" + reg.name +
           "\t" + reading_value_field(reg, reading) + "\t" + raw_text(reading.raw);
}

std::string reading_csv_header(bool with_time) {
    csv_writer csv;
    if (with_time)
        csv.field("Time");
    for (auto column : {"Register", "Feeder", "Parameter", "Value", "Raw"})
        csv.field(column);
    csv.end_record();
    return csv.take();
}

std::string reading_csv_rows(const std::vector<live_register>& registers,
                             const std::vector<register_reading>& readings,
                             const std::string& time) {
    csv_writer csv;
    const auto count = std::min(registers.size(), readings.size());
    for (std::size_t i = 0; i < count; ++i) {
        const auto& reg = registers[i];
        if (!time.empty())
            csv.field(time);
        csv.field(std::to_string(reg.number));
        csv.field(std::to_string(reg.feeder));
        csv.field(reg.name);
        csv.field(reading_value_field(reg, readings[i]));
        csv.field(raw_text(readings[i].raw));
        csv.end_record();
    }
    return csv.take();
}

std::string iso_local_time(std::chrono::system_clock::time_point when) {
    std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()) % 1000;
    if (ms.count() < 0)
        ms += std::chrono::seconds(1);
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[32], offset[8];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    std::strftime(offset, sizeof offset, "%z", &local); // +0200
    char text[64];
    std::snprintf(text, sizeof text, "%s.%03d%.3s:%.2s", date, static_cast<int>(ms.count()), offset,
                  offset + 3);
    return text;
}

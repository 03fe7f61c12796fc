// The register table of a 100,000-register map: export to CSV and import back.

#include "core/silent_ui.h"
#include "edit/table_import.h"
#include "format/map_text.h"
#include "format/register_table.h"
#include "model/zrp_file.h"

#include <benchmark/benchmark.h>

#include <sstream>
#include <string>

namespace {

std::string sixteen(const std::string& item) {
    std::string out;
    for (int i = 0; i < 16; ++i)
        out += item + " ";
    return out + "\n";
}

// A Modbus/TCP map of count registers in ascending order, a mix of every common format with
// bitmapped commands and status among them.
std::unique_ptr<zrp_file> generated_map(int count) {
    std::string text = "RDX Modbus/TCP protocol\n"
                       "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                       "REGMAX 65535\nNODENUM 0\nMBTCP 10.0.0.1 255.0.0.0 10.0.0.254\nHREG\n";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string(1 + 2 * i);
        switch (i % 8) {
        case 0:
            text += n + " 0 1 1 0 0 F:1 FdrPercentOfLine 100 0.5 0.001\n";
            break;
        case 1:
            text += n + " 1 1 2 6 3 F:0 Setpoint -3\n";
            break;
        case 2:
            text += n + " 0 1 3 0 0 F:0\n" + sixteen("F:1") + sixteen("CRUN") + sixteen("HIT");
            break;
        case 3:
            text += n + " 0 1 4 0 0 F:0\n" + sixteen("F:2") + sixteen("PSR") + sixteen("7");
            break;
        case 4:
            text += n + " 0 1 5 0 0 F:0 ROMConstant 42\n";
            break;
        case 5:
            text += n + " 0 2 9 0 2 F:0 FeederName\n";
            break;
        default:
            text += n + " 0 2 0 0 0 F:3 Massflow\n";
        }
    }
    auto map = std::make_unique<zrp_file>();
    std::istringstream in(text);
    silent_ui quiet;
    read_map(in, *map, quiet);
    return map;
}

void BM_ExportTable(benchmark::State& state) {
    auto map = generated_map(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(export_register_table(*map).size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ImportTable(benchmark::State& state) {
    static silent_ui quiet;
    auto map = generated_map(static_cast<int>(state.range(0)));
    const std::string table = export_register_table(*map);
    for (auto _ : state) {
        benchmark::DoNotOptimize(import_register_table(table, *map, quiet).has_value());
        benchmark::DoNotOptimize(map->register_count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_ExportTable)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportTable)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();

// Register maps of 1,000 to 100,000 registers: load, sort, save and the next-number proposal.

#include "core/silent_ui.h"
#include "format/map_text.h"
#include "model/zrp_file.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <algorithm>
#include <memory>
#include <random>
#include <sstream>
#include <string>

namespace {

// A Modbus Plus map of count registers in shuffled order: numeric, decimal-shift, pass-through
// and bitmapped status entries, input area first then output area, a tenth of them entries
// without a number (they take the proposed one), and some conflicting entries.
std::string generated_map(int count, bool shuffled = true) {
    std::string text = "RDX Modbus+ protocol\n"
                       "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                       "REGMAX 65535\nNODENUM 0\nMBPLUS 1 2 3\nHREG\n";
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int number = (i % 2 == 0 ? 1 : 2000001) + 2 * i; // input and output areas
        std::string e;
        switch (i % 10) {
        case 0:
            e = "garbage without a number\n";
            break;
        case 1:
            e = std::to_string(number) + " 0 1 1 0 0 F:1 FdrPercentOfLine 100 0 1\n";
            break;
        case 2:
            e = std::to_string(number) + " 1 1 2 6 3 F:0 Setpoint -3\n";
            break;
        case 3:
            e = std::to_string(number) + " 0 1 4 0 0 F:0\n" + std::string(16 * 4, ' ') + "\n" +
                "XXX XXX PSR\n0 0 5\n";
            break;
        case 4:
            e = std::to_string(number - 2) + " 0 4 0 0 0 F:0 Conflicting\n";
            break;
        default:
            e = std::to_string(number) + " 0 2 0 0 0 F:0 Massflow\n";
        }
        entries.push_back(std::move(e));
    }
    std::mt19937 rng(7);
    if (shuffled)
        std::shuffle(entries.begin(), entries.end(), rng);
    for (const auto& e : entries)
        text += e;
    return text;
}

void load(zrp_file& map, const std::string& text) {
    static silent_ui quiet;
    std::istringstream in(text);
    read_map(in, map, quiet);
}

// The text the map file of map holds.
std::string text_of(zrp_file& map) {
    std::ostringstream out;
    write_map(out, map);
    return out.str();
}

// The generated map of count registers, sorted as the editor saves it.
std::unique_ptr<zrp_file> sorted_map(int count) {
    auto map = std::make_unique<zrp_file>();
    load(*map, generated_map(count));
    map->sort_registers();
    return map;
}

// Loads text into a new map every round; the items are the state.range(0) registers.
void load_every_round(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        zrp_file map;
        load(map, text);
        benchmark::DoNotOptimize(map.register_count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Load(benchmark::State& state) {
    load_every_round(state, generated_map(static_cast<int>(state.range(0))));
}

// A map as the editor saves it: sorted by register number.
void BM_LoadSaved(benchmark::State& state) {
    load_every_round(state, text_of(*sorted_map(static_cast<int>(state.range(0)))));
}

void BM_Sort(benchmark::State& state) {
    const std::string text = generated_map(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        zrp_file map;
        load(map, text);
        state.ResumeTiming();
        benchmark::DoNotOptimize(map.sort_registers());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_Save(benchmark::State& state) {
    const auto map = sorted_map(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(text_of(*map).size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadSortSave(benchmark::State& state) {
    const std::string text = generated_map(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        zrp_file map;
        load(map, text);
        map.sort_registers();
        benchmark::DoNotOptimize(text_of(map).size());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// One proposal walks the list in its current order: sorted, the walk stops at the output area.
void BM_NextFreeRegister(benchmark::State& state) {
    const auto map = sorted_map(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(map->next_free_register(0));
        benchmark::DoNotOptimize(map->next_free_register(1));
    }
}

// Heap bytes in use, malloc's own chunk headers and mapped blocks included.
std::size_t heap_in_use() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// What a loaded map holds per register: the heap it keeps once loading is over, divided by its
// registers. range(1) 0: the mixed map above as the editor saves it (a tenth of it bitmapped
// status registers); 1: plain pass-through registers only.
void BM_LoadedBytesPerRegister(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    std::string text;
    if (state.range(1) == 0) {
        zrp_file saved;
        load(saved, generated_map(count, false));
        text = text_of(saved);
    } else {
        text = "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
               "REGMAX 65535\nNODENUM 0\nHREG\n";
        for (int i = 0; i < count; ++i)
            text += std::to_string(40001 + i) + " 0 1 0 0 0 F:1 Massflow\n";
    }
    for (auto _ : state) {
        const std::size_t before = heap_in_use();
        auto map = std::make_unique<zrp_file>();
        load(*map, text);
        const std::size_t after = heap_in_use();
        state.counters["registers"] = map->register_count();
        state.counters["bytes_per_register"] =
            static_cast<double>(after - before) / std::max(1, map->register_count());
    }
}

} // namespace

BENCHMARK(BM_LoadedBytesPerRegister)
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSaved)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSortSave)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NextFreeRegister)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();

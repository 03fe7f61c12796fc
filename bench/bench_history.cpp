// The undo history on a 100,000-register map: undoing (and redoing) the deletion of 10,000
// registers, and the memory 100 Properties steps keep, measured as the heap bytes the history
// gives back when it goes.

#include "core/silent_ui.h"
#include "edit/map_editor.h"
#include "model/zrp_file.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>
#include <vector>

// Every allocation of the program is counted, so that the history's own heap bytes can be
// read off as what its destruction releases.
namespace {
std::atomic<long long> live_bytes{0};
} // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr)
        throw std::bad_alloc();
    live_bytes += static_cast<long long>(malloc_usable_size(p));
    return p;
}
void operator delete(void* p) noexcept {
    if (p != nullptr)
        live_bytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    operator delete(p);
}

namespace {

constexpr int map_size = 100000;

// Register dialogs confirmed with a new feeder (and, every other time, a new number past the
// end of the map, so that the list re-sorts).
class properties_dialogs {
  public:
    void answer(register_dialog_values& v) {
        v.feeder = (v.feeder + 1) % 64;
        if (renumber && (++count % 2) == 0)
            v.register_number = next_number++;
    }
    bool renumber = false;
    int count = 0;
    int next_number = 40001 + 2 * map_size;
};

std::unique_ptr<zrp_file> big_map() {
    auto map = std::make_unique<zrp_file>(1); // Modbus
    map->registers.reserve(map_size);
    for (int i = 0; i < map_size; ++i) {
        auto reg = std::make_unique<host_register>(map.get(), 40001 + i);
        reg->name = i % 3 == 0 ? "Massflow" : "FdrPercentOfLine";
        reg->format = i % 3 == 0 ? 0 : 1;
        map->registers.push_back(std::move(reg));
    }
    return map;
}

// Every tenth row: 10,000 rows spread over the whole list.
std::vector<int> every_tenth_row() {
    std::vector<int> rows;
    for (int row = 0; row < map_size; row += 10)
        rows.push_back(row);
    return rows;
}

void BM_UndoDeleting10000Of100000(benchmark::State& state) {
    auto map = big_map();
    map_editor editor(*map);
    const std::vector<int> rows = every_tenth_row();
    for (auto _ : state) {
        state.PauseTiming();
        editor.delete_rows(rows);
        state.ResumeTiming();
        const auto change = editor.undo();
        benchmark::DoNotOptimize(change.rows.data());
        state.PauseTiming();
        if (map->register_count() != map_size || change.rows.size() != rows.size())
            state.SkipWithError("the undo did not bring the registers back");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_UndoDeleting10000Of100000)->Unit(benchmark::kMillisecond);

void BM_RedoDeleting10000Of100000(benchmark::State& state) {
    auto map = big_map();
    map_editor editor(*map);
    editor.delete_rows(every_tenth_row());
    for (auto _ : state) {
        state.PauseTiming();
        editor.undo();
        state.ResumeTiming();
        editor.redo();
    }
}
BENCHMARK(BM_RedoDeleting10000Of100000)->Unit(benchmark::kMillisecond);

// 100 Properties steps, then the heap bytes the history releases; arg 1 renumbers every
// other register (the list re-sorts).
void BM_HistoryOf100PropertiesSteps(benchmark::State& state) {
    properties_dialogs dialogs;
    dialogs.renumber = state.range(0) != 0;
    auto map = big_map();
    long long history_bytes = 0;
    for (auto _ : state) {
        auto editor = std::make_unique<map_editor>(*map);
        for (int i = 0; i < 100; ++i) {
            // A view's Properties with the dialog confirmed.
            const int row = (i * 997) % map_size;
            auto values = editor->properties_values(row);
            dialogs.answer(*values);
            editor->set_properties(row, *values);
        }
        state.PauseTiming();
        const long long with_history = live_bytes.load();
        editor.reset();
        history_bytes = with_history - live_bytes.load();
        state.ResumeTiming();
    }
    state.counters["history_MB"] = static_cast<double>(history_bytes) / (1024.0 * 1024.0);
    state.counters["bytes_per_step"] = static_cast<double>(history_bytes) / 100.0;
}
BENCHMARK(BM_HistoryOf100PropertiesSteps)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

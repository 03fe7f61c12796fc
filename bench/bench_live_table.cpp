// What a round costs the Live Values window with a full card (655 registers): the table model
// taking a round in which every value moved (as with ombra-sim --wander), one in which
// nothing moved, and the same with the table shown, repainting the cells the model names.
// The counter cells_changed is the number of cells the model told the view about per round.

#include "bench/live_bench_map.h"
#include "bench/offscreen_benchmarks.h"
#include "core/silent_ui.h"
#include "format/map_text.h"
#include "live/live_map.h"
#include "live/value_rules.h"
#include "live_ui/CLiveTableModel.h"
#include "live_ui/CLiveTableView.h"
#include "model/zrp_file.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <sstream>

namespace {

std::vector<live_register> full_card_registers() {
    silent_ui quiet;
    std::istringstream in(full_live_card("RDX Modbus/TCP protocol\nREGMAX 65535\nNODENUM 0\n"
                                         "MBTCP 127.0.0.1 0.0.0.0 0.0.0.0\n"));
    zrp_file map;
    read_map(in, map, quiet);
    return live_registers(map);
}

// A round of readings with every number at base + its row.
poll_result round_of(const std::vector<live_register>& registers, double base) {
    poll_result result;
    for (std::size_t i = 0; i < registers.size(); ++i) {
        const auto& layout = registers[i].layout;
        const auto value = layout.kind == value_kind::text
                               ? live_value::of_text("Line 12")
                               : live_value::of_number(base + static_cast<double>(i % 50));
        auto words = encode_value(layout, value);
        result.readings.push_back({value, {}, std::move(words)});
    }
    return result;
}

void run_rounds(benchmark::State& state, bool moving, bool shown) {
    const auto registers = full_card_registers();
    CLiveTableModel model;
    model.set_registers(registers, std::vector<std::optional<bit_names>>(registers.size()));
    CLiveTableView view(model);
    if (shown) {
        view.resize(1200, 800);
        view.show();
    }
    const poll_result rounds[2] = {round_of(registers, 1.25), round_of(registers, 2.5)};
    long long cells = 0;
    QObject::connect(&model, &CLiveTableModel::dataChanged, [&cells] { ++cells; });
    double now = 1000;
    model.take_round(rounds[0], now);
    QApplication::processEvents();
    cells = 0;
    int k = 0;
    for (auto _ : state) {
        now += 1;
        model.take_round(rounds[moving ? (++k & 1) : 0], now);
        if (shown)
            QApplication::processEvents(); // the repaint of what changed
    }
    state.counters["cells_changed"] =
        static_cast<double>(cells) / static_cast<double>(state.iterations());
    state.counters["rows"] = static_cast<double>(model.rowCount());
}

void BM_TableRoundAllMoved(benchmark::State& state) {
    run_rounds(state, true, false);
}
BENCHMARK(BM_TableRoundAllMoved)->Unit(benchmark::kMicrosecond);

void BM_TableRoundNothingMoved(benchmark::State& state) {
    run_rounds(state, false, false);
}
BENCHMARK(BM_TableRoundNothingMoved)->Unit(benchmark::kMicrosecond);

void BM_TableRoundAllMovedShown(benchmark::State& state) {
    run_rounds(state, true, true);
}
BENCHMARK(BM_TableRoundAllMovedShown)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return run_offscreen_benchmarks(argc, argv);
}

// Opening the register dialog over a large catalogue: 10,000 parameters, every one shown in
// the tree (no device is filtered out), the register's parameter preselected near the end.
// Offscreen; the figure is the time from constructing the dialog to its first shown frame.

#include "bench/offscreen_benchmarks.h"
#include "catalogue/parameter_list.h"
#include "editing/CRegisterDialog.h"
#include "editing/CRegisterProperty_1.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QTreeWidget>

#include <sstream>
#include <string>

namespace {

constexpr int groups = 100;
constexpr int params_per_group = 100;

parameter_list& catalogue() {
    static parameter_list list;
    static const bool loaded = [] {
        static const char* const types[] = {"float", "int", "bits", "long", "string", "array"};
        std::string text = "<parameters>\n";
        int n = 0;
        for (int g = 0; g < groups; ++g) {
            text += "<device name=\"Group " + std::to_string(g) + "\">\n";
            for (int p = 0; p < params_per_group; ++p, ++n)
                text += "<param name=\"Parameter" + std::to_string(n) + "\" type=\"" +
                        types[n % 6] + "\">Description of parameter " + std::to_string(n) +
                        "</param>\n";
            text += "</device>\n";
        }
        text += "</parameters>\n";
        std::istringstream in(text);
        return list.load_stream(in) == parameter_list::load_result::loaded;
    }();
    (void)loaded;
    return list;
}

register_dialog_values preset() {
    register_dialog_values v;
    v.device_code = 1;
    v.protocol_name = "Modbus";
    v.register_number = 40001;
    v.format = 1;
    v.name = "Parameter9876";
    v.maximum_text = "100.000000";
    v.minimum_text = "0.000000";
    v.scale_text = "1.000000";
    return v;
}

void BM_OpenRegisterDialog(benchmark::State& state) {
    parameter_list& list = catalogue();
    const register_dialog_values values = preset();
    for (auto _ : state) {
        CRegisterDialog dialog(values, true, &list, false);
        dialog.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dialog.register_page()->tree()->topLevelItemCount());
    }
}
BENCHMARK(BM_OpenRegisterDialog)->Unit(benchmark::kMillisecond);

void BM_PickAndTypeChange(benchmark::State& state) {
    parameter_list& list = catalogue();
    CRegisterDialog dialog(preset(), true, &list, false);
    dialog.show();
    QApplication::processEvents();
    QTreeWidget* tree = dialog.register_page()->tree();
    QTreeWidgetItem* last = tree->topLevelItem(groups - 1)->child(params_per_group - 1);
    QTreeWidgetItem* first = tree->topLevelItem(0)->child(0);
    QComboBox* type = dialog.register_page()->type_box();
    int round = 0;
    for (auto _ : state) {
        tree->setCurrentItem(++round % 2 ? last : first);
        const int t = round % 2 ? 3 : 0;
        type->setCurrentIndex(t);
        emit type->activated(t);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_PickAndTypeChange)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return run_offscreen_benchmarks(argc, argv);
}

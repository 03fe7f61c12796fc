// Loading a large parameter catalogue: 10,000 parameters in 100 groups under the four
// controller kinds and a shared part, each with a type and a one-line description.

#include "catalogue/parameter_list.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

constexpr int groups = 100;
constexpr int params_per_group = 100;

std::string generated_catalogue() {
    static const char* const kinds[] = {"blf", "rdx", "wnt", "hqp", nullptr};
    static const char* const types[] = {"float", "int", "bits", "long", "string", "array"};
    std::string text = "<?xml version=\"1.0\"?>\n<!-- generated -->\n<parameters>\n";
    int n = 0;
    for (int g = 0; g < groups; ++g) {
        const char* kind = kinds[g % 5];
        text += "\t<device name=\"Group " + std::to_string(g) + "\"";
        if (kind)
            text += std::string(" ctrl_type=\"") + kind + "\"";
        text += ">\n";
        for (int p = 0; p < params_per_group; ++p, ++n)
            text += "\t\t<param name=\"Param" + std::to_string(n) + "\" type=\"" + types[n % 6] +
                    "\">Description of parameter " + std::to_string(n) +
                    ", a value the controller keeps</param>\n";
        text += "\t</device>\n";
    }
    return text + "</parameters>\n";
}

const std::string& catalogue_file() {
    static const std::string path = [] {
        std::string p = (std::filesystem::temp_directory_path() / "bench_catalogue.lst").string();
        std::ofstream(p, std::ios::binary) << generated_catalogue();
        return p;
    }();
    return path;
}

class counter : public catalogue_visitor {
  public:
    void visit_device(target_device&, int) override { ++devices; }
    void visit_param(target_param&, int) override { ++params; }
    int devices = 0, params = 0;
};

void BM_LoadCatalogue(benchmark::State& state) {
    const std::string& path = catalogue_file();
    for (auto _ : state) {
        parameter_list catalogue;
        if (catalogue.load(path) != 0 || catalogue.count() != groups)
            state.SkipWithError("catalogue did not load");
        benchmark::DoNotOptimize(catalogue.count());
    }
    state.counters["params"] = groups * params_per_group;
}
BENCHMARK(BM_LoadCatalogue)->Unit(benchmark::kMillisecond);

void BM_FillFilteredTree(benchmark::State& state) {
    parameter_list catalogue;
    catalogue.load(catalogue_file());
    for (auto _ : state) {
        counter tree;
        benchmark::DoNotOptimize(catalogue.fill(tree, 1, "Param9999", ""));
        benchmark::DoNotOptimize(tree.params);
    }
}
BENCHMARK(BM_FillFilteredTree)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

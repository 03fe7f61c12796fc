// A full poll of live values over loopback: tessaly-cli's Qt SerialBus link reading a full
// card (655 registers, 1310 words) from the emulator's libmodbus host side on 127.0.0.1, in
// ceil(1310 / 125) = 11 requests. Real time is the round trip of all requests; the counters
// give the requests a round and the CPU time the reading thread spent.

#include "bench/live_bench_map.h"
#include "core/silent_ui.h"
#include "format/map_text.h"
#include "live/live_map.h"
#include "live/live_poller.h"
#include "live/platform/qt_modbus_link.h"
#include "model/zrp_file.h"
#include "sim/host_card.h"
#include "sim/modbus_host_server.h"
#include "sim/ombra_card.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <benchmark/benchmark.h>

#include <sstream>
#include <time.h>

namespace {

double thread_cpu_seconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void BM_FullPollOverLoopback(benchmark::State& state) {
    silent_ui quiet;
    const std::string map_text = full_live_card("RDX Modbus/TCP protocol\nREGMAX 65535\n"
                                                "NODENUM 0\nMBTCP 127.0.0.1 0.0.0.0 0.0.0.0\n");
    std::vector<std::string> lines;
    std::istringstream in(map_text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    ombra_card card({});
    card.set_configuration(lines);
    std::string error;
    auto values = feeder_values::parse("F:1 Massflow 12.5\nF:2 Setpoint 3.25\n", error);
    host_card host(std::move(*values));
    modbus_host_server server(card, host, nullptr);
    if (!server.listen_tcp(0, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    server.start();

    std::istringstream map_in(map_text);
    zrp_file map;
    read_map(map_in, map, quiet);
    connection_settings settings;
    settings.host = "127.0.0.1";
    settings.port = server.tcp_port();
    qt_modbus_link link(settings);
    live_poller poller(link, live_registers(map));
    QEventLoop loop;
    auto round = [&] {
        poll_result result;
        poller.poll([&](const poll_result& r) {
            result = r;
            loop.quit();
        });
        if (poller.busy())
            loop.exec();
        return result;
    };
    if (!round().connection_error.empty()) { // connects outside the measurement
        state.SkipWithError("no connection");
        return;
    }
    double cpu = 0;
    for (auto _ : state) {
        double start = thread_cpu_seconds();
        auto result = round();
        cpu += thread_cpu_seconds() - start;
        if (!result.all_read()) {
            state.SkipWithError("a register was not read");
            break;
        }
    }
    state.counters["requests_per_round"] = static_cast<double>(poller.plan().size());
    state.counters["host_cpu_us_per_round"] =
        cpu * 1e6 / static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    server.stop();
}
BENCHMARK(BM_FullPollOverLoopback)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// What the host adds to live values: decoding a full card's words into values and value text
// (655 registers, 1310 words), a whole poll round over an in-memory link (plan, request
// bookkeeping, decoding), and the rate of encoding and decoding one register of each rule.

#include "bench/live_bench_map.h"
#include "core/silent_ui.h"
#include "format/map_text.h"
#include "format/register_text.h"
#include "live/live_map.h"
#include "live/live_poller.h"
#include "live/value_rules.h"
#include "live/value_text.h"
#include "model/zrp_file.h"

#include <benchmark/benchmark.h>

#include <random>
#include <sstream>

namespace {

const std::string tcp_header = "RDX Modbus/TCP protocol\nREGMAX 65535\nNODENUM 0\n"
                               "MBTCP 127.0.0.1 0.0.0.0 0.0.0.0\n";

std::vector<live_register> full_card_registers() {
    silent_ui quiet;
    std::istringstream in(full_live_card(tcp_header));
    zrp_file map;
    read_map(in, map, quiet);
    return live_registers(map);
}

// The words a card with random values gives for the registers, by address.
std::vector<std::uint16_t> card_words(const std::vector<live_register>& registers) {
    std::mt19937 random(1);
    std::uniform_real_distribution<double> value(-1000, 1000);
    std::vector<std::uint16_t> words;
    for (const auto& reg : registers) {
        auto v = reg.layout.kind == value_kind::text ? live_value::of_text("Line 12")
                                                     : live_value::of_number(value(random));
        auto w = encode_value(reg.layout, v);
        words.insert(words.end(), w.begin(), w.end());
    }
    return words;
}

void BM_DecodeFullCard(benchmark::State& state) {
    auto registers = full_card_registers();
    auto words = card_words(registers);
    for (auto _ : state) {
        std::size_t at = 0, text_bytes = 0;
        for (const auto& reg : registers) {
            std::span<const std::uint16_t> own(words.data() + at,
                                               static_cast<std::size_t>(reg.layout.width()));
            at += own.size();
            auto decoded = decode_value(reg.layout, own);
            text_bytes += value_text(reg.layout, *decoded.value).size() + raw_text(own).size();
        }
        benchmark::DoNotOptimize(text_bytes);
    }
    state.counters["registers"] = static_cast<double>(registers.size());
    state.counters["words"] = static_cast<double>(words.size());
}
BENCHMARK(BM_DecodeFullCard)->Unit(benchmark::kMicrosecond);

// A link that answers at once from the card's words.
class memory_link : public host_link {
  public:
    explicit memory_link(std::vector<std::uint16_t> words) : words_(std::move(words)) {}
    void open(open_handler done) override { done({}); }
    void close() override {}
    bool is_open() const override { return true; }
    std::string target() const override { return "memory"; }
    void read(int address, int count, reply_handler done) override {
        ++requests;
        link_reply reply;
        reply.words.assign(words_.begin() + address, words_.begin() + address + count);
        done(std::move(reply));
    }
    void write(int, std::vector<std::uint16_t>, reply_handler done) override { done({}); }
    int requests = 0;

  private:
    std::vector<std::uint16_t> words_;
};

void BM_PollFullCardInMemory(benchmark::State& state) {
    auto registers = full_card_registers();
    memory_link link(card_words(registers));
    live_poller poller(link, registers);
    std::size_t read = 0;
    for (auto _ : state)
        poller.poll([&](const poll_result& result) { read += result.readings.size(); });
    benchmark::DoNotOptimize(read);
    state.counters["requests_per_round"] =
        static_cast<double>(link.requests) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PollFullCardInMemory)->Unit(benchmark::kMicrosecond);

void BM_EncodeDecodeRate(benchmark::State& state, const char* entry) {
    host_register reg(nullptr, 0);
    std::istringstream in(std::string(entry) + "\n");
    read_register(in, reg);
    auto layout = layout_of(reg, state.range(0) != 0);
    auto value = layout.kind == value_kind::text ? live_value::of_text("Line 12")
                                                 : live_value::of_number(12.345);
    for (auto _ : state) {
        auto words = encode_value(layout, value);
        auto back = decode_value(layout, words);
        benchmark::DoNotOptimize(back);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_EncodeDecodeRate, integer, "40001 1 2 0 6 2 F:1 Total")->Arg(1);
BENCHMARK_CAPTURE(BM_EncodeDecodeRate, numeric, "40001 0 1 1 0 0 F:1 Speed 100 0 10")->Arg(0);
BENCHMARK_CAPTURE(BM_EncodeDecodeRate, decimal_shift, "40001 0 1 2 0 0 F:1 Setpoint 2")->Arg(0);
BENCHMARK_CAPTURE(BM_EncodeDecodeRate, ieee_float, "40001 0 2 7 6 0 F:1 Massflow")->Arg(1);
BENCHMARK_CAPTURE(BM_EncodeDecodeRate, kg_float, "40001 0 2 6 0 0 F:1 Massflow")->Arg(0);
BENCHMARK_CAPTURE(BM_EncodeDecodeRate, string, "40001 0 4 9 0 0 F:1 FeederName")->Arg(0);
BENCHMARK_CAPTURE(BM_EncodeDecodeRate, status_value, "40001 0 2 10 0 0 F:1 AlarmStatus")->Arg(0);
BENCHMARK_CAPTURE(BM_EncodeDecodeRate, commands, "40001 0 1 3 0 0 F:0")->Arg(0);

} // namespace

BENCHMARK_MAIN();

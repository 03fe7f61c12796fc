// What the host adds to a transfer: a 655-register map sent to the card emulator, over a
// pseudo-terminal (the COM path) and over the in-process USB face. Each frame's round trip
// (host, link and emulator together, so an upper bound on the host's share) is compared with
// the time the same bytes take on a 19200-baud wire (10 bits per byte: start, 8 data, stop).

#include "core/silent_ui.h"
#include "link/UsbHidDevice.h"
#include "link/link_state.h"
#include "link/platform/termios_serial_port.h"
#include "link/send_text.h"
#include "sim/card_transcript.h"
#include "sim/ombra_card.h"
#include "sim/pty_card_server.h"
#include "sim/sim_hid_library.h"
#include "tests/link/memory_settings.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

// Shows nothing, but keeps the last message for the report of a failed send.
class quiet_ui : public silent_ui {
  public:
    void message(const std::string& text) override { last = text; }
    std::string last;
};

// A Modbus map with 655 registers, the most a card takes.
std::string large_map() {
    std::string text = "RDX Modbus protocol\n"
                       "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\n"
                       "REGMAX 65535\nNODENUM 1\nHREG\n";
    for (int i = 0; i < 655; ++i)
        text += std::to_string(40001 + 2 * i) + " 0 2 1 0 0 F:" + std::to_string(i % 64) +
                " Massflow 100 0 1\n";
    return text;
}

// Bytes on the wire for one send of the map: every frame (payload + 3) and its ACK.
double wire_bytes(const std::string& map) {
    std::istringstream in(map);
    std::string line;
    double bytes = 0;
    while (std::getline(in, line))
        bytes += line.size() + 3 + 1;
    return bytes + 3 + 3 + 1; // "END"
}

// The CPU time of the calling thread: what the host itself spends, without the time it
// waits for the card.
double thread_cpu_seconds() {
    timespec ts{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec * 1e-9;
}

struct totals {
    int sends = 0, frames = 0;
    double seconds = 0, host_seconds = 0;
};

void report(benchmark::State& state, const std::string& map, const totals& t) {
    double wire_us = wire_bytes(map) * 10.0 / 19200.0 * 1e6 * t.sends / t.frames;
    double host_us = t.host_seconds * 1e6 / t.frames;
    state.counters["frames_per_send"] = static_cast<double>(t.frames) / t.sends;
    state.counters["wire_us_per_frame"] = wire_us;
    state.counters["round_trip_us_per_frame"] = t.seconds * 1e6 / t.frames;
    state.counters["host_us_per_frame"] = host_us;
    state.counters["host_share_of_wire_%"] = 100.0 * host_us / wire_us;
}

// Sends the map once per iteration and adds up frames, elapsed and host time.
void send_repeatedly(benchmark::State& state, const link_state& link, const ombra_card& card,
                     quiet_ui& ui, const std::string& map) {
    totals t;
    for (auto _ : state) {
        std::istringstream in(map);
        int before = card.frames_accepted();
        auto start = std::chrono::steady_clock::now();
        double cpu_start = thread_cpu_seconds();
        bool sent = send_text(link, in);
        t.host_seconds += thread_cpu_seconds() - cpu_start;
        t.seconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        t.frames += card.frames_accepted() - before;
        ++t.sends;
        if (!sent) {
            state.SkipWithError(ui.last.c_str());
            return;
        }
    }
    if (t.frames > 0)
        report(state, map, t);
}

void BM_SendOverPseudoTerminal(benchmark::State& state) {
    quiet_ui ui;
    ombra_card card({});
    pty_card_server server(card);
    char pattern[] = "/tmp/tessaly-bench-XXXXXX";
    std::string dir = ::mkdtemp(pattern), port = dir + "/card", error;
    if (!server.open(port, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    std::atomic<bool> stop{false};
    std::thread serving([&] { server.serve(stop, 20); });

    memory_settings settings;
    settings.values["Settings/UseLink"] = "COM";
    settings.values["Settings/ComPort"] = port;
    sim_hid_library unused(card);
    UsbHidDevice usb(unused);
    link_timing timing;
    timing.sleep = [](int, const cancel_token&) {
    }; // the card's one-second pause is not the host's time
    link_state link(settings, usb, &termios_serial_port::create, ui, timing);
    link.load_settings();

    send_repeatedly(state, link, card, ui, large_map());
    stop = true;
    serving.join();
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SendOverPseudoTerminal)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SendOverUsbFace(benchmark::State& state) {
    quiet_ui ui;
    ombra_card card({});
    sim_hid_library library(card, 5);
    UsbHidDevice usb(library);
    memory_settings settings;
    settings.values["Settings/UseLink"] = "USB";
    link_timing timing;
    timing.sleep = [](int, const cancel_token&) {};
    link_state link(settings, usb, nullptr, ui, timing);
    link.load_settings();
    link.check_usb();

    send_repeatedly(state, link, card, ui, large_map());
    link.shutdown();
}
BENCHMARK(BM_SendOverUsbFace)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

// Plays a card whose answers are arbitrary bytes, over a scripted COM port that never waits,
// through CSerialHandler and the extraction and error-list exchanges. The first byte picks the
// exchange (a configuration extraction for one of the four devices, or the error list); the
// rest is cut into answers, each a length byte and that many bytes, one answer for every frame
// the host writes (silence once they run out). No input may crash or hang, and an exchange may
// succeed only when every answer was one the card gives: nothing, one refusing byte, or ACK
// followed by exactly the bytes asked for; its result must then be made of those bytes.

#include "core/big_endian.h"
#include "core/silent_ui.h"
#include "core/user_interface.h"
#include "link/UsbHidDevice.h"
#include "link/extract.h"
#include "link/frame.h"
#include "link/link_state.h"
#include "link/serial_port.h"
#include "model/zrp_file.h"
#include "tests/link/fake_hid_library.h"
#include "tests/link/memory_settings.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One frame the host wrote and the answer the card gave to it.
struct exchange_step {
    std::string payload;
    std::vector<std::uint8_t> answer;
};

// The card's side: the answers still to give, what is on the line now, and every step.
struct script {
    std::vector<std::vector<std::uint8_t>> answers;
    std::size_t next_answer = 0;
    std::vector<std::uint8_t> line;
    std::size_t line_pos = 0;
    std::vector<exchange_step> steps;
};

class scripted_port : public serial_port {
  public:
    explicit scripted_port(script& s) : script_(s) {}
    bool open(const std::string&) override { return open_ = true; }
    bool configure(const serial_settings&) override { return true; }
    bool set_read_timeout(int total_ms) override { return total_ms >= 0; }
    // Whatever is on the line now: a read that wants more ends as at a time-out.
    bool read(std::uint8_t* buffer, std::size_t n, std::size_t& got) override {
        got = std::min(n, script_.line.size() - script_.line_pos);
        std::copy_n(script_.line.begin() + static_cast<std::ptrdiff_t>(script_.line_pos), got,
                    buffer);
        script_.line_pos += got;
        return true;
    }
    // The host writes whole frames: each one puts the next answer on the line.
    bool write(const std::uint8_t* data, std::size_t n, std::size_t& written) override {
        written = n;
        exchange_step step;
        if (n >= 3)
            step.payload.assign(reinterpret_cast<const char*>(data) + 1, n - 3);
        if (script_.next_answer < script_.answers.size())
            step.answer = script_.answers[script_.next_answer++];
        script_.line.insert(script_.line.end(), step.answer.begin(), step.answer.end());
        script_.steps.push_back(std::move(step));
        return true;
    }
    void close() override { open_ = false; }
    bool is_open() const override { return open_; }

  private:
    script& script_;
    bool open_ = false;
};

// How many data bytes the card answers a request with.
std::size_t data_size(const std::string& payload) {
    if (payload == "EXTRACT_ZRP")
        return 32;
    if (payload == "EXTRA_INFO")
        return 128;
    if (payload == "ERROR")
        return 4;
    if (payload.rfind("ACK ", 0) == 0)
        return static_cast<std::size_t>(std::stoi(payload.substr(4)));
    return 0;
}

bool is_refusal(const std::vector<std::uint8_t>& answer) {
    return answer.empty() || (answer.size() == 1 && answer[0] != frame_ack);
}

// An accepted answer: ACK and exactly the data asked for (a short information block of zero
// bytes alone is the card's whole block).
bool is_acceptance(const exchange_step& step) {
    const auto& a = step.answer;
    if (a.empty() || a[0] != frame_ack)
        return false;
    const std::size_t wanted = data_size(step.payload);
    if (a.size() == wanted + 1)
        return true;
    return step.payload == "EXTRA_INFO" && a.size() > 1 && a.size() < wanted + 1 &&
           std::all_of(a.begin() + 1, a.end(), [](std::uint8_t b) { return b == 0; });
}

// The data of every accepted answer, in order, with its request; aborts on an answer the card
// does not give.
std::vector<exchange_step> accepted_steps(const script& s) {
    std::vector<exchange_step> accepted;
    for (const auto& step : s.steps) {
        if (is_refusal(step.answer))
            continue;
        if (!is_acceptance(step))
            std::abort(); // success on bytes that were not the card's answer
        accepted.push_back({step.payload, {step.answer.begin() + 1, step.answer.end()}});
    }
    return accepted;
}

void check_configuration(const script& s, zrp_file& extracted, int device) {
    image_header header{};
    image_info_block info{};
    std::vector<std::uint8_t> area;
    for (const auto& step : accepted_steps(s)) {
        if (step.payload == "EXTRACT_ZRP")
            std::copy(step.answer.begin(), step.answer.end(), header.begin());
        else if (step.payload == "EXTRA_INFO")
            std::copy(step.answer.begin(), step.answer.end(), info.begin());
        else
            area.insert(area.end(), step.answer.begin(), step.answer.end());
    }
    zrp_file expected;
    byte_reader records(area);
    if (!expected.decode_image(header, records, info, device))
        std::abort();
    std::ostringstream a, b;
    extracted.write(a);
    expected.write(b);
    if (a.str() != b.str())
        std::abort();
}

void check_error_list(const script& s, const std::string& text) {
    std::vector<std::uint8_t> bytes;
    for (const auto& step : accepted_steps(s))
        if (step.payload.rfind("ACK ", 0) == 0)
            bytes.insert(bytes.end(), step.answer.begin(), step.answer.end());
    if (bytes.empty())
        std::abort();
    bytes.back() = 0;
    if (text != reinterpret_cast<const char*>(bytes.data()))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static silent_ui quiet;
    scoped_ui use(quiet);
    if (size < 1)
        return 0;

    script s;
    for (std::size_t pos = 1; pos < size;) {
        const std::size_t n = std::min<std::size_t>(data[pos], size - pos - 1);
        s.answers.emplace_back(data + pos + 1, data + pos + 1 + n);
        pos += 1 + n;
    }

    memory_settings settings;
    settings.values["Settings/UseLink"] = "COM";
    settings.values["Settings/ComPort"] = "fuzz";
    fake_hid_library library; // the fuzzed link is the COM port: no card on USB
    library.devices = 0;
    UsbHidDevice usb(library);
    link_timing timing;
    timing.sleep = [](int, const cancel_token&) {};
    timing.exchange_quiet_ms = 0;
    link_state link(
        settings, usb, [&s] { return std::make_unique<scripted_port>(s); }, timing);
    link.load_settings();

    const int choice = data[0] % 5;
    if (choice == 4) {
        if (auto text = extract_error_list(link, 0))
            check_error_list(s, *text);
    } else if (auto map = extract_configuration(link, choice, 0)) {
        check_configuration(s, *map, choice);
    }
    return 0;
}

#pragma once
// Shared pieces of the transfer tests: register maps of every protocol, a card reached over
// the in-process USB face or over a real pseudo-terminal with short time-outs, temporary
// folders and child processes.

#include "link/UsbHidDevice.h"
#include "link/link_state.h"
#include "link/platform/termios_serial_port.h"
#include "model/zrp_file.h"
#include "sim/card_transcript.h"
#include "sim/ombra_card.h"
#include "sim/pty_card_server.h"
#include "sim/sim_hid_library.h"
#include "tests/link/memory_settings.h"
#include "tests/support/scripted_ui.h"

#include <atomic>
#include <csignal>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace sim_test {

// Read time-outs short enough for a fault matrix that runs in seconds.
inline constexpr int fast_timeout_ms = 120;

// A map of each protocol code (generic included) for the given device, with registers of
// the common formats (bitmapped commands and status among them); the text is in the form
// the model writes it.
struct protocol_map {
    int protocol_code;
    std::string text;
};
std::vector<protocol_map> maps_of_every_protocol(const std::string& device_word = "RDX");
// The text the model writes after reading text.
std::string normalised(const std::string& text);
std::string text_of(zrp_file& map);

// The card's frames as text payloads, in the order it received them ("rx" lines only).
std::vector<std::string> received_payloads(const std::string& transcript);
// How many times the card received the frame with this payload.
int times_received(const std::string& transcript, const std::string& payload);

// The link's pauses, recorded instead of slept, with the number of frames the card had
// accepted when each began.
struct recorded_sleeps {
    std::vector<int> ms;
    std::vector<int> frames_before;
};

// A card behind the in-process HID face, reached through the real UsbHidDevice.
class usb_card {
  public:
    explicit usb_card(card_options options = {}, unsigned attached = 1,
                      const char* use_link = "USB");
    ~usb_card();

    scripted_ui ui;
    card_transcript transcript;
    ombra_card card;
    sim_hid_library library;
    memory_settings settings;
    UsbHidDevice usb{library};
    link_state link;
    recorded_sleeps sleeps;
};

// A card on a real pseudo-terminal served by a thread of the test, reached through the
// termios COM adapter.
class pty_card {
  public:
    explicit pty_card(card_options options = {});
    ~pty_card();

    // The path the terminal is linked at (the COM port name).
    const std::string& port() const { return port_; }

    scripted_ui ui;
    card_transcript transcript;
    ombra_card card;
    sim_hid_library unused_library{card, 5}; // the USB device of the link state, never opened
    UsbHidDevice usb{unused_library};
    memory_settings settings;
    link_state link;
    recorded_sleeps sleeps;

  private:
    std::string dir_, port_;
    pty_card_server server_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// A fresh temporary folder, removed with everything in it at destruction.
class temp_dir {
  public:
    temp_dir();
    ~temp_dir();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

  private:
    std::string path_;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& text);

// A program started with its standard output and error captured.
class child_process {
  public:
    // env: extra NAME=VALUE entries.
    child_process(const std::vector<std::string>& argv, const std::vector<std::string>& env = {});
    ~child_process();
    // Waits for the first line of standard output (up to timeout); empty on failure.
    std::string first_line(int timeout_ms);
    // Waits for line `index` (from 0) of standard output; empty on failure.
    std::string line(std::size_t index, int timeout_ms);
    int pid() const { return pid_; }
    // Sends the signal (SIGTERM unless told) and waits; returns the exit status.
    int terminate(int signal = SIGTERM);
    // Waits for the end (killing the program after timeout_ms); returns its exit status,
    // -1 when it had to be killed.
    int wait(int timeout_ms);
    std::string out() const { return out_; }
    std::string err() const { return err_; }

  private:
    void drain(int timeout_ms);

    int pid_ = -1;
    int out_fd_ = -1, err_fd_ = -1;
    std::string out_, err_;
    bool done_ = false;
    int status_ = -1;
};

// The result of a finished command.
struct run_result {
    int status;
    std::string out, err;
};
run_result run(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
               int timeout_ms = 60000);

std::string program(const std::string& relative_path);

} // namespace sim_test

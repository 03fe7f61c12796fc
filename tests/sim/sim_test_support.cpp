#include "sim_test_support.h"

#include "core/silent_ui.h"
#include "format/map_text.h"
#include "model/zrp_file.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace sim_test {

namespace {

std::string sixteen(const std::string& item) {
    std::string out;
    for (int i = 0; i < 16; ++i)
        out += (i ? " " : "") + item;
    return out;
}

const std::string common_header =
    "PLC_CHAN 38400 RTU 8 EVEN_PARITY 2STOPBITS MSBYTE_FIRST\nREGMAX 500\nNODENUM 3\n";

const std::string serial_registers =
    "40001 0 1 0 0 0 F:0 Massflow\n"
    "40002 1 1 1 6 3 F:2 FdrPercentOfLine 250.5 -1 0.001\n"
    "40004 0 2 2 0 2 F:63 Setpoint -8\n"
    "40006 0 1 5 0 0 F:0 ROMConstant -123456\n"
    "40007 0 1 3 0 0 F:0\nF:1 " +
    sixteen("F:255").substr(6) + "\nCTAR " + sixteen("XXXX").substr(5) + "\nHIT " +
    sixteen("LOT").substr(4) + "\n" + "40008 0 1 4 0 0 F:0\n" + sixteen("F:7") + "\nPSR " +
    sixteen("ASW0").substr(5) + "\n31 " + sixteen("255").substr(4) + "\n" +
    "40009 0 7 9 0 2 F:0 FeederName\n"
    "40016 0 15 0 0 2 F:0 ProcStat\n";

std::string blocks() {
    std::string out;
    const char* inputs[] = {"0/16", "0/0", "0/0", "0/0", "0/0", "300/10",
                            "0/0",  "0/0", "0/0", "0/0", "0/0"};
    for (auto b : inputs)
        out += std::string("INPUT_BLOCK ") + b + "\n";
    out += "OUTPUT_BLOCK 0/8\n";
    for (int i = 0; i < 10; ++i)
        out += "OUTPUT_BLOCK 0/0\n";
    return out;
}

const std::string block_registers = "0 0 1 0 0 0 F:0 Massflow\n1024 0 2 7 0 0 F:0 Setpoint\n";

} // namespace

std::vector<protocol_map> maps_of_every_protocol(const std::string& device) {
    const std::string d = device + " ";
    return {
        {0, d + "Generic protocol protocol\n" + common_header + "HREG\n" + serial_registers},
        {1, d + "Modbus protocol\n" + common_header + "HREG\n" + serial_registers},
        {2, d + "Allen-Bradley protocol\n" + common_header + "HREG\n" + serial_registers},
        {3, d + "Siemens protocol\n" + common_header + "HREG\n" + serial_registers},
        {9,
         d + "Profibus protocol\n" + common_header + "PROFIBUS 20 30 3\nHREG\n" + serial_registers},
        {10, d + "Modbus/TCP protocol\n" + common_header +
                 "MBTCP 192.168.1.20 255.255.255.0 192.168.1.1\nHREG\n" + serial_registers},
        {11, d + "Modbus+ protocol\n" + common_header + "MBPLUS 1 2 3\nHREG\n" + serial_registers},
        {12, d + "DeviceNet protocol\n" + common_header + "DEVICENET 16 8\n" + blocks() + "HREG\n" +
                 block_registers},
        {13, d + "Ethernet/IP protocol\n" + common_header +
                 "ETHIP 192.168.1.20 255.255.255.0 192.168.1.1 16 8\n" + blocks() + "HREG\n" +
                 block_registers},
        {14, d + "ProfinetIO protocol\n" + common_header +
                 "PROFINET_IO 192.168.1.20 255.255.255.0 192.168.1.1 16 8\nHREG\n" +
                 serial_registers},
    };
}

std::string text_of(zrp_file& map) {
    std::ostringstream out;
    write_map(out, map);
    return out.str();
}

std::string normalised(const std::string& text) {
    zrp_file map;
    std::istringstream in(text);
    silent_ui quiet;
    if (!read_map(in, map, quiet))
        return "(unreadable)";
    return text_of(map);
}

std::vector<std::string> received_payloads(const std::string& transcript) {
    std::vector<std::string> out;
    std::istringstream lines(transcript);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string ms, direction, hex;
        fields >> ms >> direction;
        if (direction != "rx")
            continue;
        std::vector<int> bytes;
        while (fields >> hex)
            bytes.push_back(std::stoi(hex, nullptr, 16));
        // STX, payload, ETX, check byte.
        std::string payload;
        for (std::size_t i = 1; i + 2 < bytes.size(); ++i)
            payload.push_back(static_cast<char>(bytes[i]));
        out.push_back(payload);
    }
    return out;
}

int times_received(const std::string& transcript, const std::string& payload) {
    int n = 0;
    for (const auto& p : received_payloads(transcript))
        n += p == payload;
    return n;
}

namespace {
link_timing fast_timing(recorded_sleeps& sleeps, const ombra_card& card) {
    link_timing timing;
    timing.com_read_timeout_ms = fast_timeout_ms;
    timing.usb_read_timeout_ms = fast_timeout_ms;
    timing.reader_stop_wait_ms = 1000;
    timing.sleep = [&sleeps, &card](int ms, const cancel_token&) {
        sleeps.ms.push_back(ms);
        sleeps.frames_before.push_back(card.frames_accepted());
    };
    return timing;
}
} // namespace

usb_card::usb_card(card_options options, unsigned attached, const char* use_link)
    : card(std::move(options), &transcript), library(card, 5),
      link(settings, usb, nullptr, ui, fast_timing(sleeps, card)) {
    library.set_attached(attached);
    settings.values["Settings/UseLink"] = use_link;
    link.load_settings();
    link.check_usb();
}

usb_card::~usb_card() {
    link.shutdown();
}

pty_card::pty_card(card_options options)
    : card(std::move(options), &transcript),
      link(settings, usb, &termios_serial_port::create, ui, fast_timing(sleeps, card)),
      server_(card, &transcript) {
    char pattern[] = "/tmp/tessaly-pty-XXXXXX";
    dir_ = ::mkdtemp(pattern);
    port_ = dir_ + "/card";
    std::string error;
    if (!server_.open(port_, error))
        throw std::runtime_error(error);
    settings.values["Settings/UseLink"] = "COM";
    settings.values["Settings/ComPort"] = port_;
    link.load_settings();
    thread_ = std::thread([this] { server_.serve(stop_, 20); });
}

pty_card::~pty_card() {
    stop_ = true;
    thread_.join();
    std::filesystem::remove_all(dir_);
}

temp_dir::temp_dir() {
    char pattern[] = "/tmp/tessaly-test-XXXXXX";
    path_ = ::mkdtemp(pattern);
}

temp_dir::~temp_dir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

child_process::child_process(const std::vector<std::string>& argv,
                             const std::vector<std::string>& env) {
    // Everything the child needs is prepared before the fork: the test runs threads.
    std::vector<std::string> environment = env;
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        auto name = entry.substr(0, entry.find('=') + 1);
        bool replaced = false;
        for (const auto& extra : env)
            replaced |= extra.compare(0, name.size(), name) == 0;
        if (!replaced)
            environment.push_back(entry);
    }
    std::vector<char*> args, envp;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : environment)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    int out_pipe[2], err_pipe[2];
    if (::pipe(out_pipe) != 0 || ::pipe(err_pipe) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out_pipe[1], STDOUT_FILENO);
        ::dup2(err_pipe[1], STDERR_FILENO);
        for (int fd : {out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]})
            ::close(fd);
        ::execve(args[0], args.data(), envp.data());
        ::_exit(127);
    }
    ::close(out_pipe[1]);
    ::close(err_pipe[1]);
    out_fd_ = out_pipe[0];
    err_fd_ = err_pipe[0];
}

child_process::~child_process() {
    if (pid_ > 0 && !done_) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    if (out_fd_ >= 0)
        ::close(out_fd_);
    if (err_fd_ >= 0)
        ::close(err_fd_);
}

// Reads whatever the child wrote until both pipes are closed or the time is up.
void child_process::drain(int timeout_ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    char buffer[4096];
    while (out_fd_ >= 0 || err_fd_ >= 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        if (left <= 0)
            return;
        pollfd fds[2] = {{out_fd_, POLLIN, 0}, {err_fd_, POLLIN, 0}};
        if (::poll(fds, 2, static_cast<int>(left)) <= 0)
            continue;
        for (int i = 0; i < 2; ++i) {
            int& fd = i == 0 ? out_fd_ : err_fd_;
            if (fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                ::close(fd);
                fd = -1;
            } else {
                (i == 0 ? out_ : err_).append(buffer, static_cast<std::size_t>(n));
            }
        }
    }
}

std::string child_process::first_line(int timeout_ms) {
    return line(0, timeout_ms);
}

std::string child_process::line(std::size_t index, int timeout_ms) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    // Where line `index` starts, and whether it is complete.
    auto start_of = [this](std::size_t n) {
        std::size_t at = 0;
        for (std::size_t i = 0; i < n && at != std::string::npos; ++i) {
            at = out_.find('\n', at);
            at = at == std::string::npos ? at : at + 1;
        }
        return at;
    };
    char c;
    while ((start_of(index) == std::string::npos ||
            out_.find('\n', start_of(index)) == std::string::npos) &&
           out_fd_ >= 0) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                        deadline - std::chrono::steady_clock::now())
                        .count();
        pollfd fd{out_fd_, POLLIN, 0};
        if (left <= 0 || ::poll(&fd, 1, static_cast<int>(left)) <= 0)
            return {};
        if (::read(out_fd_, &c, 1) != 1)
            return {};
        out_.push_back(c);
    }
    auto begin = start_of(index);
    if (begin == std::string::npos)
        return {};
    auto end = out_.find('\n', begin);
    return end == std::string::npos ? std::string() : out_.substr(begin, end - begin);
}

int child_process::wait(int timeout_ms) {
    if (done_)
        return status_;
    drain(timeout_ms);
    int status = 0;
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (::waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, &status, 0);
            done_ = true;
            return status_ = -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    done_ = true;
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return status_;
}

int child_process::terminate(int signal) {
    if (!done_ && pid_ > 0)
        ::kill(pid_, signal);
    return wait(10000);
}

run_result run(const std::vector<std::string>& argv, const std::vector<std::string>& env,
               int timeout_ms) {
    child_process child(argv, env);
    int status = child.wait(timeout_ms);
    return {status, child.out(), child.err()};
}

std::string program(const std::string& relative_path) {
    return std::string(TESSALY_BINARY_DIR) + "/" + relative_path;
}

} // namespace sim_test

#pragma once
// The far end of a real pseudo-terminal pair, playing a card for the COM port tests: it
// collects the frames the host writes and answers each with the next byte of a script
// (or with silence), and can send raw data bytes on request.

#include <atomic>
#include <deque>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

class pty_card {
  public:
    pty_card() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) == 0)
            path_ = name;
    }
    ~pty_card() {
        stop();
        if (master_ >= 0)
            ::close(master_);
        if (slave_ >= 0)
            ::close(slave_);
    }

    const std::string& path() const { return path_; }

    // Starts answering: each complete frame (STX ... ETX check) gets the next scripted byte
    // (-1 for silence); when the script is used up, `otherwise`.
    void serve(std::deque<int> script, int otherwise) {
        script_ = std::move(script);
        otherwise_ = otherwise;
        running_ = true;
        thread_ = std::thread([this] { loop(); });
    }
    void stop() {
        running_ = false;
        if (thread_.joinable())
            thread_.join();
    }
    // Writes bytes to the host.
    void send(const std::vector<std::uint8_t>& bytes) {
        ssize_t r = ::write(master_, bytes.data(), bytes.size());
        (void)r;
    }
    // Closes the card's end: the host's next read fails.
    void hang_up() {
        stop();
        ::close(master_);
        master_ = -1;
    }

    std::vector<std::vector<std::uint8_t>> frames() {
        std::lock_guard lock(mutex_);
        return frames_;
    }

  private:
    void loop() {
        std::vector<std::uint8_t> pending;
        while (running_) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, 10) <= 0)
                continue;
            std::uint8_t buffer[256];
            ssize_t r = ::read(master_, buffer, sizeof buffer);
            if (r <= 0)
                continue;
            pending.insert(pending.end(), buffer, buffer + r);
            // A frame is complete once the byte after ETX (the check byte) is in.
            for (std::size_t i = 0; i + 1 < pending.size(); ++i) {
                if (pending[i] != 0x03)
                    continue;
                std::vector<std::uint8_t> frame(pending.begin(), pending.begin() + i + 2);
                pending.erase(pending.begin(), pending.begin() + i + 2);
                i = static_cast<std::size_t>(-1);
                int answer = otherwise_;
                {
                    std::lock_guard lock(mutex_);
                    frames_.push_back(std::move(frame));
                    if (!script_.empty()) {
                        answer = script_.front();
                        script_.pop_front();
                    }
                }
                if (answer >= 0)
                    send({static_cast<std::uint8_t>(answer)});
            }
        }
    }

    int master_ = -1, slave_ = -1;
    std::string path_;
    std::thread thread_;
    std::atomic<bool> running_{false};
    std::mutex mutex_;
    std::deque<int> script_;
    int otherwise_ = -1;
    std::vector<std::vector<std::uint8_t>> frames_;
};

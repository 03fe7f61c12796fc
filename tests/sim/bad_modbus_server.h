#pragma once
// A Modbus/TCP server on 127.0.0.1 that answers reads of holding registers well (register
// at address a holds a + 1) except at one address, where it misbehaves in a chosen way.
// Each connection is served until the client closes it; the server takes a new connection
// whenever the client makes one.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace sim_test {

class bad_modbus_server {
  public:
    enum class fault { wrong_count, wrong_function, short_frame, garbage, exception, odd_bytes };

    bad_modbus_server(fault f, int bad_address) : fault_(f), bad_address_(bad_address) {
        listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listen_, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(listen_, 4);
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~bad_modbus_server() {
        stop_ = true;
        thread_.join();
        ::close(listen_);
    }

    int port = 0;

  private:
    // Waits up to 50 ms for fd to be readable; false when stopping.
    bool readable(int fd) {
        pollfd p{fd, POLLIN, 0};
        while (!stop_)
            if (::poll(&p, 1, 50) > 0)
                return true;
        return false;
    }

    void serve() {
        while (readable(listen_)) {
            int client = ::accept(listen_, nullptr, nullptr);
            std::uint8_t request[260];
            ssize_t n;
            while (readable(client) && (n = ::recv(client, request, sizeof request, 0)) >= 12)
                answer(client, request);
            ::close(client);
        }
    }

    void answer(int client, const std::uint8_t* request) {
        int address = (request[8] << 8) | request[9], count = (request[10] << 8) | request[11];
        std::vector<std::uint8_t> pdu{0x03};
        bool bad = address == bad_address_;
        int words = bad && fault_ == fault::wrong_count ? count - 1 : count;
        if (bad && fault_ == fault::wrong_function)
            pdu[0] = 0x04;
        if (bad && fault_ == fault::exception) {
            pdu = {0x83, 0x04};
        } else {
            pdu.push_back(
                static_cast<std::uint8_t>(2 * words + (bad && fault_ == fault::odd_bytes)));
            for (int i = 0; i < words; ++i) {
                pdu.push_back(static_cast<std::uint8_t>((address + i + 1) >> 8));
                pdu.push_back(static_cast<std::uint8_t>(address + i + 1));
            }
            if (bad && fault_ == fault::odd_bytes)
                pdu.push_back(0);
        }
        std::vector<std::uint8_t> frame(request, request + 4); // transaction and protocol
        int length = static_cast<int>(pdu.size()) + 1 + (bad && fault_ == fault::short_frame);
        frame.push_back(static_cast<std::uint8_t>(length >> 8));
        frame.push_back(static_cast<std::uint8_t>(length));
        frame.push_back(request[6]);
        frame.insert(frame.end(), pdu.begin(), pdu.end());
        if (bad && fault_ == fault::garbage)
            frame.assign(24, 0xEE);
        ::send(client, frame.data(), frame.size(), MSG_NOSIGNAL);
    }

    fault fault_;
    int bad_address_;
    int listen_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

} // namespace sim_test

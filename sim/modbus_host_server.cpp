#include "sim/modbus_host_server.h"

#include "live/live_writer.h"
#include "live/poll_plan.h"
#include "sim/card_transcript.h"
#include "sim/ombra_card.h"

#include <modbus.h>

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int idle_ms = 50;
constexpr int address_space = 65536;

enum function_code { read_holding = 0x03, write_single = 0x06, write_multiple = 0x10 };
enum exception_code { illegal_function = 1, illegal_data_address = 2, illegal_data_value = 3 };

int u16_at(const std::uint8_t* bytes, int at) {
    return (bytes[at] << 8) | bytes[at + 1];
}

std::string libmodbus_error(const std::string& what) {
    return what + ": " + modbus_strerror(errno);
}

} // namespace

modbus_host_server::modbus_host_server(const ombra_card& card, host_card& host,
                                       card_transcript* transcript)
    : card_(card), host_(host), transcript_(transcript), start_(std::chrono::steady_clock::now()) {
    registers_ = modbus_mapping_new(0, 0, address_space, 0);
}

modbus_host_server::~modbus_host_server() {
    stop();
    for (int fd : clients_)
        ::close(fd);
    if (listen_fd_ >= 0)
        ::close(listen_fd_);
    if (tcp_)
        modbus_free(tcp_);
    if (rtu_)
        modbus_free(rtu_);
    if (registers_)
        modbus_mapping_free(registers_);
}

bool modbus_host_server::listen_tcp(int port, std::string& error) {
    tcp_ = modbus_new_tcp("127.0.0.1", port);
    if (!tcp_ || !registers_) {
        error = libmodbus_error("cannot serve Modbus/TCP");
        return false;
    }
    listen_fd_ = modbus_tcp_listen(tcp_, 8);
    if (listen_fd_ < 0) {
        error = libmodbus_error("cannot listen on 127.0.0.1:" + std::to_string(port));
        return false;
    }
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = std::string("cannot name the listening socket: ") + std::strerror(errno);
        return false;
    }
    tcp_port_ = ntohs(address.sin_port);
    return true;
}

bool modbus_host_server::open_rtu(const std::string& link_path, std::string& error) {
    if (!rtu_terminal_.open(link_path, error))
        return false;
    // The context only frames RTU messages on the terminal's master side; the settings given
    // here are never applied to a device.
    rtu_ = modbus_new_rtu(link_path.c_str(), 19200, 'N', 8, 1);
    if (!rtu_ || !registers_ || modbus_set_socket(rtu_, rtu_terminal_.master()) != 0) {
        error = libmodbus_error("cannot serve Modbus RTU");
        return false;
    }
    // Only used to let go of the answer libmodbus expects from another slave (below).
    modbus_set_response_timeout(rtu_, 0, 1000);
    return true;
}

void modbus_host_server::start() {
    stop_ = false;
    thread_ = std::thread([this] { serve(); });
}

void modbus_host_server::stop() {
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
}

void modbus_host_server::take_card_map() {
    if (card_.configuration_generation() == map_generation_)
        return;
    host_.set_map(card_.configuration_copy(map_generation_));
    if (rtu_)
        modbus_set_slave(rtu_, host_.node());
}

void modbus_host_server::close_client(std::size_t index) {
    ::close(clients_[index]);
    clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(index));
}

void modbus_host_server::serve() {
    std::uint8_t query[MODBUS_TCP_MAX_ADU_LENGTH];
    take_card_map();
    while (!stop_) {
        std::vector<pollfd> fds;
        if (listen_fd_ >= 0)
            fds.push_back({listen_fd_, POLLIN, 0});
        for (int fd : clients_)
            fds.push_back({fd, POLLIN, 0});
        if (rtu_)
            fds.push_back({rtu_terminal_.master(), POLLIN, 0});
        int ready = ::poll(fds.data(), fds.size(), idle_ms);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready <= 0) {
            if (transcript_)
                transcript_->flush();
            continue;
        }
        const std::size_t polled_clients = clients_.size();
        std::size_t first_client = 0;
        if (listen_fd_ >= 0) {
            first_client = 1;
            if (fds[0].revents & POLLIN) {
                int client = ::accept4(listen_fd_, nullptr, nullptr, SOCK_CLOEXEC);
                if (client >= 0)
                    clients_.push_back(client);
            }
        }
        // Clients from the last, so that closing one leaves the places of the others alone.
        for (std::size_t i = polled_clients; i-- > 0;) {
            if (!(fds[first_client + i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            take_card_map();
            modbus_set_socket(tcp_, clients_[i]);
            int length = modbus_receive(tcp_, query);
            if (length < 0) {
                close_client(i);
                continue;
            }
            if (length > 0)
                answer(tcp_, query, length, false);
        }
        if (rtu_ && fds.back().revents & POLLIN) {
            take_card_map(); // the slave address the request is filtered by
            modbus_set_socket(rtu_, rtu_terminal_.master());
            int length = modbus_receive(rtu_, query);
            if (length > 0)
                answer(rtu_, query, length, true);
            else if (length == 0)
                // A request for another slave: on a shared line that slave's answer would
                // come next, and libmodbus waits to skip it. This line has no other slave, so
                // the wait ends at once instead of swallowing the host's next request.
                modbus_receive(rtu_, query);
        }
    }
    if (transcript_)
        transcript_->flush();
}

void modbus_host_server::answer(_modbus* ctx, const std::uint8_t* query, int length, bool rtu) {
    const int offset = modbus_get_header_length(ctx);
    if (length < offset + 1)
        return;
    if (rtu && query[offset - 1] == 0)
        return; // a broadcast: nobody answers it
    const double t =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    auto refuse = [&](int code) {
        modbus_reply_exception(ctx, query, static_cast<unsigned>(code));
    };
    const int function = query[offset];
    if (function != read_holding && function != write_single && function != write_multiple) {
        refuse(illegal_function);
        return;
    }
    if (length < offset + 5) {
        refuse(illegal_data_value);
        return;
    }
    const int address = u16_at(query, offset + 1);
    int count = function == write_single ? 1 : u16_at(query, offset + 3);
    const int most = function == read_holding ? max_request_words : max_write_words;
    if (count < 1 || count > most ||
        (function == write_multiple &&
         (length < offset + 6 + 2 * count || query[offset + 5] != 2 * count))) {
        refuse(illegal_data_value);
        return;
    }
    if (address + count > address_space) {
        refuse(illegal_data_address);
        return;
    }
    std::vector<std::uint16_t> words;
    int refused = 0;
    if (function == read_holding) {
        refused = host_.read(address, count, t, words);
        std::copy(words.begin(), words.end(), registers_->tab_registers + address);
    } else {
        int first = function == write_single ? offset + 3 : offset + 6;
        for (int i = 0; i < count; ++i)
            words.push_back(static_cast<std::uint16_t>(u16_at(query, first + 2 * i)));
        refused = host_.write(address, words, t);
    }
    if (refused)
        refuse(refused);
    else
        modbus_reply(ctx, query, length, registers_);
}

#pragma once
// The card's host side on the wire, with libmodbus: Modbus/TCP on 127.0.0.1 (any unit
// identifier answered) and Modbus RTU on a pseudo-terminal of its own (the map's node
// number as slave address; other addresses and broadcasts get no answer). One thread serves
// both; it takes the map the card holds whenever the card takes a new one, so the card's
// frame side and the host side never share a map.

#include "sim/host_card.h"
#include "sim/pseudo_terminal.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class ombra_card;
class card_transcript;
struct _modbus;
struct _modbus_mapping_t;

class modbus_host_server {
  public:
    // card, host and transcript (optional) must outlive the server.
    modbus_host_server(const ombra_card& card, host_card& host, card_transcript* transcript);
    // Stops serving and closes every connection.
    ~modbus_host_server();
    modbus_host_server(const modbus_host_server&) = delete;
    modbus_host_server& operator=(const modbus_host_server&) = delete;

    // Listens on 127.0.0.1:port (0 picks a free port). False with the reason when it cannot.
    bool listen_tcp(int port, std::string& error);
    // The port listened on (after listen_tcp).
    int tcp_port() const { return tcp_port_; }
    // Opens a pseudo-terminal for RTU linked at link_path. False with the reason.
    bool open_rtu(const std::string& link_path, std::string& error);

    // Serves on a thread of its own until stop().
    void start();
    void stop();

  private:
    void serve();
    void take_card_map();
    void answer(_modbus* ctx, const std::uint8_t* query, int length, bool rtu);
    void close_client(std::size_t index);

    const ombra_card& card_;
    host_card& host_;
    card_transcript* transcript_;
    std::chrono::steady_clock::time_point start_;

    _modbus* tcp_ = nullptr;
    int listen_fd_ = -1;
    int tcp_port_ = 0;
    std::vector<int> clients_;
    _modbus* rtu_ = nullptr;
    pseudo_terminal rtu_terminal_;
    _modbus_mapping_t* registers_ = nullptr; // the words of each answer

    std::uint64_t map_generation_ = ~std::uint64_t{0};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

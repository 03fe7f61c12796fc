#pragma once
// The host side of a card as live values reach it: holding registers read and written over
// Modbus/TCP or Modbus RTU. Every call returns at once; its handler runs later on the
// caller's event loop (or, in tests, possibly at once), so that a window never waits on the
// card. One request is outstanding at a time: callers chain them from the handlers.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct link_reply {
    // The words read: exactly the count asked for when error is empty.
    std::vector<std::uint16_t> words;
    // Empty on success, else the reason: the exception's name ("Illegal data address"),
    // "No answer", or what was wrong with the answer.
    std::string error;
    // The connection went away (or could not be used); error holds the reason.
    bool connection_lost = false;
};

class host_link {
  public:
    using reply_handler = std::function<void(link_reply)>;
    using open_handler = std::function<void(std::string reason)>;

    virtual ~host_link() = default;

    // Connects (or opens the serial port); the handler gets an empty reason on success.
    virtual void open(open_handler done) = 0;
    virtual void close() = 0;
    virtual bool is_open() const = 0;
    // HOST:PORT or the device path, as messages name the card.
    virtual std::string target() const = 0;

    // Reads count (1..125) holding registers from address (function 3).
    virtual void read(int address, int count, reply_handler done) = 0;
    // Writes words (1..123) from address: function 6 for one word, 16 for several.
    virtual void write(int address, std::vector<std::uint16_t> words, reply_handler done) = 0;
};

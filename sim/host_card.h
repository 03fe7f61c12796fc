#pragma once
// The card's host side: the holding registers of the map the card holds, carrying the
// feeders' values by the value rules. Reads answer the registers' words; writes change the
// values (the card decodes a register's words again after each write) and fire the command
// entries of bitmapped command registers by their trigger modes. An address that no
// register covers, a write to a read-only register and any request without a map answer
// exception 2 (illegal data address).

#include "live/live_map.h"
#include "sim/feeder_values.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

class zrp_file;
class host_register;

class host_card {
  public:
    // Modbus exception codes the card answers with.
    static constexpr int illegal_data_address = 2;

    // fired gets the text of every command fired ("command F:<feeder> <mnemonic>").
    explicit host_card(feeder_values values,
                       std::function<void(const std::string&)> fired = nullptr);
    ~host_card();
    host_card(const host_card&) = delete;
    host_card& operator=(const host_card&) = delete;

    // Takes the map the card holds, from its text lines; no lines, or lines that do not load,
    // leave the card without a map. Command words start at 0 again.
    void set_map(const std::vector<std::string>& lines);
    bool has_map() const { return map_ != nullptr; }
    // The map's node number (the RTU slave address); 1 without a map.
    int node() const;

    // Fills words with count registers from address at t seconds after start; 0, or the
    // exception code to answer.
    int read(int address, int count, double t, std::vector<std::uint16_t>& words) const;
    // Writes words from address; 0, or the exception code to answer (nothing changes then).
    int write(int address, std::span<const std::uint16_t> words, double t);

  private:
    struct served {
        live_register reg;
        const host_register* source;
        int address;
    };

    // The registers that cover [address, address + count) in address order, or nothing when
    // an address in it is covered by none.
    std::vector<const served*> covering(int address, int count) const;
    std::vector<std::uint16_t> words_of(const served& s, double t) const;
    std::uint16_t status_word(const served& s, double t) const;
    void fire_commands(const served& s, std::uint16_t before, std::uint16_t after);

    feeder_values values_;
    std::function<void(const std::string&)> fired_;
    std::unique_ptr<zrp_file> map_;
    std::vector<served> registers_;              // addressable registers, by address
    std::map<int, std::uint16_t> command_words_; // last word written, by register number
};

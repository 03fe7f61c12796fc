#pragma once
// The behaviour of an Ombra card at the far end of the link, independent of how the bytes
// travel (a pseudo-terminal for ombra-sim, in-process HID reports for tests).
//
// The card takes acknowledged frames (STX, payload, ETX, check byte) and answers each
// well-formed one with ACK. Lines sent to it are collected until "END" and become its
// configuration (written to the store file when one is given). The extraction requests
// "EXTRACT_ZRP", "EXTRA_INFO", "ACK n" and "END" are answered from the image of that
// configuration, encoded for the card's device; "ERROR" starts the error-list exchange. A
// frame whose check byte is wrong is answered with NAK.

#include "sim/card_faults.h"

#include <cstdint>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

class card_transcript;

struct card_options {
    // The device the card belongs to; extracted images are encoded for it.
    int device_code = 1;
    // Where every completed configuration is written (none when empty).
    std::string store_path;
    // The error list the card reports (none: the card reports an empty list).
    std::optional<std::string> error_text;
    card_faults faults;
};

class ombra_card {
  public:
    static constexpr std::uint8_t nak = 0x15;
    static constexpr std::uint8_t garbage_byte = 0xEE;
    // Longest payload the card buffers; a longer frame is dropped unanswered.
    static constexpr std::size_t max_payload = 4096;

    // The transcript, when given, must outlive the card.
    explicit ombra_card(card_options options, card_transcript* transcript = nullptr);

    // Takes bytes from the host and appends the card's answers to `answer`.
    void receive(std::span<const std::uint8_t> bytes, std::vector<std::uint8_t>& answer);

    // The lines of the last configuration completed with "END" (for the thread that feeds
    // the card).
    const std::vector<std::string>& configuration() const { return configuration_; }
    // Replaces the stored configuration (as if it had been sent).
    void set_configuration(std::vector<std::string> lines);
    // For another thread (the host side): a number that changes with every configuration
    // taken, and a copy of the configuration with its number.
    std::uint64_t configuration_generation() const;
    std::vector<std::string> configuration_copy(std::uint64_t& generation) const;
    int frames_accepted() const { return accepted_; }
    // The reason the store file could not be written, or empty.
    const std::string& store_error() const { return store_error_; }

  private:
    enum class exchange { none, configuration, error_list };

    void frame_complete(std::vector<std::uint8_t>& answer);
    std::vector<std::uint8_t> handle(const std::string& payload);
    void build_image();
    void build_error_list();
    void store_line(const std::string& line);
    void commit_configuration();
    // True (and the fault used once more) when a fault of `list` applies to `number`.
    static bool take_fault(std::vector<card_fault>& list, std::vector<int>& used, int number);
    void damage_answer(std::vector<std::uint8_t>& data);

    card_options options_;
    card_transcript* transcript_;

    // Frame reception.
    enum class rx_state { idle, payload, check } rx_ = rx_state::idle;
    std::vector<std::uint8_t> frame_;

    // Fault bookkeeping.
    int accepted_ = 0;
    int data_answers_ = 0;
    std::vector<int> refuse_used_, silent_used_;

    // Configuration reception.
    std::vector<std::string> pending_;
    bool receiving_ = false;
    std::vector<std::string> configuration_; // changed under configuration_mutex_
    std::uint64_t generation_ = 0;
    mutable std::mutex configuration_mutex_;
    std::string store_error_;

    // Extraction.
    exchange exchange_ = exchange::none;
    std::vector<std::uint8_t> header_, info_, data_;
    std::size_t cursor_ = 0;
};

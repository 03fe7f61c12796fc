#pragma once
// The faults the card emulator can inject, each given on the command line as NUMBER or
// NUMBER:COUNT and repeatable. Frames are numbered from 1 in the order the card accepts
// them: a frame that is refused or ignored keeps its number when the host sends it again.
// Data answers (image header, information block, blocks, error-list header) are numbered
// from 1 in the order they are sent.

#include <string>
#include <string_view>
#include <vector>

struct card_fault {
    int number = 0; // the frame or data answer it applies to (from 1)
    int count = 1;  // how many times, or how many bytes
};

struct card_faults {
    // Refuse frame `number` `count` times with a byte other than ACK.
    std::vector<card_fault> refuse;
    // Give no answer at all to frame `number`, `count` times.
    std::vector<card_fault> silent;
    // Send only the first `count` bytes of data answer `number` (-1, the default: half).
    std::vector<card_fault> cut_short;
    // Put `count` garbage bytes before data answer `number`.
    std::vector<card_fault> garbage;
    // Answer nothing at all once this many frames were accepted (0: never).
    int dead_after = 0;
};

// One fault option of ombra-sim: "refuse", "silent", "short", "garbage" or "dead-after" with
// its value. False with a reason when the option or value is not understood.
bool parse_card_fault(std::string_view option, std::string_view value, card_faults& faults,
                      std::string& error);

// The option names parse_card_fault understands.
const std::vector<std::string_view>& card_fault_options();

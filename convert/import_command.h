#pragma once
// The Import command without its dialogs: what happens between choosing the two files and the
// end of the conversion. The editor adds the file dialogs and the host protocol selection;
// tessaly-cli takes the same choices from its options.

#include <optional>
#include <string>
#include <string_view>

// The host protocol selection as confirmed with OK (its device rule already applied).
struct import_selection {
    std::string device_word;    // "BLF", "RDX", "WNT" or "HQP"
    int protocol_position = -1; // the checked protocol button; -1 none
};

// What the converter is told about the target.
struct import_target {
    std::string description; // the new file's first line
    int device_code = 1;
};

// How an existing output file is treated: the editor asks, tessaly-cli refuses it unless
// told to overwrite.
enum class overwrite_policy { ask, refuse, allow };

enum class import_outcome { done, errors, failed };

// The protocol word for a position of the selection dialog: 0 "Allen-Bradley", 2 "Siemens",
// 3 "Profibus", 4 "Modbus/TCP", 5 "Modbus+", 6 "DeviceNet", 7 "Ethernet/IP", 8 "ProfinetIO",
// any other position (Modbus, or none checked) "Modbus".
std::string_view import_protocol_word(int position);
// The position of a protocol word as written on a map's device line; nothing when unknown.
std::optional<int> import_protocol_position(std::string_view word);

// The description line and device code for a selection: device prefix ("BLF " 0, "RDX " 1,
// "WNT " 2, "HQP " 3, anything else "" 255), protocol word and " Protocol". A cancelled
// selection gives an empty line and device code 1.
import_target import_target_for(const std::optional<import_selection>& selection);

class user_interface;

class import_command {
  public:
    // The messages and the overwrite question go through ui, which must outlive the command.
    import_command(std::string old_path, std::string new_path, user_interface& ui)
        : old_path_(std::move(old_path)), new_path_(std::move(new_path)), ui_(ui) {}

    // The checks made once both files are chosen: an existing new file is overwritten only
    // when the policy allows it (or the user says Yes), and the new file may not be the old
    // one (compared as absolute, normalised paths). False, after the message, when the
    // command stops here.
    bool check_files(overwrite_policy policy);

    // Converts for the confirmed selection (nothing = the selection was cancelled). The
    // converter reports its own outcome; a conversion that could not run at all adds
    // "Error converting *.zrp file.".
    import_outcome convert(const std::optional<import_selection>& selection);

    // Where convert.log goes; the current directory unless set.
    void set_log_path(std::string path) { log_path_ = std::move(path); }

  private:
    std::string old_path_, new_path_;
    user_interface& ui_;
    std::string log_path_;
};

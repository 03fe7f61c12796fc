#pragma once
// The old-file converter: copies an old register map's header lines (dropping the obsolete
// ones), rewrites every register line with the parameter name that replaced its three-
// character mnemonic, and records in convert.log what it stripped and what it could not
// convert. Messages go through ui().

#include "convert/convert_messages.h"

#include <cstddef>
#include <string>

class Kconvert {
  public:
    // Reading phases: header lines, register lines, and the continuation lines of a bitmap
    // command (3) or bitmap status (4) register.
    enum phase_t { phase_header = 1, phase_registers = 2, phase_commands = 3, phase_status = 4 };
    // How the last conversion ended.
    enum class outcome { none, done, errors, failed };

    // Old files are read in lines of at most this many characters.
    static constexpr std::size_t max_line = 89;

    virtual ~Kconvert() = default;

    // Converts old_path into new_path, whose first line is description. Returns false only
    // when a file cannot be opened or written (after saying so); conversion errors, reported
    // with their own message, still return true. new_path is written (atomically) only when
    // the conversion had no error and its result loads back as a map, read as written.
    bool conversion(const std::string& old_path, const std::string& new_path,
                    const std::string& description);

    int phase() const { return phase_; }
    // The target device code (0 "BLF" ... 3 "HQP", 255 unknown); decides the status names.
    int device_code() const { return device_code_; }
    void set_device_code(int code) { device_code_ = code; }
    // Where convert.log goes; the current directory unless set.
    const std::string& log_path() const { return log_path_; }
    void set_log_path(std::string path) { log_path_ = std::move(path); }
    outcome last_outcome() const { return outcome_; }

  private:
    struct run_state;
    // Handles one register line; false when the conversion must stop at it.
    bool convert_register_line(const std::string& line, run_state& run);
    // Loads the converted text as Open would; a load that fails, or a line not read as
    // written, is a conversion error with its reason in the log.
    void check_loads_back(run_state& run) const;

    int phase_ = phase_header;
    int device_code_ = 1;
    std::string log_path_{convert_text::log_file_name};
    outcome outcome_ = outcome::none;
};

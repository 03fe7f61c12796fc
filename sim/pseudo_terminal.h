#pragma once
// A raw pseudo-terminal whose terminal end is reached through a symbolic link, as a program
// opens a serial port. The master side is where the emulator listens. A descriptor on the
// terminal end stays open so that the terminal survives hosts opening and closing it (the
// master would otherwise read end-of-file or errors in between).

#include <string>

class pseudo_terminal {
  public:
    pseudo_terminal() = default;
    // Closes the terminal and removes the link it made.
    ~pseudo_terminal();
    pseudo_terminal(const pseudo_terminal&) = delete;
    pseudo_terminal& operator=(const pseudo_terminal&) = delete;

    // Opens a pseudo-terminal in raw mode and makes link_path a symbolic link to its
    // terminal end (replacing an older symbolic link there, never another file). False with
    // the reason when that fails.
    bool open(const std::string& link_path, std::string& error);

    int master() const { return master_; }
    // The terminal end's own name (e.g. /dev/pts/3).
    const std::string& terminal_name() const { return terminal_name_; }

  private:
    int master_ = -1;
    int terminal_ = -1;
    std::string terminal_name_;
    std::string link_path_;
};

#pragma once
// Picks out of a map's text the lines a card needs. The card wants the device line, the
// three common header lines, every protocol-specific header line, "HREG" and the register
// entries; anything between them (comments, blank lines among the registers) stays home.

#include <string_view>

class line_filter {
  public:
    enum class verdict { skip, send };

    // Back to the start of a file: state 0, no pause pending.
    void reset();

    // Judges the next line of the file and moves to the next state.
    verdict filter(std::string_view line);

    // True from the "HREG" line until the first register line is sent; the sender waits
    // before that line so that the card has time to prepare its register table.
    bool pause_pending() const { return pause_; }
    void clear_pause() { pause_ = false; }

    int state() const { return state_; }

  private:
    int state_ = 0;
    bool pause_ = false;
};

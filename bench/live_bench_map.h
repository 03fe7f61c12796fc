#pragma once
// A full card for the live-value benchmarks: 655 registers, the most a card takes, 1310 words
// in all (2 on average), of every kind of number and a string, without gaps.

#include <cstdio>
#include <string>

inline std::string full_live_card(const std::string& header) {
    // Widths 2, 2, 2, 2, 1, 3: two words a register on average.
    static const char* const kinds[] = {
        " 0 2 7 0 0 F:%d Massflow", " 0 2 6 6 0 F:%d Setpoint",       " 0 2 0 6 2 F:%d Total",
        " 1 1 0 0 0 F:%d Rate",     " 0 1 1 0 0 F:%d Speed 100 0 10", " 0 3 9 0 0 F:%d FeederName"};
    static const int widths[] = {2, 2, 2, 2, 1, 3};
    std::string text = header + "HREG\n";
    int number = 40001;
    for (int i = 0; i < 655; ++i) {
        char line[80];
        std::snprintf(line, sizeof line, kinds[i % 6], i % 64);
        text += std::to_string(number) + line + "\n";
        number += widths[i % 6];
    }
    return text;
}

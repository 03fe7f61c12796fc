#pragma once
// What the tests of live values against ombra-sim share, whatever their framework: a map of
// every format with the values the card is given, and the files of a card kept in a folder of
// its own (the map it holds as if sent before, its values and its log).

#include <sstream>
#include <string>
#include <vector>

namespace live_card_files {

// Registers of every format. The command word's bits 0 to 5 fire CA01 to CA06 by Active high,
// Active low, Rising, Falling, Any edge and Off; its bit 6 is unused (XXXX, whatever its
// trigger). The status word's bits 1 and 0 are bits 1 and 4 of feeder 1's PSR.
inline const char* const registers_text =
    "HREG\n"
    "40001 0 1 0 0 0 F:1 Count\n"
    "40002 1 2 0 6 2 F:1 Total\n"
    "40005 0 1 1 0 0 F:1 Speed 100 0 10\n"
    "40006 0 1 2 0 0 F:1 Setpoint 2\n"
    "40007 0 1 5 0 0 F:0 ROMConstant 42\n"
    "40008 0 2 6 0 0 F:1 Massflow\n"
    "40010 0 2 7 6 0 F:1 Rate\n"
    "40012 0 1 8 0 0 F:1 BitWrite\n"
    "40013 0 3 9 0 0 F:1 FeederName\n"
    "40016 0 2 0 0 0 F:1 LXGType\n"
    "40018 0 1 10 0 0 F:1 AlarmStatus\n"
    "40019 0 2 0 0 0 F:1 ProcessStatus\n"
    "40021 0 3 0 0 0 F:1 ProcStat\n"
    "40024 0 1 3 0 0 F:0\n"
    "F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:1 F:1 F:1 F:1 F:1 F:1 F:1 \n"
    "XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX XXXX CA06 CA05 CA04 CA03 CA02 CA01 \n"
    "OFF OFF OFF OFF OFF OFF OFF OFF OFF HIT OFF XOT LOT HIT LO HI \n"
    "40025 0 1 4 0 0 F:0\n"
    "F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:0 F:1 F:1 \n"
    "XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX XXX PSR PSR \n"
    "0 0 0 0 0 0 0 0 0 0 0 0 0 0 1 4 \n"
    "40030 0 1 7 0 0 F:1 Odd\n";

// The values of the registers above that the card is given.
inline const char* const values_text = "F:1 Count -7\nF:1 Total 1.5\nF:1 Speed 12.34\n"
                                       "F:1 Setpoint 12.345\nF:1 Massflow 100\nF:1 Rate 0.1\n"
                                       "F:1 BitWrite 5\nF:1 FeederName \"Line A\"\n"
                                       "F:1 LXGType \"X\\tY\"\nF:1 AlarmStatus 0x1234\n"
                                       "F:1 ProcessStatus 0x12345678\nF:1 ProcStat 1,2\n"
                                       "F:1 PSR 0x11\n";

// The registers above in a Modbus/TCP map for 127.0.0.1 with the byte order given.
inline std::string tcp_map(const std::string& byte_order = "MSBYTE_FIRST") {
    return "RDX Modbus/TCP protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT " + byte_order +
           "\nREGMAX 65535\nNODENUM 0\nMBTCP 127.0.0.1 255.0.0.0 0.0.0.0\n" + registers_text;
}

// ombra-sim's arguments for a card whose files lie in folder: its pseudo-terminal "card",
// the map it holds "store.zrp", its values "values.txt" and its log "card.log". The host side
// is still to be named.
inline std::vector<std::string> emulator_arguments(const std::string& folder) {
    return {"--pty",    folder + "/card",       "--store", folder + "/store.zrp",
            "--values", folder + "/values.txt", "--log",   folder + "/card.log"};
}

// The commands a card's log says were fired ("F:1 CA03"), in order.
inline std::vector<std::string> fired_commands(const std::string& log) {
    std::vector<std::string> out;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);)
        if (auto at = line.find(" command "); at != std::string::npos)
            out.push_back(line.substr(at + 9));
    return out;
}

} // namespace live_card_files

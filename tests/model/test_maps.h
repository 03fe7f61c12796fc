#pragma once
// Register maps for the register table, diff and check tests: a header of every protocol,
// entries of every format, and a randomised generator of map texts that the model loads.

#include <random>
#include <string>
#include <vector>

namespace model_test {

// Sixteen items, each followed by a blank, as the map file writes a bitmapped line.
inline std::string sixteen(const std::string& item) {
    std::string out;
    for (int i = 0; i < 16; ++i)
        out += item + " ";
    return out;
}

inline std::string block_lines(const std::string& first_input = "0/16") {
    std::string out = "INPUT_BLOCK " + first_input + "\n";
    for (int i = 1; i < 11; ++i)
        out += i == 5 ? "INPUT_BLOCK 300/10\n" : "INPUT_BLOCK 0/0\n";
    out += "OUTPUT_BLOCK 0/8\n";
    for (int i = 1; i < 11; ++i)
        out += "OUTPUT_BLOCK 0/0\n";
    return out;
}

// The device line and header of every protocol (with "HREG"), for the given device word.
inline std::vector<std::string> headers_of_every_protocol(const std::string& device = "RDX") {
    const std::string plc = "PLC_CHAN 38400 RTU 8 EVEN_PARITY 2STOPBITS MSBYTE_FIRST\n"
                            "REGMAX 500\nNODENUM 3\n";
    const std::string d = device + " ";
    return {
        d + "Generic protocol protocol\n" + plc + "HREG\n",
        d + "Modbus protocol\n" + plc + "HREG\n",
        d + "Allen-Bradley protocol\n" + plc + "HREG\n",
        d + "Siemens protocol\n" + plc + "HREG\n",
        d + "Profibus protocol\n" + plc + "PROFIBUS 20 30 3\nHREG\n",
        d + "Modbus/TCP protocol\n" + plc + "MBTCP 192.168.1.20 255.255.255.0 192.168.1.1\nHREG\n",
        d + "Modbus+ protocol\n" + plc + "MBPLUS 1 2 3\nHREG\n",
        d + "DeviceNet protocol\n" + plc + "DEVICENET 16 8\n" + block_lines() + "HREG\n",
        d + "Ethernet/IP protocol\n" + plc + "ETHIP 192.168.1.20 255.255.255.0 192.168.1.1 16 8\n" +
            block_lines() + "HREG\n",
        d + "ProfinetIO protocol\n" + "PLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST\n" +
            "REGMAX 0\nNODENUM 0\nPROFINET_IO 192.168.1.20 255.255.255.0 192.168.1.1 16 8\nHREG\n",
    };
}

// One entry of every format code (and a few codes without a name), as the map file writes
// them, at ascending numbers from 0.
inline std::string entries_of_every_format() {
    return "0 0 1 0 0 0 F:0 Massflow\n"
           "1 1 1 1 6 3 F:2 FdrPercentOfLine 250.5 -1 0.001\n"
           "3 0 2 2 0 2 F:63 Setpoint -8\n"
           "5 0 1 3 0 0 F:0\nF:1 " +
           sixteen("F:5").substr(4) + "\nCTAR " + sixteen("XXXX").substr(5) + "\nHIT " +
           sixteen("LOT").substr(4) + "\n" + "6 0 1 4 0 0 F:0\n" + sixteen("F:7") + "\nPSR " +
           sixteen("ASW0").substr(5) + "\n31 " + sixteen("2").substr(2) + "\n" +
           "7 0 1 5 0 0 F:0 ROMConstant -123456\n"
           "8 0 2 6 0 0 F:1 SiemensValue\n"
           "10 0 2 7 6 2 F:1 IeeeValue\n"
           "12 0 1 8 0 0 F:4 BitValue\n"
           "13 0 7 9 0 2 F:0 FeederName\n"
           "20 0 1 10 0 2 F:0 ProcessStatus\n"
           "21 0 8 11 0 2 F:0 Other\n"
           "29 0 8 0 0 2 F:0 ProcStat\n"
           "37 0 1 42 3 1 F:-2 Odd\n";
}

// A random map text the model loads: a random header, then entries of random formats with
// values inside and outside their usual ranges (negative feeders, unnamed codes, words the
// tables do not know, floats of every kind, names with commas and quotes), conflicting and
// malformed entries among them.
class random_map_text {
  public:
    explicit random_map_text(unsigned seed) : rng_(seed) {}

    std::string next() {
        const auto headers = headers_of_every_protocol(pick({"BLF", "RDX", "WNT", "HQP"}));
        std::string text = headers[rng_() % headers.size()];
        const int count = static_cast<int>(rng_() % 30);
        for (int i = 0; i < count; ++i)
            text += entry();
        return text;
    }

  private:
    std::string pick(std::initializer_list<const char*> words) {
        return *(words.begin() + rng_() % words.size());
    }
    int number(int low, int high) {
        const auto span = static_cast<unsigned long long>(static_cast<long long>(high) - low + 1);
        return static_cast<int>(low + static_cast<long long>(rng_() % span));
    }
    std::string name() {
        switch (rng_() % 8) {
        case 0:
            return "";
        case 1:
            return pick({"ProcStat", "AlarmStat", "FeederName"});
        case 2:
            return "A,Name\"With;Quotes";
        case 3:
            return "VeryLongParameterNameOf28Chars";
        case 4:
            return "Pr\xC3\xBC"
                   "fwert"; // UTF-8
        default:
            return pick({"Massflow", "Setpoint", "FdrPercentOfLine", "X"});
        }
    }
    std::string real() {
        switch (rng_() % 6) {
        case 0:
            return pick({"inf", "-inf", "nan", "-nan", "1e39", "-0"});
        case 1:
            return std::to_string(number(-100000, 100000));
        case 2: {
            std::uniform_real_distribution<double> d(-1e6, 1e6);
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.12g", d(rng_));
            return buf;
        }
        default: {
            std::uniform_real_distribution<double> d(-1, 1);
            char buf[64];
            std::snprintf(buf, sizeof buf, "%.9e", d(rng_));
            return buf;
        }
        }
    }
    std::string entry() {
        if (rng_() % 25 == 0)
            return "garbage line\n";
        const int format = rng_() % 10 == 0 ? number(-2, 20) : number(0, 11);
        std::string e = std::to_string(number(-5, 70000)) + " " + std::to_string(number(0, 2)) +
                        " " + std::to_string(number(0, 1100)) + " " + std::to_string(format) + " " +
                        std::to_string(rng_() % 3 == 0 ? number(-1, 9) : 0) + " " +
                        std::to_string(number(-1, 4)) + " F:" + std::to_string(number(-3, 99));
        switch (format) {
        case 1:
            return e + " " + name() + " " + real() + " " + real() + " " + real() + "\n";
        case 2:
            return e + " " + name() + " " + std::to_string(number(-9, 9)) + "\n";
        case 5:
            return e + " ROMConstant " + std::to_string(number(-2000000000, 2000000000)) + "\n";
        case 3:
        case 4: {
            e += "\n";
            for (int k = 0; k < 16; ++k)
                e += "F:" + std::to_string(number(-1, 300)) + " ";
            e += "\n";
            for (int k = 0; k < 16; ++k)
                e += (format == 3 ? pick({"XXXX", "CTAR", "CRUN", "AB", "Cx,\"", "TOOLONG"})
                                  : pick({"XXX", "PSR", "ASR", "FAS", "SYS", "PSW3", "ASW7", "PSW6",
                                          "BAD"})) +
                     " ";
            e += "\n";
            for (int k = 0; k < 16; ++k)
                e += (format == 3 ? pick({"OFF", "HI", "LO", "HIT", "LOT", "XOT", "bad"})
                                  : std::to_string(number(-1, 300))) +
                     " ";
            return e + "\n";
        }
        default:
            return e + " " + name() + "\n";
        }
    }

    std::mt19937 rng_;
};

} // namespace model_test

// read and write refuse what they cannot do before anything is sent, with the message and
// exit status a script relies on.

#include "cli_fixture.h"

namespace {

const char* const tcp_map = "RDX Modbus/TCP protocol\nREGMAX 65535\nNODENUM 0\n"
                            "MBTCP 127.0.0.1 0.0.0.0 0.0.0.0\nHREG\n"
                            "40001 0 1 0 0 0 F:1 Count\n40002 0 1 5 0 0 F:0 ROMConstant 7\n";
const char* const no_address_map = "RDX Modbus/TCP protocol\nREGMAX 65535\nNODENUM 0\nHREG\n"
                                   "40001 0 1 0 0 0 F:1 Count\n";
const char* const serial_map = "RDX Modbus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT "
                               "MSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\nHREG\n"
                               "40001 0 1 0 0 0 F:1 Count\n";
const char* const ascii_map = "WNT Modbus protocol\nPLC_CHAN 19200 ASCII 8 NOPARITY 1STOPBIT "
                              "MSBYTE_FIRST\nREGMAX 65535\nNODENUM 1\nHREG\n";
const char* const siemens_map = "RDX Siemens protocol\nREGMAX 65535\nNODENUM 1\nHREG\n";

class CliLive : public cli_fixture {};

} // namespace

TEST_F(CliLive, RefusalsBeforeAnythingIsSent) {
    write("tcp.zrp", tcp_map);
    write("no_address.zrp", no_address_map);
    write("serial.zrp", serial_map);
    write("ascii.zrp", ascii_map);
    write("siemens.zrp", siemens_map);
    const refusal rows[] = {
        {"read missing.zrp --tcp 127.0.0.1", 2,
         "Unable to open the requested file\nmissing.zrp: no such file\n"},
        {"read siemens.zrp --tcp 127.0.0.1", 2, "Live values need a Modbus or Modbus/TCP map.\n"},
        {"write siemens.zrp 40001 1", 2, "Live values need a Modbus or Modbus/TCP map.\n"},
        {"read ascii.zrp --rtu /dev/null", 2,
         "Live values need Modbus RTU; this map uses ASCII.\n"},
        {"read no_address.zrp", 2,
         "The map gives no IP address; give the card's address with --tcp HOST[:PORT].\n"},
        {"read serial.zrp", 2, "Give the serial port of the card's host side with --rtu DEVICE.\n"},
        {"read serial.zrp --rtu /dev/null", 2,
         "Slave address 0 cannot be read on a serial line (1 to 247 can); give the card's "
         "address with --unit N.\n"},
        {"read tcp.zrp --tcp 127.0.0.1:99999", 2, "Not a host and port: 127.0.0.1:99999\n"},
        {"write tcp.zrp 40009 1", 2, "Register 40009 is not in the map.\n"},
        {"write tcp.zrp 40001 12kg", 1, "Not a number: 12kg.\n"},
        {"write tcp.zrp 40001 -32769", 1,
         "Value out of range: -32769 is outside -32768 to 32767.\n"},
        {"write tcp.zrp 40002 7", 1, "Register 40002 is read-only.\n"},
        // Nothing listens on port 1: the negative value was taken and the connection tried.
        {"write tcp.zrp 40001 -7 --tcp 127.0.0.1:1", 2,
         "Could not connect to 127.0.0.1:1: Connection refused\n"},
        {"read tcp.zrp --tcp 127.0.0.1:1", 2,
         "Could not connect to 127.0.0.1:1: Connection refused\n"},
        {"read serial.zrp --rtu missing-port --unit 1", 2,
         "Could not connect to missing-port: Referenced serial device does not exist.\n"},
    };
    for (const auto& r : rows)
        expect_refusal(r);
    auto both = run("read tcp.zrp --tcp 127.0.0.1 --rtu /dev/null");
    EXPECT_EQ(both.status, 2);
}

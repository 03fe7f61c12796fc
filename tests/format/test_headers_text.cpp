#include "format/ip_address.h"
#include "tests/model/test_headers_support.h"

#include <gtest/gtest.h>

using namespace header_test;

namespace {

std::string common(const std::string& device_line, const std::string& plc_chan, int regmax,
                   int node) {
    return device_line + "\nPLC_CHAN " + plc_chan + "\nREGMAX " + std::to_string(regmax) +
           "\nNODENUM " + std::to_string(node) + "\n";
}

const std::string default_chan = "19200 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST";

} // namespace

TEST(HeaderDefaults, NewHeadersWriteTheirDefaultLines) {
    struct row {
        int protocol, device;
        std::string text;
    };
    const std::string lsb_chan = "19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST";
    const row rows[] = {
        {0, 3, common("HQP Generic protocol protocol", default_chan, 65535, 0)},
        {1, 1, common("RDX Modbus protocol", default_chan, 65535, 0)},
        {1, 2, common("WNT Modbus protocol", default_chan, 65535, 1)},
        {3, 3, common("HQP Siemens protocol", default_chan, 65535, 1)},
        {3, 0, common("BLF Siemens protocol", default_chan, 65535, 0)},
        {2, 1,
         common("RDX Allen-Bradley protocol", "19200 BCC 8 NOPARITY 1STOPBIT LSBYTE_FIRST", 65535,
                0)},
        {2, 2,
         common("WNT Allen-Bradley protocol", "19200 BCC 8 NOPARITY 1STOPBIT LSBYTE_FIRST", 65535,
                1)},
        {11, 3, common("HQP Modbus+ protocol", default_chan, 65535, 1) + "MBPLUS 0 0 0\n"},
        {10, 1,
         common("RDX Modbus/TCP protocol", default_chan, 65535, 0) +
             "MBTCP 0.0.0.0 0.0.0.0 0.0.0.0\n"},
        {9, 2, common("WNT Profibus protocol", default_chan, 65535, 1) + "PROFIBUS 0 0 1\n"},
        {14, 3,
         common("HQP ProfinetIO protocol", default_chan, 0, 0) +
             "PROFINET_IO 0.0.0.0 0.0.0.0 0.0.0.0 0 0\n"},
        {12, 2, common("WNT DeviceNet protocol", lsb_chan, 65535, 0) + "DEVICENET 0 0\n"},
        {13, 1,
         common("RDX Ethernet/IP protocol", lsb_chan, 65535, 0) +
             "ETHIP 0.0.0.0 0.0.0.0 0.0.0.0 0 0\n"},
    };
    for (const auto& r : rows) {
        auto header = make_header(r.protocol, r.device);
        EXPECT_EQ(text_of(*header), r.text) << "protocol " << r.protocol;
    }
}

TEST(HeaderDefaults, ClassConstants) {
    struct row {
        int protocol;
        int input_base, output_base;
        form_class_t form;
        int pane_height;
        bool block_mapped;
    };
    const row rows[] = {
        {0, 40001, 40001, form_class_t::CGenericForm, 120, false},
        {1, 40001, 40001, form_class_t::CCommFORM, 120, false},
        {2, 0, 0, form_class_t::CComm2Form, 120, false},
        {3, 0, 0, form_class_t::CCommFORM, 120, false},
        {9, 0, 1024, form_class_t::CProfibusForm, 120, false},
        {10, 40001, 41025, form_class_t::CMbTcpForm, 120, false},
        {11, 40001, 41025, form_class_t::CMbplusForm, 120, false},
        {12, 0, 0, form_class_t::CDeviceNetForm, 135, true},
        {13, 0, 0, form_class_t::CEthernetIPForm, 225, true},
        {14, 0, 1024, form_class_t::CProfinetForm, 120, false},
    };
    for (const auto& r : rows) {
        auto h = make_header(r.protocol, 1);
        EXPECT_EQ(h->protocol_code(), r.protocol);
        EXPECT_EQ(h->input_base(), r.input_base) << r.protocol;
        EXPECT_EQ(h->output_base(), r.output_base) << r.protocol;
        EXPECT_EQ(h->form_class(), r.form) << r.protocol;
        EXPECT_EQ(h->form_pane_size(), std::make_pair(100, r.pane_height)) << r.protocol;
        EXPECT_EQ(h->is_block_mapped(), r.block_mapped) << r.protocol;
        EXPECT_EQ(h->blocks.block_count, 0) << r.protocol;
    }
}

TEST(HeaderText, EveryProtocolRoundTripsItsValues) {
    struct row {
        int protocol, device;
        std::string text; // as written; reading it (without the device line) writes it again
    };
    std::string dn_blocks = "INPUT_BLOCK 0/16\nINPUT_BLOCK 16/8\n";
    for (int i = 2; i < 5; ++i)
        dn_blocks += "INPUT_BLOCK 0/0\n";
    dn_blocks += "INPUT_BLOCK 300/10\nINPUT_BLOCK 320/20\n";
    for (int i = 7; i < 11; ++i)
        dn_blocks += "INPUT_BLOCK 0/0\n";
    dn_blocks += "OUTPUT_BLOCK 0/32\n";
    for (int i = 12; i < 22; ++i)
        dn_blocks += "OUTPUT_BLOCK 0/0\n";
    const row rows[] = {
        {0, 0,
         common("BLF Generic protocol protocol", "9600 ASCII 7 EVEN_PARITY 2STOPBITS LSBYTE_FIRST",
                100, 3)},
        {1, 3,
         common("HQP Modbus protocol", "57600 RTU 8 ODD_PARITY 1STOPBIT MSBYTE_FIRST", 65535, 12)},
        {2, 2,
         common("WNT Allen-Bradley protocol", "38400 CRC 7 ODD_PARITY 2STOPBITS LSBYTE_FIRST",
                65535, 4)},
        {3, 0,
         common("BLF Siemens protocol", "9600 ASCII 7 NOPARITY 1STOPBIT MSBYTE_FIRST", 65535, 2)},
        {9, 1, common("RDX Profibus protocol", default_chan, 65535, 7) + "PROFIBUS 100 244 7\n"},
        {10, 1,
         common("RDX Modbus/TCP protocol", default_chan, 65535, 0) +
             "MBTCP 192.168.0.10 255.255.255.0 192.168.0.1\n"},
        {11, 1, common("RDX Modbus+ protocol", default_chan, 65535, 5) + "MBPLUS 3 10 32\n"},
        {14, 1,
         common("RDX ProfinetIO protocol", default_chan, 0, 0) +
             "PROFINET_IO 10.0.0.2 255.0.0.0 10.0.0.1 1536 12\n"},
        {12, 1,
         common("RDX DeviceNet protocol", "19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST", 65535, 0) +
             "DEVICENET 24 32\n" + dn_blocks},
        {13, 0,
         common("BLF Ethernet/IP protocol", default_chan, 65535, 0) +
             "ETHIP 172.16.1.2 255.255.0.0 172.16.0.1 24 32\n" + dn_blocks},
    };
    for (const auto& r : rows) {
        auto header = make_header(r.protocol, r.device);
        ASSERT_TRUE(read_after_device_line(*header, r.text + "HREG\n")) << r.text;
        EXPECT_EQ(text_of(*header), r.text);
    }
}

TEST(HeaderText, PlcChanWordsMapThroughTheirTables) {
    struct row {
        std::string line;
        int baud, mode, data_bits, parity, stop_bits, byte_order;
    };
    const row rows[] = {
        {"PLC_CHAN 38400 CRC 7 EVEN_PARITY 2STOPBITS LSBYTE_FIRST", 2, 3, 7, 1, 1, 1},
        // Unknown words give 19200 for the baud and the first word of every other table.
        {"PLC_CHAN 115200 FOO 7 BAD BAD BAD", 1, 0, 7, 0, 0, 0},
        // Words are case-sensitive.
        {"PLC_CHAN 9600 ascii 8 even_parity 2stopbits lsbyte_first", 0, 0, 8, 0, 0, 0},
        // A line cut short keeps the values it does not reach.
        {"PLC_CHAN 9600 ASCII", 0, 1, 6, 2, 1, 1},
    };
    for (const auto& r : rows) {
        protocol_header h(generic_protocol);
        h.baud = 3;
        h.data_bits = 6;
        h.parity = 2;
        h.stop_bits = 1;
        h.mode = 2;
        h.regmax = 1;
        h.byte_order = 1;
        std::istringstream in(r.line + "\nNODENUM 4\n");
        ASSERT_TRUE(read_header(in, h)) << r.line;
        EXPECT_EQ(h.baud, r.baud) << r.line;
        EXPECT_EQ(h.mode, r.mode) << r.line;
        EXPECT_EQ(h.data_bits, r.data_bits) << r.line;
        EXPECT_EQ(h.parity, r.parity) << r.line;
        EXPECT_EQ(h.stop_bits, r.stop_bits) << r.line;
        EXPECT_EQ(h.byte_order, r.byte_order) << r.line;
        EXPECT_EQ(h.node, 4);
    }
}

TEST(HeaderText, WhereTheHeaderEnds) {
    struct row {
        int protocol;
        std::string text;
        bool ok;
        std::string next_line; // what is left after the header
    };
    const row rows[] = {
        // Lines that are not keywords are ignored, even before "PLC_CHAN" and with CR LF ends.
        {0, "junk\r\n\r\nREGMAX 7\r\nNODENUM 2\r\nHREG\r\nrest\n", true, "HREG\r"},
        // The plain generic header stops after "NODENUM" and leaves "HREG" to the registers.
        {0, "NODENUM 2\nHREG\n", true, "HREG"},
        {0, "PLC_CHAN 9600 RTU 8 NOPARITY 1STOPBIT MSBYTE_FIRST\nREGMAX 1\n", false, ""},
        // The serial classes read on to "HREG".
        {1, "NODENUM 1\nfoo\nHREG\nnext\n", true, "next"},
        {2, "NODENUM 1\nHREGS\nhreg\n", false, ""},
        {3, "NODENUMX 1\nNODENUM 1\n", false, ""},
        {11, "NODENUM 1\nMBPLUS 1 2 3\n", false, ""},
        {12, "NODENUM 0\nINPUT_BLOCK 0/1\n", false, ""},
        {14, "NODENUM 0\n  HREG  \nnext\n", true, "next"},
        {13, "", false, ""},
    };
    for (const auto& r : rows) {
        auto header = make_header(r.protocol, 0);
        std::istringstream in(r.text);
        EXPECT_EQ(read_header(in, *header), r.ok) << r.text;
        if (r.ok) {
            std::string line;
            std::getline(in, line);
            EXPECT_EQ(line, r.next_line) << r.text;
        }
    }
}

TEST(HeaderText, KeywordLines) {
    struct row {
        int protocol;
        std::string lines;
        std::string expected; // the keyword line written afterwards
    };
    const row rows[] = {
        // A later keyword line overrides an earlier one.
        {11, "MBPLUS 1 2 3\nMBPLUS 4 5 6\n", "MBPLUS 4 5 6"},
        // Keywords are exact: other spellings are ignored.
        {11, "MBPLUSX 1 2 3\nmbplus 1 2 3\n", "MBPLUS 0 0 0"},
        // Integers follow C prefix rules.
        {11, "MBPLUS 0x10 010 -7\n", "MBPLUS 16 8 -7"},
        // Numbers are taken as far as they parse.
        {9, "PROFIBUS 12 abc 9\n", "PROFIBUS 12 0 0"},
        // The Profibus line's node number overrides "NODENUM".
        {9, "PROFIBUS 1 2 42\n", "PROFIBUS 1 2 42"},
        {10, "MBTCP 10.1.2 300.0.0.1\n", "MBTCP 10.1.2.0 44.0.0.1 0.0.0.0"},
        {14, "PROFINET_IO 1.2.3.4 5.6.7.8 9.10.11.12 0x20 7\n",
         "PROFINET_IO 1.2.3.4 5.6.7.8 9.10.11.12 32 7"},
        // A missing keyword line keeps the defaults.
        {10, "", "MBTCP 0.0.0.0 0.0.0.0 0.0.0.0"},
    };
    for (const auto& r : rows) {
        auto header = make_header(r.protocol, 0);
        std::istringstream in("NODENUM 0\n" + r.lines + "HREG\n");
        ASSERT_TRUE(read_header(in, *header)) << r.lines;
        std::string text = text_of(*header);
        text.pop_back();
        EXPECT_EQ(text.substr(text.rfind('\n') + 1), r.expected) << r.lines;
    }
    protocol_header p(profibus_header, 0);
    std::istringstream in("NODENUM 5\nPROFIBUS 1 2 42\nHREG\n");
    ASSERT_TRUE(read_header(in, p));
    EXPECT_EQ(p.node, 42);
}

TEST(HeaderText, ProfinetStoresNodeAndRegmaxAsZero) {
    protocol_header h(profinet_header, 2);
    std::istringstream in("REGMAX 100\nNODENUM 5\nHREG\n");
    ASSERT_TRUE(read_header(in, h));
    EXPECT_EQ(h.regmax, 100);
    EXPECT_EQ(h.node, 5);
    std::string text = text_of(h);
    EXPECT_NE(text.find("\nREGMAX 0\nNODENUM 0\n"), std::string::npos) << text;
    EXPECT_EQ(h.regmax, 0);
    EXPECT_EQ(h.node, 0);
}

TEST(HeaderText, OverlongAndBinaryLinesEndTheReadSafely) {
    std::string longline(5000, 'x');
    std::string binary("\0\xff\x01 PLC_CHAN\n", 13);
    auto header = make_header(13, 0);
    std::istringstream in(longline + "\n" + binary + "NODENUM 1\nETHIP " + longline + "\nHREG\n");
    EXPECT_TRUE(read_header(in, *header));
    auto other = make_header(1, 0);
    std::istringstream cut(std::string("NODENUM 1\n\0\0\0", 13));
    EXPECT_FALSE(read_header(cut, *other));
}

TEST(DottedAddress, ParsesAndFormats) {
    struct row {
        const char* text;
        std::uint32_t value;
    };
    const row rows[] = {
        {"192.168.0.1", 0xC0A80001u},
        {"10.1.2", 0x0A010200u},
        {"300.0.0.1", 0x2C000001u},
        {"1.2.3.4.5", 0x01020304u},
        {"", 0u},
        {"1..2", 0x01000200u},
        {"12a.5", 0x0C000000u},
        {"255.255.255.255", 0xFFFFFFFFu},
        {"256.257", 0x00010000u},
        {"010.001.000.009", 0x0A010009u},
    };
    for (const auto& r : rows)
        EXPECT_EQ(parse_dotted(r.text), r.value) << r.text;
    EXPECT_EQ(format_dotted(0xC0A8000Au), "192.168.0.10");
    EXPECT_EQ(format_dotted(0), "0.0.0.0");
    EXPECT_EQ(parse_dotted(format_dotted(0xFE01AB7Fu)), 0xFE01AB7Fu);
}

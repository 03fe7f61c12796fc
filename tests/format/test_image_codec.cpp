#include "tests/model/test_model_support.h"

#include "format/image_codec.h"
#include "model/model_tables.h"

#include <gtest/gtest.h>

using namespace model_test;

namespace {

std::string sixteen(const std::string& item) {
    std::string out;
    for (int i = 0; i < 16; ++i)
        out += item + " ";
    return out;
}

const std::string plc = "PLC_CHAN 38400 RTU 8 EVEN_PARITY 2STOPBITS MSBYTE_FIRST\nREGMAX 500\n";

const std::string registers = "40001 0 1 0 0 0 F:0 Massflow\n"
                              "40002 1 1 1 6 3 F:2 FdrPercentOfLine 250.5 -1 0.001\n"
                              "40004 0 2 2 0 2 F:63 Setpoint -8\n"
                              "40006 0 1 5 0 0 F:0 ROMConstant -123456\n"
                              "40007 0 1 3 0 0 F:0\nF:1 " +
                              sixteen("F:255").substr(6) + "\nCTAR " + sixteen("XXXX").substr(5) +
                              "\nHIT " + sixteen("LOT").substr(4) + "\n" + "40008 0 1 4 0 0 F:0\n" +
                              sixteen("F:7") + "\nPSR " + sixteen("ASW0").substr(5) + "\n31 " +
                              sixteen("255").substr(4) + "\n" +
                              "40009 0 7 9 0 2 F:0 FeederName\n"
                              "40016 0 15 0 0 2 F:0 ProcStat\n";

} // namespace

TEST(ImageCodec, DecodingAnEncodedMapGivesItsTextBack) {
    struct row {
        std::string text;
        int device;
    };
    const row rows[] = {
        {"RDX Modbus protocol\n" + plc + "NODENUM 3\nHREG\n" + registers, 1},
        {"BLF Allen-Bradley protocol\n" + plc + "NODENUM 3\nHREG\n" + registers, 0},
        {"HQP Siemens protocol\n" + plc + "NODENUM 3\nHREG\n" + registers, 3},
        {"BLF Profibus protocol\n" + plc + "NODENUM 3\nPROFIBUS 20 30 3\nHREG\n" + registers, 0},
        {"RDX Modbus/TCP protocol\n" + plc +
             "NODENUM 3\nMBTCP 192.168.1.20 255.255.255.0 192.168.1.1\nHREG\n" + registers,
         1},
        {"RDX DeviceNet protocol\n" + plc +
             "NODENUM 3\nDEVICENET 16 8\nINPUT_BLOCK 0/16\nINPUT_BLOCK 0/0\nINPUT_BLOCK 0/0\n"
             "INPUT_BLOCK 0/0\nINPUT_BLOCK 0/0\nINPUT_BLOCK 300/10\nINPUT_BLOCK 0/0\n"
             "INPUT_BLOCK 0/0\nINPUT_BLOCK 0/0\nINPUT_BLOCK 0/0\nINPUT_BLOCK 0/0\n"
             "OUTPUT_BLOCK 0/8\nOUTPUT_BLOCK 0/0\nOUTPUT_BLOCK 0/0\nOUTPUT_BLOCK 0/0\n"
             "OUTPUT_BLOCK 0/0\nOUTPUT_BLOCK 0/0\nOUTPUT_BLOCK 0/0\nOUTPUT_BLOCK 0/0\n"
             "OUTPUT_BLOCK 0/0\nOUTPUT_BLOCK 0/0\nOUTPUT_BLOCK 0/0\nHREG\n"
             "0 0 1 0 0 0 F:0 Massflow\n1024 0 2 7 0 0 F:0 Setpoint\n",
         1},
    };
    for (const auto& r : rows) {
        auto map = loaded(r.text);
        ASSERT_TRUE(map);
        ASSERT_EQ(text_of(*map), r.text); // the map is in its saved form
        EXPECT_EQ(image_misfit(*map, r.device), "");
        const std::vector<std::uint8_t> image = encode_image(*map, r.device);
        EXPECT_EQ(be16(image.data()) + 1u, image.size() - 128);
        EXPECT_EQ(be16(image.data() + 30), map->register_count());
        zrp_file decoded;
        ASSERT_TRUE(decode_raw_image(image, r.device, decoded));
        EXPECT_EQ(text_of(decoded), r.text);
    }
}

TEST(ImageCodec, BadImagesNeverReadPastTheirEnd) {
    auto map = loaded("RDX DeviceNet protocol\n" + plc +
                      "NODENUM 3\nDEVICENET 0 0\nINPUT_BLOCK 0/40\nHREG\n" + registers);
    ASSERT_TRUE(map);
    std::vector<std::uint8_t> image = encode_image(*map, 1);
    // Every truncation, and a record count that runs past the data.
    for (std::size_t cut = 0; cut <= image.size(); ++cut) {
        std::vector<std::uint8_t> part(image.begin(), image.begin() + cut);
        zrp_file decoded;
        const bool ok = decode_raw_image(part, 1, decoded);
        EXPECT_EQ(ok, cut >= 160) << cut;
    }
    // Without a block area after them, records counted past the data are simply missing.
    map = loaded("RDX Modbus protocol\n" + plc + "NODENUM 3\nHREG\n" + registers);
    ASSERT_TRUE(map);
    image = encode_image(*map, 1);
    image[30] = 0xFF;
    image[31] = 0xFF;
    zrp_file decoded;
    ASSERT_TRUE(decode_raw_image(image, 1, decoded));
    EXPECT_EQ(text_of(decoded), text_of(*map));
    // A length field that points past the data, or below the header.
    for (std::uint8_t high : {0x00, 0xFF}) {
        image[0] = high;
        image[1] = 0;
        zrp_file again;
        EXPECT_TRUE(decode_raw_image(image, 0, again));
    }
}

TEST(ImageCodec, NetworkKeywordPicksTheHeaderAndWntIgnoresIt) {
    auto map = loaded("RDX Modbus+ protocol\n" + plc + "NODENUM 3\nMBPLUS 1 2 3\nHREG\n");
    ASSERT_TRUE(map);
    std::vector<std::uint8_t> image = encode_image(*map, 1);
    zrp_file rdx, wnt;
    ASSERT_TRUE(decode_raw_image(image, 1, rdx));
    EXPECT_EQ(rdx.protocol_code, 11);
    // The image header's protocol code alone: the information block of a "WNT" counts as zero.
    decode_raw_image(image, 2, wnt);
    EXPECT_EQ(wnt.protocol_code, 11);
    image[2 + 3] = 1; // protocol code 11 -> 1 (Modbus), keyword still there
    zrp_file modbus_wnt;
    ASSERT_TRUE(decode_raw_image(image, 2, modbus_wnt));
    EXPECT_EQ(modbus_wnt.protocol_code, 1);
    EXPECT_EQ(modbus_wnt.header->device_code, 2);
}

TEST(ImageCodec, MisfitsAreNamed) {
    struct row {
        std::string entry;
        int device;
        bool fits;
    };
    const row rows[] = {
        {"40001 0 15 0 0 0 F:0 Name", 0, true},
        {"40001 0 16 0 0 0 F:0 Name", 0, false},
        {"40001 0 1000 0 0 0 F:0 Name", 1, true},
        {"40001 0 1 0 0 0 F:64 Name", 1, false},
        {"70000 0 1 0 0 0 F:0 Name", 1, false},
        {"40001 2 1 0 0 0 F:0 Name", 1, false},
        {"40001 0 1 3 0 0 F:0\n" + sixteen("F:0") + "\n" + sixteen("CXXX") + "\n" + sixteen("OFF"),
         1, false},
        {"40001 0 1 3 0 0 F:0\n" + sixteen("F:0") + "\n" + sixteen("TAR") + "\n" + sixteen("OFF"),
         1, false},
        {"40001 0 1 3 0 0 F:0\n" + sixteen("F:-1") + "\n" + sixteen("CTAR") + "\n" + sixteen("OFF"),
         1, false},
        {"40001 0 1 4 0 0 F:0\n" + sixteen("F:0") + "\n" + sixteen("XXX") + "\n" + sixteen("256"),
         1, false},
    };
    for (const auto& r : rows) {
        auto map = loaded("RDX Modbus protocol\n" + plc + "NODENUM 0\nHREG\n" + r.entry + "\n");
        ASSERT_TRUE(map);
        ASSERT_EQ(map->register_count(), 1);
        EXPECT_EQ(image_misfit(*map, r.device).empty(), r.fits) << r.entry;
    }
}

TEST(ImageCodec, ExtractionSizeChecks) {
    struct row {
        int size, records, allowance;
        std::string message;
    };
    const std::string bad = "Bad zrp data!\nFile size (";
    const row rows[] = {
        {26 * 40, 40, 0, ""},
        {26 * 40, 41, 0,
         bad + "1040 bytes) is less than size for min. Number of Records (41 * 26 "
               "bytes).\nFile not extracted!"},
        {1000, 10, 0,
         bad + "1000 bytes) is greater than size for max. Number of Records (10 * 98 "
               "bytes).\nFile not extracted!"},
        {1000, 10, 444, ""},
        {26 * 656, 656, 0,
         "Bad zrp data!\nNumber of Records (656) exceeds allowed Maximum (655).\nFile not "
         "extracted!"},
        {-31, 0, 0,
         bad + "-31 bytes) is less than size for min. Number of Records (0 * 26 "
               "bytes).\nFile not extracted!"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(image_size_problem(r.size, r.records, r.allowance), r.message);

    image_info_block info{};
    EXPECT_EQ(image_block_allowance(info), 0);
    std::copy_n("ETHIP", 6, info.begin());
    EXPECT_EQ(image_block_allowance(info), 444);
    info[5] = 'X'; // "ETHIPX": not the keyword
    EXPECT_EQ(image_block_allowance(info), 0);
    std::copy_n("DEVICENET", 10, info.begin());
    EXPECT_EQ(image_block_allowance(info), 444);
}

// Records follow each other without gaps: a record that does not fit in what is left of the
// area ends it, and the bytes inside it are never read as a record of their own.
TEST(ImageCodec, ARecordCutShortEndsTheRecordArea) {
    std::vector<std::uint8_t> image(32 + 128, 0);
    image[5] = 1; // Modbus
    auto record = [&](int number, std::uint32_t descriptor, char name) {
        byte_writer w;
        w.u16(static_cast<std::uint16_t>(number));
        w.u32(descriptor);
        w.text_slot(std::string(1, name), 20);
        image.insert(image.end(), w.data().begin(), w.data().end());
    };
    record(40001, 1, 'A');                        // format 0, whole count 1
    record(40002, (3u << 23) | 1, 'B');           // commands: 72 more bytes should follow
    record(40016, 1, 'P');                        // only 26 of them: they look like a record
    const std::size_t total = image.size() - 128; // header and area
    image[0] = static_cast<std::uint8_t>((total - 1) >> 8);
    image[1] = static_cast<std::uint8_t>(total - 1);
    for (int records : {3, 65535}) {
        image[30] = static_cast<std::uint8_t>(records >> 8);
        image[31] = static_cast<std::uint8_t>(records);
        zrp_file decoded;
        ASSERT_TRUE(decode_raw_image(image, 1, decoded));
        ASSERT_EQ(decoded.register_count(), 1) << records;
        EXPECT_EQ(decoded.register_at(0)->name, "A");
    }
}

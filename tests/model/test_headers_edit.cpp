#include "tests/model/test_headers_support.h"
#include "tests/support/scripted_ui.h"

#include <gtest/gtest.h>

using namespace header_test;

namespace {

const std::string ab_message =
    "RDX does not support 7-bit communications.\nSettings have been adjusted accordingly";
const std::string mb_message = "RDX/HQP does not support 7-bit communications or ASCII "
                               "mode.\nSettings have been adjusted accordingly";

struct edit_fixture : ::testing::Test {
    scripted_ui ui_script;
    recording_dialogs dialogs_script;
    int edit(protocol_header& h) { return run_header_dialog(h, dialogs_script, ui_script); }
};

} // namespace

using HeaderEdit = edit_fixture;

TEST_F(HeaderEdit, SerialDeviceAdjustmentsBeforeTheDialog) {
    struct row {
        int protocol, device, data_bits, mode;
        int result;                 // the dialog's answer
        std::string message;        // empty: none
        int shown_bits, shown_mode; // what the dialog was preset with
        int bits_after, mode_after; // in the header afterwards (the dialog changes nothing)
    };
    const row rows[] = {
        // Allen-Bradley: only RDX with 7 bits is adjusted with a message, and even Cancel
        // keeps the adjustment.
        {2, 1, 7, 2, 0, ab_message, 8, 2, 8, 2},
        {2, 1, 7, 3, 1, ab_message, 8, 3, 8, 3},
        {2, 2, 7, 2, 1, "", 7, 2, 7, 2},
        // HQP has no 7-bit choice: no message, the dialog opens with 8 and OK stores it.
        {2, 3, 7, 2, 1, "", 8, 2, 8, 2},
        {2, 3, 7, 2, 0, "", 8, 2, 7, 2},
        // A stored mode other than BCC presets CRC.
        {2, 0, 8, 0, 1, "", 8, 3, 8, 3},
        {2, 0, 8, 0, 0, "", 8, 3, 8, 0},
        // Modbus and Siemens: RDX and HQP lose 7 bits and ASCII with a message.
        {1, 3, 8, 1, 0, mb_message, 8, 0, 8, 0},
        {1, 1, 7, 0, 1, mb_message, 8, 0, 8, 0},
        {3, 3, 7, 1, 1, mb_message, 8, 0, 8, 0},
        {3, 0, 7, 1, 1, "", 7, 1, 7, 1},
        {1, 2, 7, 1, 1, "", 7, 1, 7, 1},
        {1, 1, 8, 0, 1, "", 8, 0, 8, 0},
        // A mode outside the RTU/ASCII choice is offered as RTU.
        {1, 0, 8, 3, 1, "", 8, 0, 8, 0},
    };
    for (const auto& r : rows) {
        ui_script.events.clear();
        dialogs_script.shown.clear();
        dialogs_script.result = r.result;
        std::size_t messages_when_shown = 99;
        dialogs_script.change = [&](header_values&) {
            messages_when_shown = ui_script.events.size();
        };
        auto h = make_header(r.protocol, r.device);
        h->data_bits = r.data_bits;
        h->mode = r.mode;
        EXPECT_EQ(edit(*h), r.result);
        std::vector<std::string> expected;
        if (!r.message.empty())
            expected.push_back(r.message);
        EXPECT_EQ(ui_script.texts(), expected) << r.protocol << "/" << r.device;
        // The message comes before the dialog opens.
        EXPECT_EQ(messages_when_shown, expected.size());
        ASSERT_EQ(dialogs_script.shown.size(), 1u);
        EXPECT_EQ(dialogs_script.devices.back(), r.device);
        EXPECT_EQ(dialogs_script.shown[0].data_bits, r.shown_bits) << r.protocol << "/" << r.device;
        EXPECT_EQ(dialogs_script.shown[0].mode, r.shown_mode) << r.protocol << "/" << r.device;
        EXPECT_EQ(h->data_bits, r.bits_after) << r.protocol << "/" << r.device;
        EXPECT_EQ(h->mode, r.mode_after) << r.protocol << "/" << r.device;
    }
}

TEST_F(HeaderEdit, EachHeaderRunsItsDialogKind) {
    const std::pair<int, form_class_t> rows[] = {
        {0, form_class_t::CGenericForm},     {1, form_class_t::CCommFORM},
        {2, form_class_t::CComm2Form},       {3, form_class_t::CCommFORM},
        {9, form_class_t::CProfibusForm},    {10, form_class_t::CMbTcpForm},
        {11, form_class_t::CMbplusForm},     {12, form_class_t::CDeviceNetForm},
        {13, form_class_t::CEthernetIPForm}, {14, form_class_t::CProfinetForm},
    };
    for (const auto& [protocol, kind] : rows) {
        dialogs_script.kinds.clear();
        dialogs_script.result = 2; // neither OK nor Cancel: passed through, nothing taken
        auto h = make_header(protocol, 0);
        std::string before = text_of(*h);
        EXPECT_EQ(edit(*h), 2);
        ASSERT_EQ(dialogs_script.kinds.size(), 1u);
        EXPECT_EQ(dialogs_script.kinds[0], kind) << protocol;
        EXPECT_EQ(text_of(*h), before) << protocol;
    }
}

TEST_F(HeaderEdit, OkCopiesTheDialogValuesBack) {
    dialogs_script.change = [](header_values& v) {
        v.baud = 0;
        v.data_bits = 7;
        v.parity = 2;
        v.stop_bits = 1;
        v.mode = 1;
        v.byte_order = 1;
        v.node = 17;
        v.source_id = 4;
        v.number_of_words = 32;
        v.offset_in_gdb = 8;
        v.ip_address = 0x0A000002;
        v.network_mask = 0xFF000000;
        v.default_gateway = 0x0A000001;
        v.input_size = 200;
        v.output_size = 100;
    };
    struct row {
        int protocol;
        std::string text; // after OK
    };
    const row rows[] = {
        {0, "BLF Generic protocol protocol\nPLC_CHAN 9600 RTU 7 ODD_PARITY 2STOPBITS "
            "LSBYTE_FIRST\nREGMAX 65535\nNODENUM 17\n"},
        {1, "BLF Modbus protocol\nPLC_CHAN 9600 ASCII 7 ODD_PARITY 2STOPBITS LSBYTE_FIRST\nREGMAX "
            "65535\nNODENUM 17\n"},
        // The Allen-Bradley bit mode is BCC or CRC: anything but BCC gives CRC.
        {2, "BLF Allen-Bradley protocol\nPLC_CHAN 9600 CRC 7 ODD_PARITY 2STOPBITS "
            "LSBYTE_FIRST\nREGMAX 65535\nNODENUM 17\n"},
        // The network dialogs take the byte order and their own fields, not the serial ones.
        {11, "BLF Modbus+ protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST\nREGMAX "
             "65535\nNODENUM 17\nMBPLUS 4 8 32\n"},
        {10, "BLF Modbus/TCP protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT "
             "LSBYTE_FIRST\nREGMAX 65535\nNODENUM 0\nMBTCP 10.0.0.2 255.0.0.0 10.0.0.1\n"},
        {9, "BLF Profibus protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST\nREGMAX "
            "65535\nNODENUM 17\nPROFIBUS 200 100 17\n"},
        {14, "BLF ProfinetIO protocol\nPLC_CHAN 19200 RTU 8 NOPARITY 1STOPBIT LSBYTE_FIRST\nREGMAX "
             "0\nNODENUM 0\nPROFINET_IO 10.0.0.2 255.0.0.0 10.0.0.1 200 100\n"},
    };
    for (const auto& r : rows) {
        auto h = make_header(r.protocol, 0);
        EXPECT_EQ(edit(*h), 1);
        EXPECT_EQ(text_of(*h), r.text);
    }
    // The presets are the header's values.
    protocol_header mbp(mbplus_header, 2);
    mbp.source_id = 3;
    mbp.number_of_words = 10;
    mbp.offset_in_gdb = 32;
    mbp.byte_order = 1;
    edit(mbp);
    const auto& shown = dialogs_script.shown.back();
    EXPECT_EQ(shown.node, 1);
    EXPECT_EQ(shown.byte_order, 1);
    EXPECT_EQ(shown.source_id, 3);
    EXPECT_EQ(shown.number_of_words, 10);
    EXPECT_EQ(shown.offset_in_gdb, 32);
}

TEST_F(HeaderEdit, BlockMappedDialogsStartFromTheDefaultLayout) {
    for (int protocol : {12, 13}) {
        dialogs_script.shown.clear();
        dialogs_script.result = 0;
        dialogs_script.change = nullptr;
        auto h = make_header(protocol, 1);
        edit(*h);
        ASSERT_EQ(dialogs_script.shown.size(), 1u);
        const auto& shown = dialogs_script.shown[0];
        EXPECT_EQ(shown.blocks.block_count, 22);
        EXPECT_EQ(shown.byte_order, 1);
        for (int i = 0; i < 22; ++i) {
            block_entry expected{block_layout::role_area(i), block_layout::role_direction(i), 0,
                                 i == 0 || i == 11 ? 256 : 0};
            EXPECT_EQ(shown.blocks.table[i], expected) << i;
        }
        EXPECT_EQ(shown.blocks.io_input_size, 256);
        EXPECT_EQ(shown.blocks.io_output_size, 256);
        EXPECT_EQ(shown.blocks.param_input_usage, 0);
        // Cancel leaves the header without blocks.
        EXPECT_EQ(h->blocks.block_count, 0);

        // OK takes the byte order, the whole table and the four usage totals as the dialog
        // computed them.
        dialogs_script.result = 1;
        dialogs_script.change = [](header_values& v) {
            v.byte_order = 0;
            v.blocks.table[5].start = 10;
            v.blocks.table[5].length = 5;
            v.blocks.param_input_usage = 5;
            v.blocks.io_input_size = 256;
            v.blocks.io_output_size = 256;
            v.ip_address = 0x01020304;
        };
        EXPECT_EQ(edit(*h), 1);
        ASSERT_EQ(h->blocks.block_count, 22);
        EXPECT_EQ(h->blocks.table[5], (block_entry{1, 0, 10, 5}));
        EXPECT_EQ(h->blocks.table[0].length, 256);
        EXPECT_EQ(h->byte_order, 0);
        const block_layout& layout = h->blocks;
        EXPECT_EQ(layout.param_input_usage, 5);
        EXPECT_EQ(layout.io_output_size, 256);
        if (protocol == 13) {
            EXPECT_EQ(h->ip_address, 0x01020304u);
        }
        // A second edit is preset with the stored table.
        dialogs_script.change = nullptr;
        edit(*h);
        EXPECT_EQ(dialogs_script.shown.back().blocks.table[5], (block_entry{1, 0, 10, 5}));
    }
}

TEST(HeaderApplyForm, ChangesAreDetectedAndTaken) {
    struct row {
        int protocol;
        std::function<void(header_values&)> change;
        bool changes;
    };
    auto same = [](header_values&) {};
    const row rows[] = {
        {0, same, false},
        {0, [](header_values& f) { f.node = 9; }, true},
        {0, [](header_values& f) { f.mode = 1; }, false}, // the generic form has no mode
        {1, [](header_values& f) { f.mode = 1; }, true},
        {1, [](header_values& f) { f.mode = 3; }, false}, // counts as RTU
        {2, [](header_values& f) { f.mode = 3; }, true},  // BCC -> CRC
        {2, [](header_values& f) { f.mode = 0; }, true},  // anything but BCC is CRC
        {3, [](header_values& f) { f.data_bits = 7; }, true},
        {11, [](header_values& f) { f.offset_in_gdb = 1; }, true},
        {11, [](header_values& f) { f.baud = 0; }, false}, // not on the form
        {10, [](header_values& f) { f.default_gateway = 1; }, true},
        {10, [](header_values& f) { f.node = 3; }, false},
        {9, [](header_values& f) { f.output_size = 1; }, true},
        {9, [](header_values& f) { f.node = 3; }, true},
        {14, [](header_values& f) { f.input_size = 1536; }, true},
        {14, [](header_values& f) { f.network_mask = 5; }, true},
        {12, [](header_values& f) { f.byte_order = 0; }, true},
        {12, [](header_values& f) { f.ip_address = 5; }, false},
        {13, [](header_values& f) { f.ip_address = 5; }, true},
        {13, [](header_values& f) { f.node = 3; }, false},
    };
    for (const auto& r : rows) {
        auto h = make_header(r.protocol, 2);
        // The form shows the header's values as they stand.
        header_values form = *h;
        r.change(form);
        const std::string before = text_of(*h);
        EXPECT_EQ(h->take_form(form), r.changes) << r.protocol;
        EXPECT_EQ(text_of(*h) != before, r.changes) << r.protocol;
        // Taking the same values again changes nothing.
        EXPECT_FALSE(h->take_form(form)) << r.protocol;
    }
}

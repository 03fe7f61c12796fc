#pragma once
// What the tests of the register list share: scripted register dialogs, adding registers
// to a map and reading its numbers.

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "edit/map_editor.h"
#include "editing/CRegisterDialogs.h"
#include "editing/CRegisterTableModel.h"
#include "editing/CRegisterView.h"
#include "editing/register_cells.h"
#include "editing/register_printing.h"
#include "format/map_text.h"
#include "model/zrp_file.h"
#include "tests/model/test_model_support.h"
#include "tests/support/scripted_ui.h"

#include <QItemSelectionModel>
#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

#include <deque>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace register_view_test {

const char* const overlap = "Register already exists, or\noverlaps with another";

using cells_t = std::array<std::string, register_column_count>;

// Register dialogs answered from a script.
class scripted_dialogs : public CRegisterDialogs, public model_test::register_script {
  public:
    bool edit_register(register_dialog_values& values, bool existing) override {
        return answer(values, existing);
    }
};

using model_test::numbers;
using model_test::ok_with;

scripted_dialogs::step cancel() {
    return [](register_dialog_values&) { return 0; };
}

host_register* add(zrp_file& map, int number, int whole = 1, std::string name = "Massflow") {
    auto reg = std::make_unique<host_register>(&map, number);
    reg->whole_count = whole;
    reg->name = std::move(name);
    host_register* raw = reg.get();
    return map.add_register(std::move(reg)) >= 0 ? raw : nullptr;
}

// What every test of the register list starts from: a document holding an empty Modbus map
// (registers from 40001), scripted messages and register dialogs.
class register_view_state : public QObject {
    Q_OBJECT
  private slots:
    void init() { start(); }
    void cleanup() { finish(); }

  protected:
    void start() {
        ui_ = scripted_ui();
        dialogs_.steps.clear();
        dialogs_.modes.clear();
        previous_ui_ = set_editor_ui(&ui_);
        doc_ = std::make_unique<CTessalyDoc>();
        doc_->replace_map(std::make_unique<zrp_file>(1));
    }
    void finish() {
        doc_.reset();
        set_editor_ui(previous_ui_);
    }

    std::unique_ptr<CTessalyDoc> doc_;
    scripted_ui ui_;
    scripted_dialogs dialogs_;
    user_interface* previous_ui_ = nullptr;
};

} // namespace register_view_test

#pragma once
// What the tests of the register dialog share: preset values, picking a type, reading icons
// and finding controls by name.

#include "catalogue/parameter_list.h"
#include "document/editor_ui.h"
#include "editing/CRegisterDialog.h"
#include "editing/CRegisterProperty_1.h"
#include "editing/CRegisterProperty_2.h"
#include "editing/CRegisterProperty_3.h"
#include "editing/CTriggerButton.h"
#include "editing/dialog_fields.h"
#include "editing/parameter_icons.h"
#include "model/zrp_file.h"
#include "protocol_ui/CBlockList.h"
#include "tests/support/scripted_ui.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace register_dialog_test {

register_dialog_values values(int format, std::string name, int device = 1,
                              std::string protocol = "Modbus") {
    register_dialog_values v;
    v.device_code = device;
    v.protocol_name = std::move(protocol);
    v.output_base = protocol == "Profibus" ? 1024 : 40001;
    v.register_number = 40001;
    v.format = format;
    v.name = std::move(name);
    v.maximum_text = "100.000000";
    v.minimum_text = "0.000000";
    v.scale_text = "1.000000";
    return v;
}

QStringList tab_titles(const CRegisterDialog& d) {
    QStringList titles;
    for (int i = 0; i < d.tabs()->count(); ++i)
        titles << d.tabs()->tabText(i);
    return titles;
}

// The user picks a register type in the drop-down.
void choose_type(CRegisterDialog& d, int type) {
    QComboBox* box = d.register_page()->type_box();
    box->setCurrentIndex(type);
    emit box->activated(type);
}

QImage image(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

template <class W> W* named(const QWidget* root, const QString& name) {
    for (W* w : root->findChildren<W*>())
        if (w->accessibleName() == name)
            return w;
    return nullptr;
}

// What every test of the register dialog starts from: the bundled catalogue, loaded once, and
// scripted messages.
class dialog_fixture : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { load_catalogue(); }
    void init() { start(); }
    void cleanup() { finish(); }

  protected:
    void load_catalogue() {
        QCOMPARE(catalogue_.load(TESSALY_SOURCE_DIR "/resources/params.lst"), 0);
        QVERIFY(catalogue_.count() > 0);
    }
    void start() {
        ui_ = scripted_ui();
        previous_ui_ = set_editor_ui(&ui_);
    }
    void finish() { set_editor_ui(previous_ui_); }
    // The dialog on v, shown.
    std::unique_ptr<CRegisterDialog> open(const register_dialog_values& v, bool existing = true,
                                          bool network = false) {
        auto d = std::make_unique<CRegisterDialog>(v, existing, &catalogue_, network);
        d->show();
        return d;
    }

    parameter_list catalogue_;
    scripted_ui ui_;
    user_interface* previous_ui_ = nullptr;
};

} // namespace register_dialog_test

#include "tests/a11y/every_window.h"
#include "format/map_text.h"
#include "model/register_values.h"

#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CDocumentManager.h"
#include "app/CHelpWindow.h"
#include "app/CMainFrame.h"
#include "app/CPortDialog.h"
#include "app/CPreferenceDialog.h"
#include "app/CZRPErrorDlg.h"
#include "app/QtFilePrompter.h"
#include "catalogue/parameter_list.h"
#include "convert/convert_messages.h"
#include "editing/CDeviceCompareDlg.h"
#include "editing/CMapCheckDlg.h"
#include "editing/CRegisterContextMenu.h"
#include "editing/CRegisterDialog.h"
#include "editing/CRegisterProperty_2.h"
#include "editing/CRegisterView.h"
#include "format/map_check.h"
#include "format/map_diff.h"
#include "live_ui/CCommandBitsDialog.h"
#include "live_ui/CLiveValuesWindow.h"
#include "model/block_rules.h"
#include "model/host_register.h"
#include "model/model_tables.h"
#include "protocol_ui/CBlockDefDialog.h"
#include "protocol_ui/CBlockPropDIALOG.h"
#include "protocol_ui/CHostDialog.h"
#include "protocol_ui/CSettingsDialog.h"
#include "protocol_ui/import_command.h"
#include "tests/app/app_fixture.h"

#include <QFileDialog>
#include <QMdiArea>

#include <fstream>
#include <vector>

namespace {
// The settings dialogs in the order the reports list them: one protocol of each form class.
const protocol_description* const settings_protocols[] = {
    &generic_protocol, &ab_header,       &modbus_header,    &mbplus_header,    &mbtcp_header,
    &profibus_header,  &profinet_header, &devicenet_header, &ethernetip_header};
// The host protocol selection's positions; with the generic protocol (code 0) they give every
// form there is.
constexpr int protocol_positions = 9;

QString qt_text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
} // namespace

struct every_window::parts {
    private_settings settings;
    QTemporaryDir maps;
    app_under_test app{settings};
    zrp_file plant;
    std::vector<std::unique_ptr<QWidget>> owned;
};

every_window::every_window() : parts_(std::make_unique<parts>()) {
    app_under_test& a = parts_->app;
    a.app->init_instance(QString());
    CMainFrame* frame = a.app->main_frame();
    add(QStringLiteral("Tessaly"), frame);

    // One document per form: the generic protocol and every protocol of the selection, and
    // the plant map for a register list with rows.
    QList<int> codes{0};
    for (int position = 0; position < protocol_positions; ++position)
        codes << protocol_code_for_position(position);
    for (int code : codes) {
        const QString path = parts_->maps.filePath(QStringLiteral("protocol%1.zrp").arg(code));
        write_file(path, map_text(code));
        a.app->documents().open_document_file(path, false);
    }
    const QString plant_path = QStringLiteral(TESSALY_TEST_DATA "/plant.zrp");
    CTessalyDoc* plant = a.app->documents().open_document_file(plant_path, false);
    // The plant map's Live Values window (a Modbus/TCP map: connection bar and table).
    add(QStringLiteral("Live Values"), frame->active_child()->show_live_values());
    // The register list's context menu, as a right click opens it.
    if (plant) {
        CRegisterView* list = a.app->documents().frame_of(plant)->register_view();
        list->context_menu()->follow_list();
        add(list->context_menu()->title(), list->context_menu());
    }

    auto own = [this](const QString& name, auto* widget) {
        // Windows that delete themselves when closed (quitting closes every window) are
        // deleted here, once.
        widget->setAttribute(Qt::WA_DeleteOnClose, false);
        parts_->owned.emplace_back(widget);
        add(name, widget);
        return widget;
    };
    for (const protocol_description* protocol : settings_protocols) {
        auto* dialog = new CSettingsDialog(*protocol, device_blf, header_values{});
        own(dialog->windowTitle(), dialog);
    }
    own(QStringLiteral("Host Protocol Selection"),
        new CHostDialog(host_selection_values{-1, "RDX"}));
    own(QStringLiteral("Block Definitions"), new CBlockDefDialog(default_block_table()));
    own(QStringLiteral("Block Properties"), new CBlockPropDIALOG(0, 16));
    own(QStringLiteral("Select a com port:"),
        new CPortDialog(CPortDialog::system_ports(), QStringLiteral("COM1"), false));
    own(QStringLiteral("Dialog (preferences)"),
        new CPreferenceDialog(QStringLiteral("1"), QStringLiteral("params.lst"), a.prompter));
    own(QStringLiteral("About Tessaly"), new CAboutDlg);
    own(QStringLiteral("ZRP Errors"), new CZRPErrorDlg)->set_text(QStringLiteral("E1 bad map"));
    own(QStringLiteral("Tessaly Help"), new CHelpWindow(a.app->help_folder()));

    // The register dialog once with the Commands page and once with the Status page.
    std::ifstream in(plant_path.toStdString());
    read_map(in, parts_->plant, a.ui);
    bool commands = false, status = false;
    for (int row = 0; row < parts_->plant.register_count() && !(commands && status); ++row) {
        auto dialog = std::make_unique<CRegisterDialog>(
            register_values(*parts_->plant.register_at(row)), true, &a.app->catalogue(), false);
        if (dialog->commands_page() && !commands) {
            commands = true;
            // The page shows when the dialog does: its trigger buttons show their modes.
            dialog->tabs()->setCurrentWidget(dialog->commands_page());
            own(QStringLiteral("Register properties (Commands)"), dialog.release());
        } else if (dialog->status_page() && !status) {
            status = true;
            own(QStringLiteral("Register properties (Status)"), dialog.release());
        }
    }
    if (!commands || !status)
        qFatal("%s holds no register for the Commands and the Status page", TESSALY_TEST_DATA);

    bit_names command_bits;
    command_bits.fill("unused");
    command_bits[0] = "CRUN, F:1, Rising edge";
    own(QStringLiteral("Command Bits"), new CCommandBitsDialog(41025, 1, command_bits));

    map_difference difference;
    difference.place = map_difference::register_entry;
    difference.register_number = 40001;
    difference.field = "Maximum";
    difference.a = "100";
    difference.b = "150";
    own(QStringLiteral("Compare with Device"), new CDeviceCompareDlg)
        ->set_differences(QStringLiteral("Modbus  plant.zrp"), {difference});
    own(QStringLiteral("Check Map"), new CMapCheckDlg)
        ->set_findings(nullptr, QStringLiteral("Modbus  plant.zrp"),
                       {{false, 40001, "feeder 64 is outside 0 to 63"}}, QString());

    own(QStringLiteral("Import: open"),
        import_file_dialog(nullptr, qt_text(convert_text::open_title), false).release());
    own(QStringLiteral("Import: save"),
        import_file_dialog(nullptr, qt_text(convert_text::save_title), true).release());
    own(QStringLiteral("Open"), QtFilePrompter::open_dialog(nullptr, QStringLiteral("Open"),
                                                            QStringLiteral("Zrp Files (*.zrp)"),
                                                            QString(), QStringLiteral("zrp"))
                                    .release());
}

every_window::~every_window() {
    // The dialogs go before the editor they were built over.
    parts_->owned.clear();
}

void every_window::add(const QString& name, QWidget* widget) {
    windows_.push_back({name, widget});
}

void every_window::show_all() {
    for (const window& w : windows_) {
        if (auto* help = qobject_cast<CHelpWindow*>(w.widget))
            help->show_contents();
        else
            w.widget->show();
    }
    parts_->app.app->main_frame()->mdi_area()->tileSubWindows();
}

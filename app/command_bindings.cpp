#include "app/command_bindings.h"

#include "app/CChildFrame.h"
#include "app/CCommandSet.h"
#include "app/CDocumentManager.h"
#include "app/CMainFrame.h"
#include "app/CMapCommands.h"
#include "app/CRecentFiles.h"
#include "app/CTransferCommands.h"
#include "app/command_table.h"
#include "app/reserved_names.h"
#include "document/CTessalyDoc.h"
#include "editing/CRegisterPane.h"
#include "editing/CRegisterView.h"
#include "editing/register_printing.h"
#include "link/link_state.h"
#include "protocol_ui/CProtocolDialogs.h"
#include "protocol_ui/CProtocolForm.h"
#include "protocol_ui/import_command.h"

#include <QMdiArea>
#include <QPageSetupDialog>
#include <QStatusBar>
#include <QToolBar>

namespace {

struct extract_command {
    int id;
    const char* reserved_name;
};
constexpr extract_command extract_commands[] = {
    {ID_EXTRACT_BLF, "extract_blf"},      {ID_EXTRACT_RDX, "extract_rdx"},
    {ID_EXTRACT_WNT, "extract_wnt"},      {ID_EXTRACT_HQP, "extract_hqp"},
    {ID_EXTRACT_ERRORS, "extract_error"},
};

// The menu text of Undo or Redo: "&Undo Delete 3 registers\tCtrl+Z", "&Undo\tCtrl+Z" when
// there is nothing to undo. An ampersand in the step's name is shown as one.
QString step_text(const char* verb, QString step, const char* key) {
    QString text = QString::fromLatin1(verb);
    if (!step.isEmpty())
        text += QLatin1Char(' ') + step.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return text + QLatin1Char('\t') + QLatin1String(key);
}

} // namespace

void bind_commands(CCommandSet& commands, const command_targets& t) {
    CMainFrame& frame = t.frame;
    CDocumentManager& docs = t.documents;
    CTransferCommands& transfers = t.transfers;
    auto child = [&frame] { return frame.active_child(); };
    auto doc = [&frame]() -> CTessalyDoc* {
        CChildFrame* c = frame.active_child();
        return c ? c->document() : nullptr;
    };
    auto view = [&frame]() -> CRegisterView* {
        CChildFrame* c = frame.active_child();
        return c ? c->register_view() : nullptr;
    };
    auto has_document = [child] { return child() != nullptr; };
    auto can_edit = [view] { return view() && view()->can_edit_registers(); };
    // One transfer at a time, and the link stays as it is while one runs.
    auto link_idle = [&transfers] { return !transfers.busy(); };

    // File
    commands.bind(ID_FILE_NEW, [&docs] { docs.file_new(); });
    commands.bind(ID_FILE_OPEN, [&docs] { docs.file_open(); });
    commands.bind(
        ID_FILE_SAVE, [&docs, doc] { docs.save_document(doc()); }, has_document);
    commands.bind(
        ID_FILE_SAVE_AS, [&docs, doc] { docs.save_document_as(doc()); }, has_document);
    for (const extract_command& e : extract_commands) {
        const char* name = e.reserved_name;
        commands.bind(
            e.id,
            [&docs, name] {
                docs.open_document_file(reserved_extract_path(QString::fromLatin1(name)));
            },
            link_idle);
    }
    CMapCommands& maps = t.maps;
    commands.bind(
        ID_FILE_SEND,
        [&transfers, &maps, doc] {
            if (CTessalyDoc* d = doc())
                maps.send_document(d);
            else
                transfers.send_without_document();
        },
        link_idle);
    CProtocolDialogs& protocol = t.protocol_dialogs;
    commands.bind(ID_IMPORT_OLD_FILE,
                  [&frame, &protocol] { run_import_command(&frame, protocol); });
    commands.bind(
        ID_IMPORT_REGISTER_TABLE, [&maps, doc] { maps.import_register_table(doc()); },
        has_document);
    commands.bind(
        ID_EXPORT_REGISTER_TABLE, [&maps, doc] { maps.export_register_table(doc()); },
        has_document);
    commands.bind(
        ID_COMPARE_WITH_DEVICE, [&maps, doc, view] { maps.compare_with_device(doc(), view()); },
        [has_document, link_idle] { return has_document() && link_idle(); });
    commands.bind(
        ID_FILE_PRINT, [&frame, doc, t] { print_register_list(doc(), t.job_printer(), &frame); },
        has_document);
    commands.bind(
        ID_FILE_PRINT_PREVIEW,
        [&frame, doc, t] { preview_register_list(doc(), t.job_printer(), &frame); }, has_document);
    commands.bind(
        ID_PRINT_REGISTER_TABLE,
        [&maps, doc, t] { maps.print_register_table(doc(), t.job_printer()); }, has_document);
    commands.bind(
        ID_EXPORT_REGISTER_TABLE_PDF,
        [&maps, doc, t] { maps.export_register_table_pdf(doc(), t.job_printer()); }, has_document);
    // The standard printer setup: paper, orientation, margins and the printer itself.
    commands.bind(ID_FILE_PRINT_SETUP, [&frame, t] {
        QPageSetupDialog dialog(&t.job_printer(), &frame);
        dialog.setWindowTitle(QStringLiteral("Print Setup"));
        dialog.exec();
    });
    CRecentFiles& recent = t.recent;
    commands.bind(ID_FILE_MRU, {}, [&recent] { return !recent.files().isEmpty(); });
    commands.bind(ID_APP_EXIT, [&frame] { frame.close(); });

    // View
    commands.bind(
        ID_VIEW_TOOLBAR, [&frame] { frame.tool_bar()->setVisible(!frame.tool_bar()->isVisible()); },
        {}, [&frame] { return frame.tool_bar()->isVisible(); });
    commands.bind(
        ID_VIEW_STATUS_BAR,
        [&frame] { frame.statusBar()->setVisible(!frame.statusBar()->isVisible()); }, {},
        [&frame] { return frame.statusBar()->isVisible(); });
    // Properties edits the pane that has the focus: the protocol form's header, or the
    // register at the list's selection mark.
    commands.bind(
        ID_VIEW_PROPERTIES,
        [child] {
            if (CProtocolForm* form = child()->active_form())
                form->on_properties();
            else
                child()->register_view()->on_properties();
        },
        [child, can_edit] { return child() && (child()->active_form() || can_edit()); });

    // One Live Values window per document, beside its register list.
    commands.bind(
        ID_VIEW_LIVE_VALUES, [child] { child()->show_live_values(); }, has_document);

    // The register list sorted from the keyboard as its headings sort it by a click.
    const std::pair<int, int> sorts[] = {{ID_SORT_BY_REGISTER, 0},
                                         {ID_SORT_BY_FEEDER, 1},
                                         {ID_SORT_BY_PARAMETER, 2},
                                         {ID_SORT_BY_FORMAT, 3},
                                         {ID_SORT_MAP_ORDER, -1}};
    for (const auto& [id, column] : sorts)
        commands.bind(
            id, [child, column] { child()->register_view()->sort_list(column); }, has_document);

    // Edit, Insert
    commands.bind(
        ID_EDIT_UNDO, [doc] { doc()->undo(); }, [doc] { return doc() && doc()->can_undo(); });
    commands.bind_text(ID_EDIT_UNDO, [doc] {
        return step_text("&Undo", doc() ? doc()->undo_name() : QString(), "Ctrl+Z");
    });
    commands.bind(
        ID_EDIT_REDO, [doc] { doc()->redo(); }, [doc] { return doc() && doc()->can_redo(); });
    commands.bind_text(ID_EDIT_REDO, [doc] {
        return step_text("&Redo", doc() ? doc()->redo_name() : QString(), "Ctrl+Y");
    });
    auto has_selection = [view] { return view() && view()->can_delete(); };
    commands.bind(
        ID_EDIT_CUT, [view] { view()->on_cut(); }, has_selection);
    commands.bind(
        ID_EDIT_COPY, [view] { view()->on_copy(); }, has_selection);
    commands.bind(
        ID_EDIT_PASTE, [view] { view()->on_paste(); },
        [view] { return view() && view()->can_paste(); });
    commands.bind(
        ID_EDIT_DELETE, [view] { view()->on_delete(); }, has_selection);
    commands.bind(
        ID_INSERT_NEW_REGISTER, [view] { view()->on_new_register(); }, can_edit);
    commands.bind(
        ID_EDIT_FIND, [child] { child()->register_pane()->start_find(); }, has_document);

    // Options
    link_state& link = transfers.link();
    commands.bind(
        ID_PORT_SETUP, [&transfers] { transfers.port_setup(); }, link_idle);
    commands.bind(
        ID_USE_COM, [&link] { link.select_com_link(); }, link_idle,
        [&link] { return link.link_type() == link_com; });
    commands.bind(
        ID_USE_USB, [&link] { link.select_usb_link(); },
        [&link, link_idle] { return link.usb_connected() && link_idle(); },
        [&link] { return link.link_type() == link_usb; });
    commands.bind(
        ID_OPTIONS_PROTOCOL, [&protocol, doc] { protocol.choose_protocol(*doc()); }, has_document);
    commands.bind(
        ID_CHECK_MAP, [&maps, doc, view] { maps.check_map(doc(), view()); }, has_document);
    commands.bind(ID_OPTIONS_PREFERENCES, t.run_preferences);

    // Window, panes
    commands.bind(
        ID_WINDOW_CASCADE, [&frame] { frame.mdi_area()->cascadeSubWindows(); }, has_document);
    commands.bind(
        ID_WINDOW_TILE_HORZ, [&frame] { frame.tile(true); }, has_document);
    commands.bind(
        ID_WINDOW_TILE_VERT, [&frame] { frame.tile(false); }, has_document);
    commands.bind(
        ID_NEXT_PANE, [child] { child()->focus_next_pane(true); }, has_document);
    commands.bind(
        ID_PREV_PANE, [child] { child()->focus_next_pane(false); }, has_document);

    // Help
    commands.bind(ID_HELP_FINDER, t.run_help_contents);
    commands.bind(ID_APP_ABOUT, t.run_about);
    commands.bind(ID_CONTEXT_HELP, t.run_context_help);

    commands.update();
}

#include "app/CMapCommands.h"

#include "app/CTransferCommands.h"
#include "app/file_prompter.h"
#include "app/reserved_names.h"
#include "catalogue/offered_parameters.h"
#include "core/atomic_write.h"
#include "core/input_file.h"
#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "edit/map_editor.h"
#include "editing/CDeviceCompareDlg.h"
#include "editing/CMapCheckDlg.h"
#include "editing/CRegisterView.h"
#include "editing/register_table_printing.h"
#include "format/image_codec.h"
#include "format/map_check.h"
#include "format/map_diff.h"
#include "format/register_table.h"
#include "format/register_table_reader.h"
#include "model/zrp_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>

#include <memory>
#include <optional>

namespace {
const char* const msg_open_failed = "Unable to open the requested file";
const char* const msg_save_failed = "Unable to save the requested file";
const char* const csv_filter = "CSV files (*.csv)";
const char* const csv_suffix = "csv";
const char* const pdf_filter = "PDF files (*.pdf)";
const char* const pdf_suffix = "pdf";

bool has_map(const CTessalyDoc* doc) {
    return doc && doc->map() && doc->map()->header;
}

// A document's own file: none for a new document or one an extraction made.
bool has_file(const CTessalyDoc& doc) {
    return !doc.path().isEmpty() && reserved_extract_code(doc.path()) == not_reserved;
}

// "1 register", "12 registers": the start of the table commands' summaries.
std::string register_count_text(int count) {
    return std::to_string(count) + (count == 1 ? " register" : " registers");
}

// Where the table dialogs start: beside the document's file, named after it.
QString table_start(const CTessalyDoc& doc, const char* suffix = csv_suffix) {
    if (!has_file(doc))
        return {};
    const QFileInfo file(doc.path());
    return file.dir().filePath(file.completeBaseName() + "." + suffix);
}
} // namespace

CMapCommands::CMapCommands(CTransferCommands& transfers, parameter_list& catalogue,
                           file_prompter& prompter, QObject* parent)
    : QObject(parent), transfers_(transfers), catalogue_(catalogue), prompter_(&prompter) {}

bool CMapCommands::export_register_table(CTessalyDoc* doc) {
    if (!has_map(doc))
        return false;
    QString path =
        prompter_->save_path(window_, QStringLiteral("Export Register Table"), csv_filter,
                             table_start(*doc), QString::fromLatin1(csv_suffix));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + csv_suffix;
    std::string error;
    if (!atomic_write_file(CTessalyDoc::native_path(path), ::export_register_table(*doc->map()),
                           &error)) {
        editor_ui().detailed_message(msg_save_failed, error);
        return false;
    }
    editor_ui().message(register_count_text(doc->map()->register_count()) + " exported to " +
                        QDir::toNativeSeparators(path).toStdString());
    return true;
}

bool CMapCommands::import_register_table(CTessalyDoc* doc) {
    if (!has_map(doc))
        return false;
    const QString path =
        prompter_->open_path(window_, QStringLiteral("Import Register Table"), csv_filter,
                             table_start(*doc), QString::fromLatin1(csv_suffix));
    if (path.isEmpty())
        return false;
    const std::string native = CTessalyDoc::native_path(path);
    std::string table;
    const file_read_result read = read_regular_file(native, table);
    if (read != file_read_result::ok) {
        editor_ui().detailed_message(msg_open_failed, QDir::toNativeSeparators(path).toStdString() +
                                                          ": " + read_failure_reason(native, read));
        return false;
    }
    // Every row is read before the map changes, so a cell that does not parse leaves it whole.
    register_table_reader reader(*doc->map());
    if (!reader.read(table)) {
        editor_ui().message(reader.error().message());
        return false;
    }
    doc->editor().replace_registers(std::move(reader.registers()), editor_ui());
    doc->update_all_views(nullptr, 0);
    editor_ui().message(register_count_text(doc->map()->register_count()) + " imported");
    return true;
}

void CMapCommands::print_register_table(CTessalyDoc* doc, QPrinter& printer) {
    if (has_map(doc))
        ::print_register_table(doc, &catalogue_, printer, window_);
}

bool CMapCommands::export_register_table_pdf(CTessalyDoc* doc, const QPrinter& printer) {
    if (!has_map(doc))
        return false;
    // A map without a file of its own is offered a name made from its title.
    QString start = table_start(*doc, pdf_suffix);
    if (start.isEmpty())
        start = print_document_name(*doc) + "." + pdf_suffix;
    QString path = prompter_->save_path(window_, QStringLiteral("Export Register Table as PDF"),
                                        pdf_filter, start, QString::fromLatin1(pdf_suffix));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + pdf_suffix;
    const QByteArray pdf = register_table_pdf(*doc, &catalogue_, printer.pageLayout(), window_);
    if (pdf.isEmpty())
        return false;
    std::string error;
    if (!atomic_write_file(CTessalyDoc::native_path(path),
                           std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())),
                           &error)) {
        editor_ui().detailed_message(msg_save_failed, error);
        return false;
    }
    editor_ui().message("Register table of " + register_count_text(doc->map()->register_count()) +
                        " exported to " + QDir::toNativeSeparators(path).toStdString());
    return true;
}

template <class window_t> window_t* CMapCommands::result_window(QPointer<window_t>& window) {
    if (!window)
        window = new window_t(window_);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void CMapCommands::compare_with_device(CTessalyDoc* doc, CRegisterView* view) {
    if (!has_map(doc))
        return;
    const zrp_file& map = *doc->map();
    const int device = map.header->device_code;
    // What the map becomes on the card, so that what an image cannot carry is no difference;
    // a map no image carries is not worth an extraction.
    auto expected = std::make_shared<zrp_file>();
    if (!map_as_card_holds(map, device, *expected)) {
        editor_ui().message(map_unfit_for_image_text);
        return;
    }
    // What the card does not get as the map says is no difference on the card (it holds what
    // it was sent), so the check's findings are listed beside the differences. Both are taken
    // now: the map may change while the card is asked.
    auto findings =
        std::make_shared<std::vector<map_finding>>(::check_map(map, checked_text(*doc), nullptr));
    const QString title = doc->title();
    QPointer<CRegisterView> list(view);
    transfers_.extract_configuration(
        device,
        [this, expected, findings, title, list](std::unique_ptr<zrp_file> card) {
            if (!card) {
                // The extraction said why; an earlier comparison must not pass for this one.
                if (compare_dlg_)
                    compare_dlg_->close();
                return;
            }
            result_window(compare_dlg_)
                ->set_result(list, title, std::move(*findings), diff_maps(*expected, *card));
        },
        doc);
}

std::string CMapCommands::checked_text(const CTessalyDoc& doc) {
    if (has_file(doc))
        if (std::optional<std::string> saved =
                read_whole_file(CTessalyDoc::native_path(doc.path())))
            return std::move(*saved);
    return doc.text();
}

void CMapCommands::send_document(CTessalyDoc* doc) {
    if (!has_map(doc))
        return;
    // The card gets the map as written now; names the load cut are seen in the saved file.
    if (!transfers_.confirm_send(*doc->map(), checked_text(*doc)))
        return;
    transfers_.send_text(doc->text(), doc);
}

void CMapCommands::check_map(CTessalyDoc* doc, CRegisterView* view) {
    if (!has_map(doc))
        return;
    const zrp_file& map = *doc->map();
    // Without a catalogue every name would look unknown: that check is skipped and said so.
    std::optional<parameter_names> names;
    if (catalogue_.count() > 0)
        names = offered_parameters(catalogue_, map.header->device_code);
    std::vector<map_finding> findings =
        ::check_map(map, checked_text(*doc), names ? &*names : nullptr);
    result_window(check_dlg_)
        ->set_findings(view, doc->title(), std::move(findings),
                       names ? QString() : QString::fromUtf8(no_catalogue_text));
}

CDeviceCompareDlg* CMapCommands::compare_window() const {
    return compare_dlg_;
}

CMapCheckDlg* CMapCommands::check_window() const {
    return check_dlg_;
}

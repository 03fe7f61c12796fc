#include "editing/register_printing.h"

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "editing/register_table_printing.h"
#include "printing/CRegisterPrinter.h"

#include <QFile>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include <optional>

namespace {

// The print job of the document, or nothing after a refusal.
std::optional<CRegisterPrinter> prepare_job(const CTessalyDoc* doc, QPrinter& printer) {
    if (!doc)
        return std::nullopt;
    auto document =
        prepare_print(CTessalyDoc::native_path(doc->path()), doc->is_modified(), editor_ui());
    if (!document)
        return std::nullopt;
    printer.setDocName(print_document_name(*doc));
    printer.setPrintRange(QPrinter::AllPages); // a range chosen for an earlier job is gone
    return CRegisterPrinter(std::move(*document));
}

} // namespace

void print_register_list(const CTessalyDoc* doc, QPrinter& printer, QWidget* parent) {
    const auto job = prepare_job(doc, printer);
    if (!job)
        return;
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, job->page_count());
    if (dialog.exec() == QDialog::Accepted)
        job->print(printer);
}

void preview_register_list(const CTessalyDoc* doc, QPrinter& printer, QWidget* parent) {
    const auto job = prepare_job(doc, printer);
    if (!job)
        return;
    QPrintPreviewDialog preview(&printer, parent);
    if (const QScreen* screen = parent ? parent->screen() : nullptr)
        preview.resize(screen->availableSize() * 4 / 5); // a whole page at a readable size
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&job](QPrinter* target) { job->print(*target); });
    preview.exec();
}

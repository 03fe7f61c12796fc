#include "editing/register_table_printing.h"

#include "document/CTessalyDoc.h"
#include "editing/CRegisterTablePrinter.h"

#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QRegularExpression>

#include <climits>
#include <functional>
#include <memory>

namespace {

constexpr double pdf_margin_mm = 15.0;
// Tables of fewer pages print without a progress display.
constexpr int pages_without_progress = 20;

CRegisterTablePrinter table_of(const CTessalyDoc& doc, parameter_list* catalogue) {
    const QString date = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    return CRegisterTablePrinter(build_register_table(
        *doc.map(), CTessalyDoc::native_path(doc.path()), doc.title().toStdString(),
        doc.is_modified(), catalogue, date.toStdString()));
}

// Waits with the busy cursor, and shows a cancellable progress display for long tables.
class print_progress {
  public:
    explicit print_progress(QWidget* parent) : parent_(parent) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~print_progress() { QApplication::restoreOverrideCursor(); }

    bool operator()(int page, int pages) {
        if (pages < pages_without_progress)
            return true;
        if (!dialog_) {
            dialog_ =
                std::make_unique<QProgressDialog>(QStringLiteral("Printing register table..."),
                                                  QStringLiteral("Cancel"), 0, pages, parent_);
            dialog_->setWindowTitle(QStringLiteral("Register table"));
            dialog_->setWindowModality(Qt::WindowModal);
            dialog_->setMinimumDuration(300);
        }
        dialog_->setValue(page - 1);
        return !dialog_->wasCanceled();
    }

  private:
    QWidget* parent_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace

QString print_document_name(const CTessalyDoc& doc) {
    QString name = doc.path().isEmpty() ? doc.title() : doc.path();
    if (!doc.path().isEmpty())
        name = name.mid(name.lastIndexOf(QRegularExpression(QStringLiteral("[/\\\\]"))) + 1);
    static const QRegularExpression unfit(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    name.remove(unfit);
    return name.trimmed().isEmpty() ? QStringLiteral("register map") : name.trimmed();
}

void print_register_table(const CTessalyDoc* doc, parameter_list* catalogue, QPrinter& printer,
                          QWidget* parent) {
    if (!doc || !doc->map())
        return;
    CRegisterTablePrinter table = table_of(*doc, catalogue);
    printer.setDocName(print_document_name(*doc));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPrintRange(QPrinter::AllPages);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Print Register Table"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    int first = 1;
    int last = INT_MAX;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        last = printer.toPage() > 0 ? printer.toPage() : last;
    }
    print_progress progress(parent);
    if (!table.print(printer, first, last, std::ref(progress)))
        printer.abort();
}

QByteArray register_table_pdf(const CTessalyDoc& doc, parameter_list* catalogue,
                              const QPageLayout& layout, QWidget* parent) {
    if (!doc.map())
        return {};
    CRegisterTablePrinter table = table_of(doc, catalogue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle(QStringLiteral("Register table: %1").arg(print_document_name(doc)));
        pdf.setCreator(QStringLiteral("Tessaly"));
        pdf.setPageLayout(
            QPageLayout(layout.pageSize(), QPageLayout::Portrait,
                        QMarginsF(pdf_margin_mm, pdf_margin_mm, pdf_margin_mm, pdf_margin_mm),
                        QPageLayout::Millimeter));
        print_progress progress(parent);
        if (!table.print(pdf, 1, INT_MAX, std::ref(progress)))
            return {};
    }
    return bytes;
}

#include "editing/CRegisterView.h"

#include "app/CTessalyApp.h"
#include "app/CTessalyDoc.h"
#include "core/user_interface.h"
#include "editing/CRegisterPrinter.h"
#include "editing/CRegisterTableModel.h"
#include "editing/register_cells.h"
#include "model/zrp_file.h"

#include <QFile>
#include <QHeaderView>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <memory>

namespace {

const char* const overlap_message = "Register already exists, or\noverlaps with another";

// A new register as New Register starts it: a renumbered copy of the map's template
// register, or a fresh register of the map.
std::unique_ptr<host_register> make_new_register(zrp_file& map) {
    if (map.template_register)
        return std::make_unique<host_register>(*map.template_register, true);
    return std::make_unique<host_register>(&map);
}

// The application's printer, so that the choices of Print Setup apply; a printer of the job's
// own when there is no application object (tests, tools).
QPrinter& job_printer(std::unique_ptr<QPrinter>& own, const CTessalyDoc& doc) {
    QPrinter* printer = nullptr;
    if (CTessalyApp* app = CTessalyApp::instance()) {
        printer = &app->printer();
    } else {
        own = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer = own.get();
    }
    printer->setDocName(doc.title().isEmpty() ? doc.path() : doc.title());
    printer->setPrintRange(QPrinter::AllPages); // a range chosen for an earlier job is gone
    return *printer;
}

} // namespace

CRegisterView::CRegisterView(CTessalyDoc* doc, QWidget* parent)
    : QTreeView(parent), doc_(doc), table_(new CRegisterTableModel(doc, this)) {
    setModel(table_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // rows are measured once, whatever the map's size
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    create_columns();

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CRegisterView::command_state_changed);
    connect(this, &QAbstractItemView::doubleClicked, this, [this] {
        if (can_edit_registers())
            on_properties();
    });
    if (doc_) {
        connect(doc_, &CTessalyDoc::views_update, this, &CRegisterView::on_views_update);
        connect(doc_, &CTessalyDoc::header_replaced, this, [this] { update_rows(0); });
    }
    update_rows(0);
}

CRegisterView::~CRegisterView() = default;

void CRegisterView::create_columns() {
    QHeaderView* heading = header();
    heading->setStretchLastSection(false);
    heading->setSectionsMovable(false);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    heading->setSectionResizeMode(QHeaderView::Interactive);
    // The widths are list units of a small dialog font. A list unit grows with the font in
    // use so that the widest text of an 80-unit column ("UNSIGNED (2)", "REVERSED (6)")
    // still fits between the cell margins and the focus frame.
    const int padding = 4 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 2);
    const double widest = std::max(fontMetrics().horizontalAdvance(QStringLiteral("UNSIGNED (2)")),
                                   fontMetrics().horizontalAdvance(QStringLiteral("REVERSED (6)")));
    const double unit = std::max(1.0, (widest + padding) / 80.0);
    const auto& columns = register_columns();
    for (int i = 0; i < register_column_count; ++i)
        heading->resizeSection(
            i, static_cast<int>(columns[static_cast<std::size_t>(i)].width * unit + 0.5));
}

void CRegisterView::update_rows(int start) {
    if (start <= 0)
        table_->rebuild_all();
    else
        table_->rebuild_row(start - 1);
    emit command_state_changed();
}

void CRegisterView::on_views_update(QObject* sender, int hint) {
    if (sender != this)
        update_rows(hint);
}

void CRegisterView::changed(int start) {
    doc_->set_modified(true);
    update_rows(start);
    doc_->update_all_views(this, start);
}

QList<int> CRegisterView::selected_rows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CRegisterView::can_delete() const {
    return selectionModel()->hasSelection();
}

int CRegisterView::selection_mark() const {
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return current.row();
    const QList<int> rows = selected_rows();
    return rows.isEmpty() ? -1 : rows.front();
}

void CRegisterView::on_new_register() {
    zrp_file* map = doc_ ? doc_->map() : nullptr;
    if (!map)
        return;
    auto reg = make_new_register(*map);
    for (;;) {
        if (reg->edit(edit_new_register) != 1)
            return;
        // add_register drops what it refuses; keep a copy so that Retry reopens the dialog
        // on the values the user entered.
        host_register entered(*reg);
        if (map->add_register(std::move(reg)) >= 0)
            break;
        if (!ui().ask_retry_cancel(overlap_message))
            return;
        reg = std::make_unique<host_register>(entered);
    }
    changed(0);
}

void CRegisterView::on_properties() {
    zrp_file* map = doc_ ? doc_->map() : nullptr;
    host_register* target = table_->register_at(selection_mark());
    if (!map || !target)
        return;
    // The dialog works on a copy of every field; the map is untouched until a clean OK.
    auto work = std::make_unique<host_register>(*target);
    for (;;) {
        if (work->edit(edit_existing_register) != 1)
            return;
        if (!map->overlaps(work->register_number, work->width(), target))
            break;
        if (!ui().ask_retry_cancel(overlap_message))
            return;
    }
    const bool renumbered = work->register_number != target->register_number;
    *target = *work;
    if (renumbered) {
        changed(0);
        return;
    }
    int row = 0;
    while (row < map->register_count() && map->register_at(row) != target)
        ++row;
    changed(row + 1);
}

void CRegisterView::on_delete() {
    zrp_file* map = doc_ ? doc_->map() : nullptr;
    const QList<int> rows = selected_rows();
    if (!map || rows.isEmpty())
        return;
    map->delete_registers(std::vector<int>(rows.begin(), rows.end()));
    changed(0);
}

void CRegisterView::on_print() {
    if (!doc_)
        return;
    auto document =
        prepare_print(QFile::encodeName(doc_->path()).toStdString(), doc_->is_modified());
    if (!document)
        return;
    const CRegisterPrinter job(std::move(*document));
    std::unique_ptr<QPrinter> own_printer;
    QPrinter& printer = job_printer(own_printer, *doc_);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, job.page_count());
    if (dialog.exec() == QDialog::Accepted)
        job.print(printer);
}

void CRegisterView::on_print_preview() {
    if (!doc_)
        return;
    auto document =
        prepare_print(QFile::encodeName(doc_->path()).toStdString(), doc_->is_modified());
    if (!document)
        return;
    const CRegisterPrinter job(std::move(*document));
    std::unique_ptr<QPrinter> own_printer;
    QPrinter& printer = job_printer(own_printer, *doc_);
    QPrintPreviewDialog preview(&printer, this);
    if (const QScreen* screen = this->screen()) // room for a whole page at a readable size
        preview.resize(screen->availableSize() * 4 / 5);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&job](QPrinter* target) { job.print(*target); });
    preview.exec();
}

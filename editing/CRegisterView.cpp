#include "editing/CRegisterView.h"

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "edit/map_editor.h"
#include "edit/register_clipboard.h"
#include "editing/CRegisterClipboard.h"
#include "editing/CRegisterDialogs.h"
#include "editing/CRegisterTableModel.h"
#include "editing/register_cells.h"
#include "model/zrp_file.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include <algorithm>
#include <vector>

CRegisterView::CRegisterView(CTessalyDoc* doc, CRegisterDialogs& dialogs, QWidget* parent)
    : QTreeView(parent), doc_(doc), dialogs_(dialogs), table_(new CRegisterTableModel(doc, this)) {
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
        connect(doc_, &CTessalyDoc::rows_touched, this, &CRegisterView::select_rows);
    }
    update_rows(0);
}

CRegisterView::~CRegisterView() = default;

CTessalyDoc* CRegisterView::document() const {
    return doc_;
}

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
    if (doc_ && doc_->map()) {
        if (start <= 0)
            doc_->editor().prepare_display();
        else
            doc_->editor().prepare_row(start - 1);
    }
    if (start <= 0)
        table_->reset_rows();
    else
        table_->refresh_row(start - 1);
    emit command_state_changed();
}

void CRegisterView::on_views_update(QObject* sender, int hint) {
    if (sender != this)
        update_rows(hint);
}

void CRegisterView::changed(bool all_rows, int row) {
    const int start = all_rows ? 0 : row + 1;
    if (all_rows)
        table_->reset_rows();
    else
        table_->refresh_row(row);
    select_row(row);
    emit command_state_changed();
    doc_->update_all_views(this, start);
}

QList<int> CRegisterView::selected_rows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CRegisterView::can_edit_registers() const {
    return doc_ && doc_->map();
}

void CRegisterView::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
        selection_mark() >= 0 && can_edit_registers()) {
        on_properties();
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

bool CRegisterView::select_row(int row) {
    const QModelIndex index = table_->index(row, 0);
    if (!index.isValid())
        return false;
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
    return true;
}

bool CRegisterView::select_register(int number) {
    for (int row = 0; row < table_->rowCount(); ++row) {
        const host_register* reg = table_->register_at(row);
        if (reg && reg->register_number == number)
            return select_row(row);
    }
    return false;
}

bool CRegisterView::can_delete() const {
    return selectionModel()->hasSelection();
}

bool CRegisterView::can_paste() const {
    return can_edit_registers() && CRegisterClipboard::shared().holds_registers();
}

void CRegisterView::select_rows(const QList<int>& rows) {
    QItemSelection selection;
    for (int i = 0; i < rows.size();) {
        // Runs of consecutive rows make one range each.
        int last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        const QModelIndex first_index = table_->index(rows[i], 0);
        const QModelIndex last_index = table_->index(rows[last], 0);
        if (first_index.isValid() && last_index.isValid())
            selection.select(first_index, last_index);
        i = last + 1;
    }
    if (selection.isEmpty())
        return;
    selectionModel()->select(selection,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QModelIndex current = table_->index(rows.front(), 0);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    scrollTo(current);
}

int CRegisterView::selection_mark() const {
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return current.row();
    const QList<int> rows = selected_rows();
    return rows.isEmpty() ? -1 : rows.front();
}

bool CRegisterView::run_register_dialog(
    register_dialog_values values, bool existing,
    const std::function<map_editor::register_outcome(const register_dialog_values&)>& set) {
    map_editor& editor = doc_->editor();
    for (;;) {
        if (!dialogs_.edit_register(values, existing))
            break;
        const map_editor::register_outcome outcome = set(values);
        if (!outcome.refused) {
            if (outcome.change.changed())
                changed(outcome.change.scope == map_editor::refresh::all_rows, outcome.change.row);
            return true;
        }
        // Retry reopens the dialog on what the user chose.
        if (!editor_ui().ask_retry_cancel(map_editor::overlap_message))
            break;
        values = outcome.retry;
    }
    editor.cancel_register_edit();
    return false;
}

void CRegisterView::on_new_register() {
    if (!doc_ || !doc_->map())
        return;
    map_editor& editor = doc_->editor();
    run_register_dialog(editor.new_register_values(), false,
                        [&editor](const register_dialog_values& chosen) {
                            return editor.set_new_register(chosen);
                        });
}

void CRegisterView::on_properties() {
    if (!doc_ || !doc_->map())
        return;
    map_editor& editor = doc_->editor();
    const int row = selection_mark();
    std::optional<register_dialog_values> values = editor.properties_values(row);
    if (!values)
        return;
    run_register_dialog(*values, true, [&editor, row](const register_dialog_values& chosen) {
        return editor.set_properties(row, chosen);
    });
}

void CRegisterView::on_delete() {
    if (!doc_ || !doc_->map())
        return;
    const QList<int> rows = selected_rows();
    const auto change = doc_->editor().delete_rows(std::vector<int>(rows.begin(), rows.end()));
    if (change.changed())
        changed(true, change.row);
}

void CRegisterView::on_copy() {
    if (!doc_ || !doc_->map() || !doc_->map()->header)
        return;
    const QList<int> rows = selected_rows();
    if (rows.isEmpty())
        return;
    const std::string text =
        registers_text(*doc_->map(), std::vector<int>(rows.begin(), rows.end()));
    CRegisterClipboard::shared().put(text, doc_->map()->header->device_code);
}

void CRegisterView::on_cut() {
    if (!doc_ || !doc_->map())
        return;
    on_copy();
    const QList<int> rows = selected_rows();
    const auto change = doc_->editor().cut_rows(std::vector<int>(rows.begin(), rows.end()));
    if (change.changed())
        changed(true, change.row);
}

void CRegisterView::on_paste() {
    if (!doc_ || !doc_->map())
        return;
    const auto content = CRegisterClipboard::shared().get();
    if (!content)
        return;
    const auto result = doc_->editor().paste(content->text, content->device_code);
    if (result.change.changed()) {
        changed(true, result.change.row);
        select_rows(QList<int>(result.rows.begin(), result.rows.end()));
    }
    // The message comes once the list shows what was pasted.
    if (!result.report.empty())
        editor_ui().message(result.report);
}

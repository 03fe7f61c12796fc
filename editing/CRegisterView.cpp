#include "editing/CRegisterView.h"

#include "document/CTessalyDoc.h"
#include "document/editor_ui.h"
#include "edit/map_editor.h"
#include "edit/register_clipboard.h"
#include "editing/CFrozenColumn.h"
#include "editing/CRegisterClipboard.h"
#include "editing/CRegisterContextMenu.h"
#include "editing/CRegisterDialogs.h"
#include "editing/CRegisterFilterModel.h"
#include "editing/CRegisterTableModel.h"
#include "editing/register_cells.h"
#include "model/zrp_file.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include <algorithm>
#include <vector>

CRegisterView::CRegisterView(CTessalyDoc* doc, CRegisterDialogs& dialogs, QWidget* parent)
    : QTreeView(parent), doc_(doc), dialogs_(dialogs), table_(new CRegisterTableModel(doc, this)),
      proxy_(new CRegisterFilterModel(this)) {
    proxy_->setSourceModel(table_);
    setModel(proxy_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true); // rows are measured once, whatever the map's size
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false); // the headings sort through on_heading_clicked
    create_columns();

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CRegisterView::command_state_changed);
    auto properties = [this] {
        if (can_edit_registers())
            on_properties();
    };
    connect(this, &QAbstractItemView::doubleClicked, this, properties);
    connect(header(), &QHeaderView::sectionClicked, this, &CRegisterView::on_heading_clicked);
    frozen_ = new CFrozenColumn(this);
    connect(frozen_, &CFrozenColumn::heading_clicked, this, [this] { on_heading_clicked(0); });
    connect(frozen_, &CFrozenColumn::row_double_clicked, this, properties);
    connect(frozen_, &CFrozenColumn::context_menu_requested, this,
            &CRegisterView::open_context_menu);
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
    heading->setSectionsClickable(true);
    heading->setSortIndicatorShown(true);
    heading->setSortIndicator(-1, Qt::AscendingOrder);
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
        if (const int row = table_row(index); row >= 0)
            rows.push_back(row);
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CRegisterView::can_edit_registers() const {
    return doc_ && doc_->map();
}

void CRegisterView::keyPressEvent(QKeyEvent* event) {
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && modifiers == Qt::NoModifier && selection_mark() >= 0 && can_edit_registers()) {
        on_properties();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && modifiers == Qt::NoModifier && proxy_->filtering()) {
        set_filter_text(QString());
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier) {
        QContextMenuEvent menu_event(QContextMenuEvent::Keyboard, QPoint(), QCursor::pos());
        contextMenuEvent(&menu_event);
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

int CRegisterView::table_row(const QModelIndex& shown_index) const {
    const QModelIndex source = proxy_->mapToSource(shown_index);
    return source.isValid() ? source.row() : -1;
}

QModelIndex CRegisterView::shown_index(int row) const {
    return proxy_->mapFromSource(table_->index(row, 0));
}

void CRegisterView::reveal_rows(const QList<int>& rows) {
    if (!proxy_->filtering())
        return;
    for (int row : rows)
        if (table_->index(row, 0).isValid() && !shown_index(row).isValid()) {
            set_filter_text(QString());
            return;
        }
}

void CRegisterView::set_filter_text(const QString& text) {
    if (text.trimmed() == proxy_->filter_text())
        return;
    proxy_->set_filter_text(text);
    emit filter_text_changed(proxy_->filter_text());
    emit command_state_changed();
}

void CRegisterView::sort_list(int column, Qt::SortOrder order) {
    if (column < 0 || column >= table_->columnCount())
        column = -1;
    header()->setSortIndicator(column, order);
    proxy_->sort(column, order);
    if (const QModelIndex current = currentIndex(); current.isValid())
        scrollTo(current);
}

void CRegisterView::on_heading_clicked(int column) {
    const int sorted = proxy_->sortColumn();
    const Qt::SortOrder order = proxy_->sortOrder();
    if (column != sorted)
        sort_list(column, Qt::AscendingOrder);
    else if (order == Qt::AscendingOrder)
        sort_list(column, Qt::DescendingOrder);
    else
        sort_list(-1);
}

void CRegisterView::keyboardSearch(const QString& search) {
    if (search_.take(search).isEmpty() || proxy_->rowCount() == 0)
        return;
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    const int row = search_.find(*proxy_, search_.start_row(current), {0, parameter_column});
    if (row < 0)
        return;
    const QModelIndex found = proxy_->index(row, 0);
    selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(found);
}

void CRegisterView::add_context_action(QAction* action) {
    context_menu()->add_extra_action(action);
}

CRegisterContextMenu* CRegisterView::context_menu() {
    if (menu_ == nullptr)
        menu_ = new CRegisterContextMenu(this);
    return menu_;
}

void CRegisterView::contextMenuEvent(QContextMenuEvent* event) {
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        // From the keyboard the menu opens at the current row, or at the list's corner.
        const QRect row = visualRect(currentIndex());
        at = viewport()->mapToGlobal(row.isValid() ? row.bottomLeft() : QPoint(0, 0));
    }
    open_context_menu(at);
    event->accept();
}

void CRegisterView::open_context_menu(const QPoint& global_pos) {
    context_menu()->follow_list();
    context_menu()->exec(global_pos);
}

void CRegisterView::updateGeometries() {
    QTreeView::updateGeometries();
    if (frozen_)
        frozen_->follow_list();
}

void CRegisterView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    if (frozen_)
        frozen_->follow_list();
}

bool CRegisterView::select_row(int row) {
    reveal_rows({row});
    const QModelIndex index = shown_index(row);
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
    reveal_rows(rows);
    QItemSelection source_selection;
    for (int i = 0; i < rows.size();) {
        // Runs of consecutive rows make one range each.
        int last = i;
        while (last + 1 < rows.size() && rows[last + 1] == rows[last] + 1)
            ++last;
        const QModelIndex first_index = table_->index(rows[i], 0);
        const QModelIndex last_index = table_->index(rows[last], 0);
        if (first_index.isValid() && last_index.isValid())
            source_selection.select(first_index, last_index);
        i = last + 1;
    }
    const QItemSelection selection = proxy_->mapSelectionFromSource(source_selection);
    if (selection.isEmpty())
        return;
    selectionModel()->select(selection,
                             QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const QModelIndex current = shown_index(rows.front());
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::NoUpdate);
    scrollTo(current);
}

int CRegisterView::selection_mark() const {
    const QModelIndex current = currentIndex();
    if (current.isValid() && selectionModel()->isRowSelected(current.row(), QModelIndex()))
        return table_row(current);
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
        if (!map_editor::ask_retry(outcome, editor_ui()))
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

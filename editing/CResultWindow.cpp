#include "editing/CResultWindow.h"

#include "editing/CRegisterView.h"
#include "editing/CTextTableModel.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
// No column starts wider than this many average characters; the last one takes what is left.
constexpr int widest_column_chars = 48;
// How many text lines high a window with rows is at least.
constexpr int table_lines = 24;
} // namespace

CResultWindow::CResultWindow(const QString& title, const QStringList& headings,
                             const QString& table_name, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    subject_ = new QLabel;
    subject_->setAccessibleName(QStringLiteral("Map"));
    subject_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_ = new QLabel;
    summary_->setAccessibleName(QStringLiteral("Result"));
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    table_ = new CTextTableModel(headings, this);
    view_ = new QTreeView;
    view_->setModel(table_);
    view_->setAccessibleName(table_name);
    view_->setRootIsDecorated(false);
    view_->setItemsExpandable(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setTextElideMode(Qt::ElideRight);
    view_->header()->setSectionsMovable(false);
    view_->header()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox;
    QPushButton* close_button =
        buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    close_button->setAccessibleName(QStringLiteral("Close"));
    close_button->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    layout_ = new QVBoxLayout(this);
    layout_->addWidget(subject_);
    layout_->addWidget(summary_);
    layout_->addWidget(view_, 1);
    // Takes the table's room while there are no rows, so that the lines stay at the top.
    layout_->addStretch(0);
    layout_->addWidget(buttons);
    setTabOrder(view_, close_button);
}

void CResultWindow::add_below_table(QWidget* widget) {
    layout_->insertWidget(layout_->indexOf(view_) + 1, widget);
}

bool CResultWindow::select_in_list(CRegisterView* view, int register_number) {
    if (!view || !view->select_register(register_number)) {
        QApplication::beep();
        return false;
    }
    // The list's document window comes to the front of the main window; the keyboard stays
    // in the result window, so that the next row is one key away.
    for (QWidget* w = view->parentWidget(); w; w = w->parentWidget()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = sub->mdiArea())
                area->setActiveSubWindow(sub);
            break;
        }
    }
    return true;
}

QString CResultWindow::subject() const {
    return subject_->text();
}

QString CResultWindow::summary() const {
    return summary_->text();
}

QString CResultWindow::cell(int row, int column) const {
    return table_->data(table_->index(row, column)).toString();
}

void CResultWindow::show_rows(const QString& subject, const QString& summary, int count,
                              std::function<QString(int row, int column)> cell) {
    subject_->setText(subject);
    summary_->setText(summary);
    table_->set_rows(count, std::move(cell));
    view_->setVisible(count > 0);
    size_columns();
    // A message alone needs no more than its lines; rows get room for a screenful of them.
    layout_->activate();
    if (count == 0)
        resize(width(), sizeHint().height());
    else if (const int rows_height = table_lines * fontMetrics().height(); height() < rows_height)
        resize(width(), rows_height);
    if (count > 0) {
        view_->setCurrentIndex(table_->index(0, 0));
        view_->setFocus(Qt::OtherFocusReason);
    }
}

void CResultWindow::size_columns() {
    QHeaderView* header = view_->header();
    // The view measures only the rows near the top, so a long result sizes as fast as a short
    // one.
    header->resizeSections(QHeaderView::ResizeToContents);
    const int widest = widest_column_chars * fontMetrics().averageCharWidth();
    int natural = 0;
    for (int i = 0; i < header->count(); ++i) {
        if (i + 1 < header->count()) {
            header->resizeSection(i, std::min(header->sectionSize(i), widest));
            natural += header->sectionSize(i);
        } else {
            // The last column stretches: its own width is what its texts need (asked through
            // the base class, where the measure is public).
            const QAbstractItemView* view = view_;
            natural += std::max(view->sizeHintForColumn(i), header->sectionSizeHint(i));
        }
    }
    if (!view_->isVisibleTo(this))
        return;
    // The window grows (never shrinks) so that the rows show whole, within the screen; a text
    // wider still ends in an ellipsis and shows whole in its tool tip.
    const QMargins margins = layout_->contentsMargins();
    const int chrome = margins.left() + margins.right() + 2 * view_->frameWidth() +
                       style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view_);
    int want = natural + chrome;
    if (const QScreen* s = screen())
        want = std::min(want, s->availableGeometry().width() * 9 / 10);
    if (want > width())
        resize(want, height());
}

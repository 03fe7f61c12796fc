#include "editing/CResultWindow.h"

#include "editing/CTextTableModel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {
// No column starts wider than this many average characters; the last one takes what is left.
constexpr int widest_column_chars = 48;
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
    layout_->addWidget(buttons);
    setTabOrder(view_, close_button);
}

void CResultWindow::add_below_table(QWidget* widget) {
    layout_->insertWidget(layout_->indexOf(view_) + 1, widget);
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
    for (int i = 0; i + 1 < header->count(); ++i)
        header->resizeSection(i, std::min(header->sectionSize(i), widest));
}

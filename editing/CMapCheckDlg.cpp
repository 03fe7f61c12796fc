#include "editing/CMapCheckDlg.h"

#include "editing/CRegisterView.h"
#include "model/map_check.h"

#include <QApplication>
#include <QLabel>
#include <QTreeView>

namespace {
enum column { col_register, col_finding };
} // namespace

CMapCheckDlg::CMapCheckDlg(QWidget* parent)
    : CResultWindow(QStringLiteral("Check Map"),
                    {QStringLiteral("Register"), QStringLiteral("Finding")},
                    QStringLiteral("Findings"), parent) {
    hint_ = new QLabel(
        QStringLiteral("Double-click a finding, or press Enter on it, to select its register."));
    hint_->setAccessibleName(QStringLiteral("Hint"));
    hint_->setWordWrap(true);
    add_below_table(hint_);
    connect(view(), &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { go_to_finding(index.row()); });
    resize(680, 380);
}

void CMapCheckDlg::set_findings(CRegisterView* view, const QString& title,
                                std::vector<map_finding> findings, const QString& note) {
    disconnect(view_gone_);
    view_ = view;
    // The findings point into that list: without it they have nothing left to show.
    if (view)
        view_gone_ = connect(view, &QObject::destroyed, this, &QWidget::close);
    findings_ = std::move(findings);
    const int count = finding_count();
    QString summary = count == 0   ? QStringLiteral("No findings.")
                      : count == 1 ? QStringLiteral("1 finding.")
                                   : QStringLiteral("%1 findings.").arg(count);
    if (!note.isEmpty())
        summary += QLatin1Char('\n') + note;
    hint_->setVisible(count > 0);
    show_rows(QStringLiteral("Map: %1").arg(title), summary, count,
              [this](int row, int column) { return cell_text(row, column); });
}

CRegisterView* CMapCheckDlg::register_view() const {
    return view_;
}

QString CMapCheckDlg::cell_text(int row, int column) const {
    if (row < 0 || row >= finding_count())
        return {};
    const map_finding& f = findings_[static_cast<std::size_t>(row)];
    if (column == col_register)
        return f.about_header ? QStringLiteral("header") : QString::number(f.register_number);
    if (column == col_finding)
        return QString::fromStdString(f.text);
    return {};
}

bool CMapCheckDlg::go_to_finding(int row) {
    if (row < 0 || row >= finding_count() || !view_)
        return false;
    const map_finding& f = findings_[static_cast<std::size_t>(row)];
    if (f.about_header) {
        QApplication::beep();
        return false;
    }
    return select_in_list(view_, f.register_number);
}

#include "editing/CDeviceCompareDlg.h"

#include "editing/CRegisterView.h"

#include <QApplication>
#include <QTreeView>

namespace {
enum column { col_place, col_field, col_map, col_card };

// The side of a difference that one of the maps does not have.
const char* const missing_side = "(none)";
// The field of a finding's row; the finding itself says what the card gets.
const char* const finding_field = "Finding";

QString count_text(int count, const char* one, const char* many) {
    return count == 1 ? QStringLiteral("1 %1").arg(QLatin1String(one))
                      : QStringLiteral("%1 %2").arg(count).arg(QLatin1String(many));
}

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

// Where a difference lies: the device line, a header line by its first word (a word that
// repeats with its occurrence), or a register by number.
QString place_of(const map_difference& d) {
    switch (d.place) {
    case map_difference::device_line:
        return QStringLiteral("Device line");
    case map_difference::header_line:
        if (d.occurrence > 0)
            return QStringLiteral("Header %1 (%2)").arg(text(d.word)).arg(d.occurrence + 1);
        return QStringLiteral("Header %1").arg(text(d.word));
    case map_difference::register_entry:
        return QString::number(d.register_number);
    }
    return {};
}
} // namespace

CDeviceCompareDlg::CDeviceCompareDlg(QWidget* parent)
    : CResultWindow(QStringLiteral("Compare with Device"),
                    {QStringLiteral("Register or header line"), QStringLiteral("Field"),
                     QStringLiteral("In the map"), QStringLiteral("On the card")},
                    QStringLiteral("Differences"), parent) {
    connect(view(), &QAbstractItemView::activated, this,
            [this](const QModelIndex& index) { go_to_row(index.row()); });
    resize(760, 400);
}

void CDeviceCompareDlg::set_differences(const QString& title,
                                        std::vector<map_difference> differences) {
    set_result(nullptr, title, {}, std::move(differences));
}

void CDeviceCompareDlg::set_result(CRegisterView* view, const QString& title,
                                   std::vector<map_finding> findings,
                                   std::vector<map_difference> differences) {
    view_ = view;
    findings_ = std::move(findings);
    differences_ = std::move(differences);
    const int found = finding_count();
    const int differing = difference_count();
    QString summary = QString::fromUtf8(card_holds_map_text);
    if (found > 0 || differing > 0) {
        QStringList parts;
        if (found > 0)
            parts << count_text(found, "finding", "findings");
        if (differing > 0)
            parts << count_text(differing, "difference", "differences");
        summary = QStringLiteral("%1 %2.").arg(QString::fromUtf8(card_differs_text),
                                               parts.join(QStringLiteral(", ")));
    }
    show_rows(QStringLiteral("Map: %1").arg(title), summary, found + differing,
              [this](int row, int column) { return cell_text(row, column); });
}

bool CDeviceCompareDlg::go_to_row(int row) {
    int number = 0;
    if (row >= 0 && row < finding_count()) {
        const map_finding& f = findings_[static_cast<std::size_t>(row)];
        if (f.about_header)
            row = -1;
        number = f.register_number;
    } else if (row >= finding_count() && row < finding_count() + difference_count()) {
        const map_difference& d = differences_[static_cast<std::size_t>(row - finding_count())];
        if (d.place != map_difference::register_entry)
            row = -1;
        number = d.register_number;
    } else {
        return false;
    }
    if (row < 0 || !view_) {
        QApplication::beep();
        return false;
    }
    return select_in_list(view_, number);
}

QString CDeviceCompareDlg::cell_text(int row, int column) const {
    if (row >= 0 && row < finding_count()) {
        const map_finding& f = findings_[static_cast<std::size_t>(row)];
        switch (column) {
        case col_place:
            return f.about_header ? QStringLiteral("Header") : QString::number(f.register_number);
        case col_field:
            return QString::fromLatin1(finding_field);
        case col_map:
            return text(f.text);
        }
        return {};
    }
    row -= finding_count();
    if (row < 0 || row >= difference_count())
        return {};
    const map_difference& d = differences_[static_cast<std::size_t>(row)];
    switch (column) {
    case col_place:
        return place_of(d);
    case col_field:
        return text(d.field);
    case col_map:
        return d.change == map_difference::only_in_b ? QString::fromUtf8(missing_side) : text(d.a);
    case col_card:
        return d.change == map_difference::only_in_a ? QString::fromUtf8(missing_side) : text(d.b);
    }
    return {};
}

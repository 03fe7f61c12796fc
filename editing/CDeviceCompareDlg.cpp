#include "editing/CDeviceCompareDlg.h"

#include "model/map_diff.h"

namespace {
enum column { col_place, col_field, col_map, col_card };

// The side of a difference that one of the maps does not have.
const char* const missing_side = "(none)";

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
    resize(760, 400);
}

void CDeviceCompareDlg::set_differences(const QString& title,
                                        std::vector<map_difference> differences) {
    differences_ = std::move(differences);
    const int count = difference_count();
    const QString summary = count == 0
                                ? QString::fromUtf8(card_holds_map_text)
                                : QStringLiteral("%1 %2").arg(
                                      QString::fromUtf8(card_differs_text),
                                      count == 1 ? QStringLiteral("1 difference.")
                                                 : QStringLiteral("%1 differences.").arg(count));
    show_rows(QStringLiteral("Map: %1").arg(title), summary, count,
              [this](int row, int column) { return cell_text(row, column); });
}

QString CDeviceCompareDlg::cell_text(int row, int column) const {
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

#include "printing/CRegisterPrinter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <utility>

namespace {

// The layout, in twips from the top left of the printable area.
constexpr double twips_per_inch = 1440.0;
constexpr double line_height_twips = 200.0; // 10 points
constexpr double text_left = 720.0;
constexpr double text_top = 720.0;
constexpr double footer_right = 11000.0;
constexpr double footer_top = 15120.0;

struct twips_scale {
    double x;
    double y;
};

twips_scale scale_of(const QPaintDevice& device) {
    return {device.logicalDpiX() / twips_per_inch, device.logicalDpiY() / twips_per_inch};
}

} // namespace

CRegisterPrinter::CRegisterPrinter(print_document document) : document_(std::move(document)) {}

QFont CRegisterPrinter::print_font(const QPaintDevice& device) {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setWeight(QFont::Normal);
    font.setPointSizeF(10.0);
    // A font's line takes a little more than its nominal size; shrink it so that a line is
    // exactly 200 twips and 66 lines end well above the page number.
    const double line_twips =
        QFontMetricsF(font, &device).lineSpacing() * twips_per_inch / device.logicalDpiY();
    if (line_twips > 0)
        font.setPointSizeF(10.0 * line_height_twips / line_twips);
    return font;
}

void CRegisterPrinter::paint_page(QPainter& painter, int page) const {
    const QPaintDevice& device = *painter.device();
    const twips_scale scale = scale_of(device);
    const QFont font = print_font(device);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, &device);
    const double ascent = metrics.ascent();
    const double line = metrics.lineSpacing();

    // Text is placed by the top of its line, the baseline one ascent lower.
    painter.drawText(QPointF(0, ascent), QString::fromStdString(document_.path));

    const auto range = print_page_lines(page, static_cast<int>(document_.lines.size()));
    double top = text_top * scale.y;
    for (int i = range.first; i < range.end; ++i) {
        top += line;
        painter.drawText(QPointF(text_left * scale.x, top + ascent),
                         QString::fromStdString(document_.lines[static_cast<std::size_t>(i)]));
    }

    const QString footer = QStringLiteral("Page %1 / %2").arg(page).arg(page_count());
    painter.drawText(QPointF(footer_right * scale.x - metrics.horizontalAdvance(footer),
                             footer_top * scale.y + ascent),
                     footer);
}

bool CRegisterPrinter::print(QPrinter& printer) const {
    int first = 1;
    int last = page_count();
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage();
        if (printer.toPage() > 0)
            last = printer.toPage();
    }
    return print(printer, first, last);
}

bool CRegisterPrinter::print(QPagedPaintDevice& device, int first, int last) const {
    first = std::max(first, 1);
    last = std::min(last, page_count());
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int page = first; page <= last; ++page) {
        if (page > first)
            device.newPage();
        paint_page(painter, page);
    }
    painter.end();
    return true;
}

#include "editing/CRegisterTablePrinter.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// Shares of the width left beyond each column's least width (heading, longest word).
constexpr std::array<double, table_column_count> column_shares = {0, 0, 0.35, 0.4, 0.25,
                                                                  0, 0, 0,    0};
// Widths of the bit table's columns, in points.
constexpr std::array<double, bit_table_column_count> bit_column_points = {38, 38, 56, 80};
constexpr double cell_padding_points = 2.5;
constexpr double longest_word_share = 0.3; // of the page width
constexpr double label_width_points = 64;  // labels of the title block
constexpr int text_flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

QFont sans(double points, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("Helvetica"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace

CRegisterTablePrinter::CRegisterTablePrinter(register_table_report report)
    : report_(std::move(report)) {}

void CRegisterTablePrinter::set_fonts(const QPaintDevice& device) {
    point_ = device.logicalDpiY() / 72.0;
    body_ = sans(8.5);
    bold_ = sans(8.5, true);
    small_ = sans(7.5);
    small_bold_ = sans(7.5, true);
    italic_ = sans(7.5, false, true);
    title_ = sans(14, true);
}

double CRegisterTablePrinter::text_height(const QFont& font, double width,
                                          const QString& shown) const {
    const QFontMetricsF metrics(font, device_);
    if (shown.isEmpty())
        return metrics.lineSpacing();
    return metrics.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e6), text_flags, shown)
        .height();
}

void CRegisterTablePrinter::set_column_widths() {
    // Each column is at least as wide as its heading and its longest word; what the page has
    // beyond that goes to the columns by their shares.
    const double pad = 2 * cell_padding_points * point_;
    const QFontMetricsF body(body_, device_);
    const QFontMetricsF bold(bold_, device_);
    std::array<double, table_column_count> least{};
    const auto& headings = register_table_headings();
    for (std::size_t c = 0; c < least.size(); ++c)
        least[c] = bold.horizontalAdvance(QString::fromLatin1(headings[c])) + pad;
    for (const register_table_row& row : report_.rows)
        for (std::size_t c = 0; c < least.size(); ++c) {
            const QFontMetricsF& metrics = c == table_register ? bold : body;
            for (const QString& word : text(row.cells[c]).split(QLatin1Char(' ')))
                least[c] = std::max(least[c], metrics.horizontalAdvance(word) + pad);
        }
    // A word longer than that (a name no catalogue holds) is cut at its cell's edge instead.
    for (double& w : least)
        w = std::min(w, width_ * longest_word_share);
    double total_least = 0;
    for (double w : least)
        total_least += w;
    const double spare = width_ - total_least;
    for (std::size_t c = 0; c < least.size(); ++c)
        widths_[c] = spare >= 0 ? least[c] + spare * column_shares[c]
                                : least[c] * width_ / total_least; // squeezed alike
}

double CRegisterTablePrinter::column_x(int column) const {
    double x = 0;
    for (int c = 0; c < column; ++c)
        x += widths_[static_cast<std::size_t>(c)];
    return x;
}

double CRegisterTablePrinter::column_width(int column) const {
    return widths_[static_cast<std::size_t>(column)];
}

double CRegisterTablePrinter::head_height() const {
    return QFontMetricsF(small_bold_, device_).lineSpacing() + 6 * point_;
}

double CRegisterTablePrinter::title_block_height() const {
    const double value_width = width_ - label_width_points * point_;
    double h = QFontMetricsF(title_, device_).lineSpacing() + 4 * point_;
    for (const auto& [label, value] : report_.block)
        h += text_height(body_, value_width, text(value));
    return h + 8 * point_;
}

double CRegisterTablePrinter::headings_height() const {
    return QFontMetricsF(bold_, device_).lineSpacing() + 2 * cell_padding_points * point_;
}

double CRegisterTablePrinter::row_height(const register_table_row& row) const {
    const double pad = cell_padding_points * point_;
    double h = 0;
    for (int c = 0; c < table_column_count; ++c) {
        const double w = column_width(c) - 2 * pad;
        double cell = text_height(body_, w, text(row.cells[static_cast<std::size_t>(c)]));
        if (c == table_parameter && !row.description.empty())
            cell += text_height(italic_, w, text(row.description));
        h = std::max(h, cell);
    }
    if (row.bitmapped)
        h += (1 + std::max<std::size_t>(row.bits.size(), 1)) *
                 QFontMetricsF(small_, device_).lineSpacing() +
             pad;
    return h + 2 * pad;
}

int CRegisterTablePrinter::layout(const QPaintDevice& device) {
    device_ = &device;
    set_fonts(device);
    width_ = device.width();
    height_ = device.height();
    set_column_widths();
    pages_.assign(1, page_rows{});
    double y = head_height() + title_block_height() + headings_height();
    const double top_of_next_page = head_height() + headings_height();
    for (std::size_t i = 0; i < report_.rows.size(); ++i) {
        const double h = row_height(report_.rows[i]);
        // A row that does not fit starts a page; one taller than a page has one of its own.
        if (y + h > height_ && !pages_.back().rows.empty()) {
            pages_.emplace_back();
            y = top_of_next_page;
        }
        pages_.back().rows.push_back({static_cast<int>(i), y});
        y += h;
    }
    return page_count();
}

double CRegisterTablePrinter::paint_head(QPainter& painter, int page) const {
    painter.setFont(small_bold_);
    const double line = QFontMetricsF(small_bold_, device_).lineSpacing();
    const QRectF band(0, 0, width_, line);
    painter.drawText(band, Qt::AlignLeft | Qt::AlignTop,
                     QStringLiteral("%1: %2").arg(text(report_.title), text(report_.file_name)));
    painter.drawText(band, Qt::AlignRight | Qt::AlignTop,
                     QStringLiteral("Page %1 of %2").arg(page).arg(page_count()));
    const double rule = line + 2 * point_;
    painter.drawLine(QPointF(0, rule), QPointF(width_, rule));
    return head_height();
}

double CRegisterTablePrinter::paint_title_block(QPainter& painter, double top) const {
    painter.setFont(title_);
    const double title_line = QFontMetricsF(title_, device_).lineSpacing();
    painter.drawText(QRectF(0, top, width_, title_line), Qt::AlignLeft | Qt::AlignTop,
                     text(report_.title));
    double y = top + title_line + 4 * point_;
    const double label_width = label_width_points * point_;
    for (const auto& [label, value] : report_.block) {
        const double h = text_height(body_, width_ - label_width, text(value));
        painter.setFont(bold_);
        painter.drawText(QRectF(0, y, label_width, h), Qt::AlignLeft | Qt::AlignTop,
                         label.empty() ? QString() : text(label) + QLatin1Char(':'));
        painter.setFont(body_);
        painter.drawText(QRectF(label_width, y, width_ - label_width, h),
                         text_flags | Qt::TextWrapAnywhere, text(value));
        y += h;
    }
    return y + 8 * point_;
}

double CRegisterTablePrinter::paint_headings(QPainter& painter, double top) const {
    const double h = headings_height();
    const double pad = cell_padding_points * point_;
    painter.fillRect(QRectF(0, top, width_, h), QColor(0xe4, 0xe4, 0xe4));
    painter.setFont(bold_);
    const auto& headings = register_table_headings();
    for (int c = 0; c < table_column_count; ++c)
        painter.drawText(QRectF(column_x(c) + pad, top + pad, column_width(c) - 2 * pad, h),
                         Qt::AlignLeft | Qt::AlignTop,
                         QString::fromLatin1(headings[static_cast<std::size_t>(c)]));
    painter.drawLine(QPointF(0, top + h), QPointF(width_, top + h));
    return top + h;
}

void CRegisterTablePrinter::paint_row(QPainter& painter, const register_table_row& row,
                                      double top) const {
    const double pad = cell_padding_points * point_;
    double cells_bottom = top;
    for (int c = 0; c < table_column_count; ++c) {
        const double x = column_x(c) + pad;
        const double w = column_width(c) - 2 * pad;
        const QString cell = text(row.cells[static_cast<std::size_t>(c)]);
        double h = text_height(body_, w, cell);
        painter.setFont(c == table_register ? bold_ : body_);
        painter.drawText(QRectF(x, top + pad, w, h), text_flags, cell);
        if (c == table_parameter && !row.description.empty()) {
            const QString description = text(row.description);
            const double dh = text_height(italic_, w, description);
            painter.setFont(italic_);
            painter.setPen(QColor(0x50, 0x50, 0x50));
            painter.drawText(QRectF(x, top + pad + h, w, dh), text_flags, description);
            painter.setPen(Qt::black);
            h += dh;
        }
        cells_bottom = std::max(cells_bottom, top + pad + h);
    }
    if (row.bitmapped)
        paint_bits(painter, row, cells_bottom + pad);
    const double bottom = top + row_height(row);
    painter.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 0));
    painter.drawLine(QPointF(0, bottom), QPointF(width_, bottom));
    painter.setPen(Qt::black);
}

void CRegisterTablePrinter::paint_bits(QPainter& painter, const register_table_row& row,
                                       double top) const {
    const double line = QFontMetricsF(small_, device_).lineSpacing();
    double x = column_x(table_parameter) + cell_padding_points * point_;
    std::array<double, bit_table_column_count> xs{};
    for (std::size_t c = 0; c < xs.size(); ++c) {
        xs[c] = x;
        x += bit_column_points[c] * point_;
    }
    const auto headings = bit_table_headings(row.commands);
    painter.setFont(small_bold_);
    for (std::size_t c = 0; c < xs.size(); ++c)
        painter.drawText(QRectF(xs[c], top, bit_column_points[c] * point_, line),
                         Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(headings[c]));
    painter.setFont(small_);
    double y = top + line;
    if (row.bits.empty())
        painter.drawText(QRectF(xs[0], y, x - xs[0], line), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("No bit in use"));
    for (const auto& bit : row.bits) {
        for (std::size_t c = 0; c < xs.size(); ++c)
            painter.drawText(QRectF(xs[c], y, bit_column_points[c] * point_, line),
                             Qt::AlignLeft | Qt::AlignTop, text(bit[c]));
        y += line;
    }
}

void CRegisterTablePrinter::paint_page(QPainter& painter, int page) const {
    if (page < 1 || page > page_count())
        return;
    painter.setPen(Qt::black);
    double y = paint_head(painter, page);
    if (page == 1)
        y = paint_title_block(painter, y);
    paint_headings(painter, y);
    const page_rows& rows = pages_[static_cast<std::size_t>(page - 1)];
    if (page == 1 && rows.rows.empty()) {
        painter.setFont(body_);
        painter.drawText(QRectF(0, y + headings_height() + 4 * point_, width_, height_),
                         Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("The map holds no register."));
    }
    for (const placed_row& placed : rows.rows)
        paint_row(painter, report_.rows[static_cast<std::size_t>(placed.row)], placed.top);
}

bool CRegisterTablePrinter::print(QPagedPaintDevice& device, int first, int last,
                                  const progress_t& progress) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    layout(device);
    first = std::max(first, 1);
    last = std::min(last, page_count());
    for (int page = first; page <= last; ++page) {
        if (progress && !progress(page, page_count())) {
            painter.end();
            return false;
        }
        if (page > first)
            device.newPage();
        paint_page(painter, page);
    }
    painter.end();
    return true;
}

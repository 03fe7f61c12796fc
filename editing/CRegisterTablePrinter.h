#pragma once
// Lays out and paints the printed register table: every page starts with a running head
// (the map's name and "Page n of m") and the column headings; the first page also carries the
// title block. A register's row and its bit table stay together on one page. The layout is
// measured on the device it is printed on, so the printer and the PDF show the same pages.

#include "editing/register_table_report.h"

#include <QFont>

#include <array>
#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;
class QRectF;

class CRegisterTablePrinter {
  public:
    explicit CRegisterTablePrinter(register_table_report report);

    // Lays the table out on device's printable area; returns the number of pages (at least 1).
    int layout(const QPaintDevice& device);
    int page_count() const { return static_cast<int>(pages_.size()); }

    // Paints page (1-based) of the last layout with painter, active on the laid-out device.
    void paint_page(QPainter& painter, int page) const;

    // Tells how far printing got (the page being printed, the pages in all); false cancels.
    using progress_t = std::function<bool(int page, int pages)>;
    // Lays out on device and paints pages first to last (clamped), one a sheet. False when
    // painting could not start or progress cancelled it.
    bool print(QPagedPaintDevice& device, int first, int last, const progress_t& progress = {});

  private:
    struct placed_row {
        int row;
        double top; // from the top of the page's printable area
    };
    struct page_rows {
        std::vector<placed_row> rows;
    };

    void set_fonts(const QPaintDevice& device);
    void set_column_widths();
    double text_height(const QFont& font, double width, const QString& text) const;
    double row_height(const register_table_row& row) const;
    double title_block_height() const;
    double head_height() const;
    double headings_height() const;
    double column_x(int column) const;
    double column_width(int column) const;
    // Paints the parts of a page; each returns the y below what it painted.
    double paint_head(QPainter& painter, int page) const;
    double paint_title_block(QPainter& painter, double top) const;
    double paint_headings(QPainter& painter, double top) const;
    void paint_row(QPainter& painter, const register_table_row& row, double top) const;
    void paint_bits(QPainter& painter, const register_table_row& row, double top) const;

    register_table_report report_;
    std::vector<page_rows> pages_;
    const QPaintDevice* device_ = nullptr;
    double width_ = 0;
    double height_ = 0;
    double point_ = 1; // device pixels per point
    std::array<double, table_column_count> widths_{};
    QFont body_, bold_, small_, small_bold_, italic_, title_;
};

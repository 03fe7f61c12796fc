#pragma once
// Paints a printed register list: the saved file's path at the top, 66 of its lines a page
// in a fixed-pitch font, and "Page %d / %d" at the bottom right. The page is laid out in
// twips (1/1440 inch) from the top left of the printable area and converted to the device's
// resolution, so the printer, the print preview and the PDF of tessaly-cli show the same
// pages.

#include "printing/print_pages.h"

#include <QFont>

class QPagedPaintDevice;
class QPainter;
class QPaintDevice;
class QPrinter;

class CRegisterPrinter {
  public:
    explicit CRegisterPrinter(print_document document);

    int page_count() const { return document_.page_count(); }
    const print_document& document() const { return document_; }

    // The print font for device: "Courier New" (or the platform's fixed-pitch face in its
    // place) sized so that one line takes 200 twips.
    static QFont print_font(const QPaintDevice& device);

    // Paints page (1-based) with painter, which must be active on its device.
    void paint_page(QPainter& painter, int page) const;

    // Prints the printer's page range (every page when it has none) onto printer; false when
    // painting on the printer cannot start.
    bool print(QPrinter& printer) const;
    // Paints pages first to last (1-based, clamped to the job) onto device, one a sheet.
    bool print(QPagedPaintDevice& device, int first, int last) const;

  private:
    print_document document_;
};

#pragma once
// The "Compare with Device" window: how the configuration a card holds differs from a map as
// the card would hold it, one row per difference (the device line, a header line or a
// register; the field; the value in the map; the value on the card), or the message that the
// card holds the map. It shows one comparison as it was made; the application keeps at most
// one such window and reuses it.

#include "editing/CResultWindow.h"
#include "model/map_diff.h"

#include <vector>

class CDeviceCompareDlg : public CResultWindow {
    Q_OBJECT
  public:
    explicit CDeviceCompareDlg(QWidget* parent = nullptr);

    // Shows the differences of the map titled title (the map first, the card second).
    void set_differences(const QString& title, std::vector<map_difference> differences);
    int difference_count() const { return static_cast<int>(differences_.size()); }

  private:
    QString cell_text(int row, int column) const;

    std::vector<map_difference> differences_;
};

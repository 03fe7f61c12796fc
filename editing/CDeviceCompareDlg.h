#pragma once
// The "Compare with Device" window: what the card holds against a map. First one row per
// finding of the map check (what the card does not get as the map says: the card holds
// something else there, even when it holds exactly what it was sent), then one row per
// difference between the map as the card would hold it and the card's configuration (the
// device line, a header line or a register; the field; the value in the map; the value on the
// card). "The card holds this map." only when there is neither. Double-clicking a row of a
// register, or Enter on it, selects that register in the map's register list. It shows one
// comparison as it was made; the application keeps at most one such window and reuses it.

#include "editing/CResultWindow.h"
#include "model/map_check.h"
#include "model/map_diff.h"

#include <QPointer>

#include <vector>

class CRegisterView;

class CDeviceCompareDlg : public CResultWindow {
    Q_OBJECT
  public:
    explicit CDeviceCompareDlg(QWidget* parent = nullptr);

    // Shows the comparison for the map titled title that view lists (may be nullptr): the
    // check's findings, then the differences (the map first, the card second).
    void set_result(CRegisterView* view, const QString& title, std::vector<map_finding> findings,
                    std::vector<map_difference> differences);
    // A comparison without findings.
    void set_differences(const QString& title, std::vector<map_difference> differences);
    int finding_count() const { return static_cast<int>(findings_.size()); }
    int difference_count() const { return static_cast<int>(differences_.size()); }

    // Selects the register of the row in the register list; false for a row about the device
    // line or the header, or a register the list no longer shows.
    bool go_to_row(int row);

  private:
    QString cell_text(int row, int column) const;

    QPointer<CRegisterView> view_;
    std::vector<map_finding> findings_;
    std::vector<map_difference> differences_;
};

#pragma once
// The "Check Map" window: what the card would not get as a map says, one finding a row (the
// register it is about, or the header; the finding). Double-clicking a finding, or Enter on
// it, selects its register in the register list of the map's window. The application keeps at
// most one such window and reuses it; it closes when the register list it refers to goes.

#include "editing/CResultWindow.h"
#include "format/map_check.h"

#include <QMetaObject>
#include <QPointer>

#include <vector>

class CRegisterView;
class QLabel;

class CMapCheckDlg : public CResultWindow {
    Q_OBJECT
  public:
    explicit CMapCheckDlg(QWidget* parent = nullptr);

    // Shows the findings for the map titled title that view lists; note, when not empty, is
    // said with the summary (a check that was skipped).
    void set_findings(CRegisterView* view, const QString& title, std::vector<map_finding> findings,
                      const QString& note);
    int finding_count() const { return static_cast<int>(findings_.size()); }
    CRegisterView* register_view() const;

    // Selects the register of the finding at row in the register list and brings the list's
    // window to the front; false for a finding about the header or a register the list no
    // longer shows.
    bool go_to_finding(int row);

  private:
    QString cell_text(int row, int column) const;

    QPointer<CRegisterView> view_;
    QMetaObject::Connection view_gone_;
    std::vector<map_finding> findings_;
    QLabel* hint_;
};

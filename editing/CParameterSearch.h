#pragma once
// The search box above the register dialog's parameter tree: the tree keeps the parameters
// whose name or description contains the typed text (with the groups that hold them, opened),
// and every item again once the box is empty. Down moves into the tree; Escape empties the box
// (and closes the dialog only when it is empty already).

#include <QLineEdit>

class QTreeWidget;
class QTreeWidgetItem;

class CParameterSearch : public QLineEdit {
    Q_OBJECT
  public:
    CParameterSearch(QTreeWidget* tree, QWidget* parent = nullptr);

    // Shows the items matching text (all for an empty text); returns how many parameters show.
    int filter(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // Shows item when it, an item above it, or one below it matches; true when shown.
    bool show_matching(QTreeWidgetItem* item, const QString& text, bool above_matches, int& shown);

    QTreeWidget* tree_;
};

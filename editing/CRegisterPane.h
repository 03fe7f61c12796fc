#pragma once
// The lower pane of a document window: a slim find bar (a filter box and the count of the
// rows shown) above the register list. The list keeps the rows whose register number,
// feeder, parameter or format contains the box's text; Escape in the box clears it.

#include <QWidget>

class CRegisterDialogs;
class CRegisterView;
class CTessalyDoc;
class QLabel;
class QLineEdit;
class QTimer;

class CRegisterPane : public QWidget {
    Q_OBJECT
  public:
    CRegisterPane(CTessalyDoc* doc, CRegisterDialogs& dialogs, QWidget* parent = nullptr);

    CRegisterView* view() const { return view_; }
    QLineEdit* find_box() const { return find_; }
    // "600 registers", or "12 of 600 registers" while the filter hides some.
    QString count_text() const;

    // Edit > Find: puts the cursor in the filter box, its text selected.
    void start_find();
    // Filters the list by text at once (typing waits for a pause first).
    void set_filter_text(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void update_count();

    CRegisterView* view_;
    QLineEdit* find_;
    QLabel* count_;
    QTimer* typing_;
};

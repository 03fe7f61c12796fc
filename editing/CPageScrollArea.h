#pragma once
// A page of a dialog that scrolls when the dialog is held smaller than the page needs (a small
// screen, large scaling). Otherwise it asks for the size a window without scrolling would
// open at (unlike a plain scroll area, whose size hint is capped), so on a roomy screen the
// dialog looks as it would without it.

#include <QScrollArea>

class CPageScrollArea : public QScrollArea {
    Q_OBJECT
  public:
    explicit CPageScrollArea(QWidget* parent = nullptr);

    // Fills page with a scroll area and returns the widget the page's controls go into.
    static QWidget* content_of(QWidget* page);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

#pragma once
// The help window: the HTML help pages shipped with the program, with a contents page and
// one page per help context number.

#include <QDialog>

class QTextBrowser;

class CHelpWindow : public QDialog {
    Q_OBJECT
  public:
    // folder: where the pages are (index.html is the contents page).
    explicit CHelpWindow(const QString& folder, QWidget* parent = nullptr);

    // Shows the contents page, or the page of a context number (unknown numbers show the
    // contents page).
    void show_contents();
    void show_context(int context);
    // Shows a page of the help folder ("registers.html").
    void show_page(const QString& page);
    QTextBrowser* browser() const { return browser_; }

    // The page of a context number, relative to the help folder.
    static QString page_of_context(int context);
    // The contents page.
    static const char* contents_page;

  private:
    QString folder_;
    QTextBrowser* browser_;
};

#pragma once
// Help for what the user points at. F1 shows the help page of the window or dialog that has
// the keyboard focus; context help (Shift+F1 or the toolbar's help button) waits for the next
// click on a toolbar button, a menu command or a window and shows that one's page instead of
// carrying it out. Escape leaves context help without a page.

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

class CContextHelp : public QObject {
    Q_OBJECT
  public:
    using page_viewer = std::function<void(const QString& page)>;

    // Watches the application's input; show opens a help page.
    explicit CContextHelp(page_viewer show, QObject* parent = nullptr);
    ~CContextHelp() override;

    // Enters context help: the next command, button or window clicked shows its page.
    void start();
    bool active() const { return active_; }
    // While context help is active: shows the page of command id and takes the command
    // (true); otherwise false, and the command runs.
    bool take_command(int id);

    // The page of a command, or the contents page.
    static QString page_of_command(int id);
    // The page of the window or dialog widget belongs to (its nearest ancestor with a page),
    // or the contents page.
    static QString page_of_widget(const QWidget* widget);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void finish();

    page_viewer show_;
    bool active_ = false;
};

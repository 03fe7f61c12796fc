#pragma once
// The window of one document inside the main window: a splitter of two rows, the protocol
// settings form of the header's class above and the register list below.

#include <QMdiSubWindow>
#include <QPointer>

#include <functional>

class CLiveValuesWindow;
class CTessalyDoc;
class CProtocolDialogs;
class CProtocolForm;
class CRegisterDialogs;
class CRegisterPane;
class CRegisterView;
class QSplitter;
class QWidget;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    // Shows doc and takes it over: the document goes with its window. Its panes run their
    // dialogs through protocol_dialogs and register_dialogs, which must outlive it.
    CChildFrame(CTessalyDoc* doc, CProtocolDialogs& protocol_dialogs,
                CRegisterDialogs& register_dialogs, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CTessalyDoc* document() const { return doc_; }
    CRegisterView* register_view() const { return view_; }
    // The lower pane: the find bar and the register list.
    CRegisterPane* register_pane() const { return pane_; }
    // The current protocol form in the upper pane.
    QWidget* form() const { return form_; }
    // The protocol form when it is the pane holding the keyboard focus (the active view),
    // else nullptr: the Properties command then opens the header's settings dialog.
    CProtocolForm* active_form() const;
    QSplitter* splitter() const { return splitter_; }

    // Asked before the window closes (the save question); false keeps it open.
    void set_close_guard(std::function<bool()> guard) { close_guard_ = std::move(guard); }

    // Replaces the upper pane with the form of the header's class, sized as the header
    // says, then shows the window maximised.
    void rebuild_form_pane();

    // Shows the document's Live Values window, opening it first; it closes with the document.
    CLiveValuesWindow* show_live_values();
    // The open Live Values window, or nullptr.
    CLiveValuesWindow* live_values() const;

    // Moves the keyboard focus to the next (or previous) pane of the splitter (F6, Shift+F6).
    void focus_next_pane(bool forward);

  signals:
    // Something the enabled state of a command depends on changed in this window (the
    // register list's selection or rows).
    void command_state_changed();

  protected:
    // Runs the close guard for a modified document.
    void closeEvent(QCloseEvent* event) override;

  private:
    void update_title();
    // Gives the form pane the height the header asks for.
    void size_form_pane();

    CTessalyDoc* doc_;
    CProtocolDialogs& protocol_dialogs_;
    QSplitter* splitter_ = nullptr;
    QWidget* form_ = nullptr;
    CRegisterPane* pane_ = nullptr;
    CRegisterView* view_ = nullptr;
    QPointer<CLiveValuesWindow> live_;
    std::function<bool()> close_guard_;
};

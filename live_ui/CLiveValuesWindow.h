#pragma once
// The Live Values window of one document: the map's registers with the values the card gives
// its host right now, decoded as the map says, polled over the map's Modbus or Modbus/TCP
// connection (or the one the user enters), with writes in place, a bit editor for command
// words and a CSV recording. The rows follow the map while it is edited; nothing the map's
// history does reaches the card. A map that live values cannot read shows why instead of a
// table. The window polls only while it is shown and Start is on.

#include "live/live_map.h"
#include "live_ui/live_recorder.h"

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <optional>

class CCommandBitsDialog;
class CLiveConnectionBar;
class CLiveSession;
class CLiveTableModel;
class CLiveTableView;
class CTessalyDoc;
class QLabel;
class QSettings;
class QStackedWidget;
struct poll_result;

class CLiveValuesWindow : public QWidget {
    Q_OBJECT
  public:
    // store keeps the connection last used for each map file; doc and store must outlive
    // the window.
    CLiveValuesWindow(CTessalyDoc* doc, QSettings& store, QWidget* parent = nullptr);
    ~CLiveValuesWindow() override;

    CTessalyDoc* document() const { return doc_; }
    CLiveConnectionBar* connection_bar() const { return bar_; }
    CLiveTableView* table() const { return view_; }
    CLiveTableModel* model() const { return model_; }
    // Why the map has no live values, shown instead of the table; empty when it has.
    QString refusal() const;

    // Makes the row of the register numbered number the current one, scrolled into view;
    // false when the table has no such row.
    bool show_register(int number);

    // Start and Stop as the buttons do them.
    void start();
    void stop();
    bool running() const;

    // Records every round to path from now on (Record... after its file dialog). False, with
    // the message shown, when the file cannot be written.
    bool start_recording(const QString& path);
    void stop_recording();
    bool recording() const { return recorder_.is_open(); }

    // Opens the bit editor of the command register in row (F2 or a double-click on it).
    CCommandBitsDialog* open_command_bits(int row);
    // The message box last shown for a refused or failed write, while it is open.
    QMessageBox* message_box() const { return message_box_; }

  protected:
    void hideEvent(QHideEvent* event) override;

  private:
    // Takes the map as it is now: its registers, or the reason it has no live values.
    void take_map();
    void map_changed();
    void round_finished(const poll_result& result);
    void write_value(int row, const QString& typed);
    void ask_recording();
    void show_message(const QString& text);
    void show_footer();
    void interval_changed(double seconds);
    void place_beside_parent();

    CTessalyDoc* doc_;
    QSettings& store_;
    CLiveConnectionBar* bar_;
    QStackedWidget* pages_;
    CLiveTableModel* model_;
    CLiveTableView* view_;
    QLabel* refusal_;
    QLabel* footer_;
    CLiveSession* session_;
    live_recorder recorder_;
    QPointer<QMessageBox> message_box_;
    std::optional<connection_settings> implied_; // the connection the map implies
    bool map_dirty_ = false;
};

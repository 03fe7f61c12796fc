#pragma once
// The table of the Live Values window: one row per register of the map in register order,
// with its register numbers, feeder, parameter, format, value, raw words, status, age and
// trend. A round of readings changes only the cells whose text (or look) it changes, and
// the model tells the view about those cells alone, so that a full card polled every second
// repaints what moved and nothing else.

#include "live_ui/live_row.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QTimer>

#include <optional>
#include <vector>

class CLiveTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit CLiveTableModel(QObject* parent = nullptr);

    // The registers to show, with the names of the bitmapped registers' bits (one entry per
    // register). A row that shows the same register keeps its value and trend; rows of
    // registers that are gone are removed and new ones inserted, so the view keeps its place.
    void set_registers(const std::vector<live_register>& registers,
                       const std::vector<std::optional<bit_names>>& bits);
    void set_timing(const live_timing& timing) { timing_ = timing; }
    // Whether values can be written (only while the card is being polled).
    void set_writes_allowed(bool allowed) { writes_allowed_ = allowed; }

    // A finished round: readings in row order, or the connection's failure for every row.
    void take_round(const poll_result& result, double now);
    // Shows a write's outcome in the row's status for a few seconds.
    void note_write(int row, const std::string& note, double now);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // An edit of a value cell asks for a write (write_requested); the cell itself changes
    // only when the card gives the value back.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    const live_row& row(int r) const { return rows_[static_cast<std::size_t>(r)]; }
    // The row of the register numbered number, or -1.
    int row_of(int number) const;

    // Seconds on the steady clock the rounds are timed with.
    static double now();

  signals:
    void write_requested(int row, const QString& typed);

  private:
    void emit_cells(int row, cell_mask mask);
    void end_highlights();

    std::vector<live_row> rows_;
    live_timing timing_;
    bool writes_allowed_ = false;
    QTimer highlight_timer_;
    mutable QIcon error_icon_;
};

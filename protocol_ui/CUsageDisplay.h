#pragma once
// The "Memory Usage" group of the block-mapped windows: four bars with their labels for I/O
// input, I/O output, Param input and Param output. The settings dialogs label the counts in
// registers, the block definitions editor in bytes; the bars always show bytes.

#include "model/block_rules.h"

#include <QGroupBox>

#include <array>

class QLabel;
class QProgressBar;

class CUsageDisplay : public QGroupBox {
    Q_OBJECT
  public:
    enum unit_t { registers, bytes };

    explicit CUsageDisplay(unit_t unit, QWidget* parent = nullptr);

    // Sets the bar ranges: I/O 0 to 512, Param 0 to 1024.
    void set_ranges();
    // Rewrites the four labels and positions the four bars for usage (given in registers).
    void show_usage(const block_usage& usage);

    QLabel* label(int index) const { return labels_[static_cast<std::size_t>(index)]; }
    QProgressBar* bar(int index) const { return bars_[static_cast<std::size_t>(index)]; }

  private:
    unit_t unit_;
    std::array<QLabel*, 4> labels_{};
    std::array<QProgressBar*, 4> bars_{};
};

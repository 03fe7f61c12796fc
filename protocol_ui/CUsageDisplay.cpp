#include "protocol_ui/CUsageDisplay.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
struct counter_format {
    const char* in_registers;
    const char* in_bytes;
    int bar_high;
};
constexpr counter_format counter_formats[4] = {
    {"I/O Input: (%1 / 256 regs)", "I/O Input: (%1 / 512 bytes)", 512},
    {"I/O Output: (%1 / 256 regs)", "I/O Output: (%1 / 512 bytes)", 512},
    {"Param Input: (%1 / 512 regs)", "Param Input: (%1 / 1024 bytes)", 1024},
    {"Param Output: (%1 / 512 regs)", "Param Output: (%1 / 1024 bytes)", 1024},
};
} // namespace

CUsageDisplay::CUsageDisplay(unit_t unit, QWidget* parent)
    : QGroupBox(tr("Memory Usage"), parent), unit_(unit) {
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        labels_[i] = new QLabel(this);
        bars_[i] = new QProgressBar(this);
        bars_[i]->setTextVisible(false);
        bars_[i]->setFixedHeight(14);
        bars_[i]->setMinimumWidth(180);
        layout->addWidget(labels_[i]);
        layout->addWidget(bars_[i]);
    }
    layout->addStretch(1);
    show_usage({});
}

void CUsageDisplay::set_ranges() {
    for (std::size_t i = 0; i < bars_.size(); ++i)
        bars_[i]->setRange(0, counter_formats[i].bar_high);
}

void CUsageDisplay::show_usage(const block_usage& usage) {
    const int values[4] = {usage.io_input, usage.io_output, usage.param_input, usage.param_output};
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const counter_format& f = counter_formats[i];
        const int shown = unit_ == bytes ? values[i] * 2 : values[i];
        labels_[i]->setText(
            QString::fromUtf8(unit_ == bytes ? f.in_bytes : f.in_registers).arg(shown));
        bars_[i]->setValue(std::clamp(values[i] * 2, bars_[i]->minimum(), bars_[i]->maximum()));
    }
}

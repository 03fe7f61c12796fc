#pragma once
// Base of the DeviceNet and EtherNet/IP settings forms: the list of the header's blocks and
// the read-only register counts of the "I/O Area" and "Param Area" groups. Blocks are changed
// through the settings dialog; a double-click in the list opens it.

#include "protocol_ui/CProtocolForm.h"

#include <array>

class CBlockList;
class QGroupBox;
class QLineEdit;

class CBlockMappedForm : public CProtocolForm {
    Q_OBJECT
  public:
    CBlockList* block_list() const { return blocks_; }
    // The counts: I/O input, I/O output, Param input, Param output.
    QLineEdit* count(int index) const { return counts_[static_cast<std::size_t>(index)]; }

  protected:
    CBlockMappedForm(CTessalyDoc* doc, QWidget* parent);

    void prepare() override;
    // Lists the header's blocks and shows its stored register totals.
    void fill_blocks(const protocol_header& header);
    QGroupBox* io_area() const { return io_area_; }
    QGroupBox* param_area() const { return param_area_; }

  private:
    CBlockList* blocks_;
    std::array<QLineEdit*, 4> counts_{};
    QGroupBox* io_area_;
    QGroupBox* param_area_;
};

#pragma once
// "Block Properties": the starting register and the number of registers of one block.

#include <QDialog>

class CIntegerEdit;

class CBlockPropDIALOG : public QDialog {
    Q_OBJECT
  public:
    CBlockPropDIALOG(int base, int length, QWidget* parent = nullptr);

    int base() const { return base_; }
    int length() const { return length_; }
    CIntegerEdit* base_edit() const { return base_edit_; }
    CIntegerEdit* length_edit() const { return length_edit_; }

    // Reads both fields as OK does; false (with the refusal shown) when one is refused.
    bool read_fields();

  public slots:
    void accept() override;

  private:
    CIntegerEdit* base_edit_;
    CIntegerEdit* length_edit_;
    int base_;
    int length_;
};

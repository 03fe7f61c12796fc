#pragma once
// The layout both bit pages of the register dialog share: sixteen groups titled "Bit 15" to
// "Bit 0", bit 15 (marked "MSB") to bit 8 in the upper row and bit 7 to bit 0 (marked "LSB")
// in the lower row, each group holding three labelled fields; then the legend in columns.

#include <QList>
#include <QString>

#include <functional>
#include <span>
#include <string_view>

class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

// The three fields of one bit, made by the page.
struct bit_fields {
    QWidget* first;
    QWidget* second;
    QWidget* third;
};

// Adds the sixteen groups to layout; make(bit, group) creates the bit's fields inside group.
// labels are the three field labels (with mnemonics). Each field's accessible name is its
// label and its accessible description the group's title.
void add_bit_groups(QWidget* page, QBoxLayout* layout, std::span<const QString, 3> labels,
                    const std::function<bit_fields(int bit, QWidget* group)>& make);
// Adds the legend lines in columns of at most rows lines; returns the labels in order.
QList<QLabel*> add_legend(QWidget* page, QBoxLayout* layout,
                          std::span<const std::string_view> lines, int rows);

// A bit's number field (feeder, bit position).
QLineEdit* bit_number_field(QWidget* group);
// A bit's mnemonic: chosen from the list or typed, kept as typed (mnemonics are case-sensitive,
// and typing adds nothing to the list).
QComboBox* bit_mnemonic_box(QWidget* group);

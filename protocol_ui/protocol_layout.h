#pragma once
// How the settings windows of a protocol lay out its values, as data: for each form class the
// form above the register list and the settings dialog, each a grid (or a column of sections)
// of pieces: a value's control, its label, a titled group of pieces, or a part of the block
// table (list, counts, memory usage, the way into the block editor). The form builder
// (CProtocolForm) and the dialog builder (CSettingsDialog) build every window from these.

#include "model/protocol_description.h"
#include "protocol_ui/CIntegerEdit.h"

#include <Qt>

#include <span>

class CChoiceGroup;
class CProtocolForm;
class CSettingsDialog;
class protocol_header;

enum class piece_kind : unsigned char {
    control,      // the value's control: a choice group, or a field with its label
    rows,         // a column of labelled controls (a form layout), in a titled group if titled
    grid,         // a grid of pieces, in a titled group if titled
    note,         // a wrapped text
    block_label,  // the label of the block list
    block_list,   // the list of the header's blocks
    io_area,      // the read-only I/O register counts (forms)
    param_area,   // the read-only Param register counts (forms)
    usage,        // the memory usage bars (dialogs)
    change_button // "Change Block Definitions" (dialogs)
};

struct piece {
    piece_kind kind = piece_kind::control;
    header_field field = header_field::baud;
    // A choice group's or a group's title; a field's label, placed left of the field (in the
    // piece's cell, the field in the next column) or above it (the field in the next row);
    // the text of a note or of the block list's label.
    const char* text = nullptr;
    int row = 0;
    int column = 0;
    int rows = 1;
    int columns = 1;
    Qt::Alignment align = {};
    bool label_above = false;
    // An integer field's kind and range, and its widest width (0: as wide as laid out).
    CIntegerEdit::kind_t integer = CIntegerEdit::signed_any;
    int low = 0;
    int high = 0;
    int width = 0;
    // What a group holds; a grid whose first three columns share the width alike.
    std::span<const piece> inside = {};
    bool even = false;
};

struct protocol_layout {
    form_class_t form;
    // The names of the form and of the dialog, and the dialog's title.
    const char* form_name;
    const char* dialog_name;
    const char* dialog_title;
    std::span<const char* const> baud_labels;
    std::span<const char* const> mode_labels;
    std::span<const char* const> byte_order_labels;
    // The form: one grid, the column and row that take the spare room, the spacing between
    // columns (-1 the style's).
    std::span<const piece> form_grid;
    int stretch_column;
    int stretch_row;
    int spacing;
    // The dialog: its sections top to bottom.
    std::span<const piece> dialog;
    int help_context = 0; // a "Help" button for this topic; 0 none
    // The device rules: what the form and the dialog offer the header's device.
    void (*form_rule)(CProtocolForm& form, protocol_header& header) = nullptr;
    void (*dialog_rule)(CSettingsDialog& dialog, int device_code) = nullptr;
};

// The layout of a form class (the generic one for a class without a layout of its own).
const protocol_layout& layout_for(form_class_t form);

// The control of a value as a layout shows it (not yet placed): a choice group, an integer
// field or an address control.
QWidget* make_control(const protocol_layout& layout, const piece& p, QWidget* parent);
// The value a choice's button position stands for (-1 for none), and the position of a value's
// button (-1 for none): data bits count from 7, the modes are the protocol's.
int choice_value(header_field field, const protocol_description& protocol, int position);
int choice_position(header_field field, const protocol_description& protocol, int value);
// True for the values shown as choice groups.
bool is_choice(header_field field);

#include "protocol_ui/settings_controls.h"

#include "protocol_ui/CChoiceGroup.h"
#include "protocol_ui/CIntegerEdit.h"
#include "protocol_ui/CIpAddressEdit.h"
#include "protocol_ui/accessible_labels.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

namespace {
// The narrow margins of the forms above the register list.
void make_compact(QGridLayout* grid) {
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setVerticalSpacing(2);
}
} // namespace

settings_controls::settings_controls(const protocol_layout& layout,
                                     const protocol_description& protocol, QWidget* owner,
                                     bool form)
    : layout_(layout), protocol_(protocol), owner_(owner), form_(form) {}

QWidget* settings_controls::find(header_field field) const {
    for (const auto& [f, widget] : controls_)
        if (f == field)
            return widget;
    return nullptr;
}

void settings_controls::make_controls(std::span<const piece> pieces) {
    for (const piece& p : pieces) {
        if (p.kind == piece_kind::control)
            control(p);
        else if (p.kind == piece_kind::grid || p.kind == piece_kind::rows)
            make_controls(p.inside);
    }
}

QWidget* settings_controls::control(const piece& p) {
    if (QWidget* made = find(p.field))
        return made;
    QWidget* made = make_control(layout_, p, owner_);
    if (auto* edit = qobject_cast<CIntegerEdit*>(made)) {
        if (form_)
            edit->setMaximumWidth(90);
        else if (p.width > 0)
            edit->setMaximumWidth(p.width);
    }
    controls_.emplace_back(p.field, made);
    return made;
}

void settings_controls::lay_out(QGridLayout* grid, std::span<const piece> pieces,
                                const std::function<QWidget*(const piece&)>& part) {
    make_controls(pieces);
    for (const piece& p : pieces) {
        QWidget* widget = nullptr;
        switch (p.kind) {
        case piece_kind::control:
            widget = find(p.field);
            if (p.text && !is_choice(p.field)) {
                // The label in the piece's cell, the field beside or below it.
                QLabel* label = control_label(QObject::tr(p.text), widget);
                if (p.label_above) {
                    grid->addWidget(label, p.row, p.column, Qt::AlignBottom);
                    grid->addWidget(widget, p.row + 1, p.column, Qt::AlignTop);
                } else {
                    grid->addWidget(label, p.row, p.column);
                    grid->addWidget(widget, p.row, p.column + 1);
                }
                continue;
            }
            break;
        case piece_kind::rows:
        case piece_kind::grid:
            widget = group(p, part);
            break;
        default:
            widget = part ? part(p) : nullptr;
            break;
        }
        if (widget)
            grid->addWidget(widget, p.row, p.column, p.rows, p.columns, p.align);
    }
}

QLayout* settings_controls::inner_layout(const piece& p, QWidget* box,
                                         const std::function<QWidget*(const piece&)>& part) {
    if (p.kind == piece_kind::grid) {
        auto* grid = box ? new QGridLayout(box) : new QGridLayout;
        // Groups of a form keep the form's narrow margins; a dialog's grid shares its first
        // columns alike when it asks to.
        if (box)
            make_compact(grid);
        lay_out(grid, p.inside, part);
        if (p.even)
            for (int c = 0; c < 3; ++c)
                grid->setColumnStretch(c, 1);
        return grid;
    }
    auto* rows = box ? new QFormLayout(box) : new QFormLayout;
    for (const piece& r : p.inside) {
        QWidget* made = control(r);
        // Addresses are named after their label, octet by octet; integer fields go by the
        // label beside them.
        if (address(r.field))
            rows->addRow(control_label(QObject::tr(r.text), made), made);
        else
            rows->addRow(QObject::tr(r.text), made);
    }
    return rows;
}

QWidget* settings_controls::group(const piece& p,
                                  const std::function<QWidget*(const piece&)>& part) {
    auto* box = new QGroupBox(QObject::tr(p.text), owner_);
    inner_layout(p, box, part);
    return box;
}

CChoiceGroup* settings_controls::choice(header_field field) const {
    return qobject_cast<CChoiceGroup*>(find(field));
}

CIntegerEdit* settings_controls::integer(header_field field) const {
    return qobject_cast<CIntegerEdit*>(find(field));
}

CIpAddressEdit* settings_controls::address(header_field field) const {
    return qobject_cast<CIpAddressEdit*>(find(field));
}

void settings_controls::show(const header_values& values, bool chosen_modes) const {
    for (const auto& [field, widget] : controls_) {
        if (auto* group = qobject_cast<CChoiceGroup*>(widget)) {
            int value = *values.integer(field);
            if (chosen_modes && field == header_field::mode)
                value = protocol_.chosen_mode(value);
            group->set_checked(choice_position(field, protocol_, value));
        } else if (auto* edit = qobject_cast<CIntegerEdit*>(widget)) {
            edit->set_value(*values.integer(field));
        } else if (auto* address = qobject_cast<CIpAddressEdit*>(widget)) {
            address->set_value(*values.address(field));
        }
    }
}

void settings_controls::take_choices_and_addresses(header_values& values) const {
    for (const auto& [field, widget] : controls_) {
        if (auto* group = qobject_cast<CChoiceGroup*>(widget)) {
            if (group->checked() >= 0)
                *values.integer(field) = choice_value(field, protocol_, group->checked());
        } else if (auto* address = qobject_cast<CIpAddressEdit*>(widget)) {
            *values.address(field) = address->value();
        }
    }
}

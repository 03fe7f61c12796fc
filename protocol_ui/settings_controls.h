#pragma once
// The controls of a protocol's settings window, built from its layout: one control per value
// the layout shows, laid out in grids, columns of rows and titled groups, with their labels.
// The settings form and the settings dialog each keep one and add the parts of the block
// table they show.

#include "model/header_values.h"
#include "protocol_ui/protocol_layout.h"

#include <functional>
#include <span>
#include <utility>
#include <vector>

class CChoiceGroup;
class CIntegerEdit;
class CIpAddressEdit;
class QGridLayout;
class QLayout;
class QWidget;

class settings_controls {
  public:
    // Controls of layout for protocol, made in owner; a form's integer fields are at most 90
    // wide.
    settings_controls(const protocol_layout& layout, const protocol_description& protocol,
                      QWidget* owner, bool form);

    // Makes (or finds) the control of a piece's value.
    QWidget* control(const piece& p);
    // Places pieces in grid; part makes the block table's parts.
    void lay_out(QGridLayout* grid, std::span<const piece> pieces,
                 const std::function<QWidget*(const piece&)>& part = {});
    // The layout of a grid or a column of rows: inside box (a titled group) or, without one,
    // to be added to a layout.
    QLayout* inner_layout(const piece& p, QWidget* box,
                          const std::function<QWidget*(const piece&)>& part = {});
    // A titled group holding a grid or a column of rows.
    QWidget* group(const piece& p, const std::function<QWidget*(const piece&)>& part = {});

    CChoiceGroup* choice(header_field field) const;
    CIntegerEdit* integer(header_field field) const;
    CIpAddressEdit* address(header_field field) const;
    // Every control with its value, in the order made.
    const std::vector<std::pair<header_field, QWidget*>>& all() const { return controls_; }

    // Shows values in the controls (a choice without a button for its value is unchecked);
    // with chosen_modes the mode shows as the protocol's settings count it.
    void show(const header_values& values, bool chosen_modes) const;
    // Takes the checked choices and the addresses into values (a choice without a checked
    // button keeps its value); integer fields are left to the window.
    void take_choices_and_addresses(header_values& values) const;

    const protocol_layout& layout() const { return layout_; }
    const protocol_description& protocol() const { return protocol_; }

  private:
    QWidget* find(header_field field) const;
    // Makes the controls of pieces and of the groups among them, depth first: the controls
    // are made in the order the layout names them, so that a label placed before its control
    // names the right one.
    void make_controls(std::span<const piece> pieces);

    const protocol_layout& layout_;
    const protocol_description& protocol_;
    QWidget* owner_;
    bool form_;
    std::vector<std::pair<header_field, QWidget*>> controls_;
};

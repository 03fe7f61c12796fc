#pragma once
// Base of the protocol settings forms shown above the register list. A form shows the
// header's settings permanently: it fills its controls from the header, and every edit (each
// keystroke, each click) goes straight into the header through its apply_form. A double-click
// in the form, or the Properties command, runs the header's settings dialog.

#include "model/protocol_form_values.h"

#include <QScrollArea>

#include <span>
#include <vector>

class CTessalyDoc;
class CChoiceGroup;
class CIntegerEdit;
class CIpAddressEdit;
class protocol_header;
class QFormLayout;

class CProtocolForm : public QScrollArea {
    Q_OBJECT
  public:
    CProtocolForm(CTessalyDoc* doc, QWidget* parent);

    CTessalyDoc* document() const { return doc_; }
    // The document's header, or nullptr.
    protocol_header* header() const;

    // Prepares the controls (block list columns), fills them and sets initialised.
    void initial_update();
    // Copies the header's values into the controls and applies the form's device rule.
    void fill();
    // A control changed: reads the controls and hands them to the header.
    void on_change();
    // Runs the header's settings dialog starting from what the form shows.
    void on_properties();

    // The form's members as last read from its controls.
    const protocol_form_values& values() const { return values_; }

    bool filling = false;
    bool in_change = false;
    bool initialised = false;

  protected:
    // Called once before the first fill.
    virtual void prepare() {}
    // Writes the header's values into the controls (the choice groups are all unchecked).
    virtual void fill_controls(protocol_header& header) = 0;
    // The form's device rule, run at the end of a fill.
    virtual void apply_device_rule(protocol_header& header) { (void)header; }
    // Reads the controls into values_; a refused field keeps its previous value and, when
    // complain is set, shows its refusal message.
    virtual void read_controls(bool complain) = 0;
    // Whether the fill sets the filling flag (the TCP/IP forms do not).
    virtual bool fill_sets_filling() const { return true; }
    // A device rule's adjustment of the header's data bits and mode, through the document's
    // edit layer (directly on a header the form has no document for).
    void adjust_header(protocol_header& header, int data_bits, int mode,
                       bool counts_as_modification);

    // The header's own values as form values (the starting point of every fill); forms with
    // fields beyond the serial ones add theirs.
    virtual protocol_form_values header_values(const protocol_header& header) const;

    // Controls of the form; each one reports its changes to on_change().
    CChoiceGroup* add_choice(const QString& title, std::span<const char* const> labels);
    CIntegerEdit* add_integer(bool is_unsigned);
    CIpAddressEdit* add_address();
    // Reads an integer field into target unless its text is refused.
    void read_integer(CIntegerEdit* edit, int& target, bool complain) const;
    // Reads a choice into target unless no button is checked.
    static void read_choice(const CChoiceGroup* group, int& target, int offset = 0);

    // The widget that holds the form's controls (the scroll area's contents).
    QWidget* content() const { return content_; }

    bool eventFilter(QObject* watched, QEvent* event) override;

    protocol_form_values values_;

  private:
    // Whether an edit counts as a modification of the map.
    bool edits_count() const;

    CTessalyDoc* doc_;
    QWidget* content_;
    std::vector<CChoiceGroup*> choices_;
    // Set while the form writes its own controls, so that their change signals are ignored.
    bool writing_controls_ = false;
    // The control whose change is being handled (nullptr outside a change notification).
    QObject* changed_control_ = nullptr;
};

#pragma once
// The protocol settings form shown above the register list, built from the layout of the
// header's form class (the generic form while a document has no header). The form shows the
// header's settings permanently: it fills its controls from the header, and every edit (each
// keystroke, each click) goes straight into the header through the document's edit layer. A
// double-click in the form, or the Properties command, runs the header's settings dialog.
// Block-mapped headers show their blocks and register counts, changed through the dialog.

#include "model/header_values.h"
#include "protocol_ui/settings_controls.h"

#include <QScrollArea>

#include <array>

class CTessalyDoc;
class CBlockList;
class CChoiceGroup;
class CProtocolDialogs;
class CIntegerEdit;
class CIpAddressEdit;
class QGroupBox;
class QLineEdit;
class protocol_header;

class CProtocolForm : public QScrollArea {
    Q_OBJECT
  public:
    // The form of the document's header class, filled from the header; its settings dialog
    // runs through dialogs (which must outlive the form). The caller sizes the pane with the
    // header's form_pane_size() and creates a new form whenever the header is replaced.
    static CProtocolForm* create(CTessalyDoc* doc, CProtocolDialogs& dialogs, QWidget* parent);

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

    // The form's values as last read from its controls.
    const header_values& values() const { return values_; }

    const settings_controls& controls() const { return controls_; }
    CChoiceGroup* choice(header_field field) const { return controls_.choice(field); }
    CIntegerEdit* integer(header_field field) const { return controls_.integer(field); }
    CIpAddressEdit* address(header_field field) const { return controls_.address(field); }
    // Block-mapped forms: the block list and the counts (I/O input, I/O output, Param input,
    // Param output); nullptr elsewhere.
    CBlockList* block_list() const { return blocks_; }
    QLineEdit* count(int index) const { return counts_[static_cast<std::size_t>(index)]; }

    // A device rule's adjustment of the header's data bits and mode, through the document's
    // edit layer (directly on a header the form has no document for).
    void adjust_header(protocol_header& header, int data_bits, int mode,
                       bool counts_as_modification);

    bool filling = false;
    bool in_change = false;
    bool initialised = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    CProtocolForm(CTessalyDoc* doc, CProtocolDialogs& dialogs, const protocol_layout& layout,
                  const protocol_description& protocol, QWidget* parent);

    // The block table's parts of the layout.
    QWidget* block_part(const piece& p);
    // Reads the controls into values_; a refused field keeps its previous value and, when
    // complain is set, shows its refusal message.
    void read_controls(bool complain);
    // Lists the header's blocks and shows its stored register totals.
    void fill_blocks(const protocol_header& header);
    // Whether an edit counts as a modification of the map.
    bool edits_count() const;

    CTessalyDoc* doc_;
    CProtocolDialogs& dialogs_;
    const protocol_layout& layout_;
    QWidget* content_;
    settings_controls controls_;
    header_values values_;
    CBlockList* blocks_ = nullptr;
    std::array<QLineEdit*, 4> counts_{};
    // Set while the form writes its own controls, so that their change signals are ignored.
    bool writing_controls_ = false;
    // The control whose change is being handled (nullptr outside a change notification).
    QObject* changed_control_ = nullptr;
};

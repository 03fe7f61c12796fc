#pragma once
// The edit layer of a register map: every change a user makes to a map goes through here.
// The views run the dialogs: the edit layer gives the values a dialog starts from (with every
// adjustment the rules make before it opens) and takes the values chosen, applies the rules of
// OK and says what a list showing the map must rebuild; a register that would overlap another
// comes back refused, with the values the dialog reopens on. Delete and Paste place and remove
// registers; the host protocol selection, the settings dialog and the settings form's edits
// change the header. The list's own preparation (sorting, normalising) lives here too, so that
// a view only reads the map.
//
// Each change is one step of the map's undo history, which Undo and Redo walk. The register
// operations keep the list sorted by number and record the rows they touched; the header
// operations record the header they replaced.

#include "edit/map_history.h"
#include "model/host_register.h"
#include "model/host_selection.h"
#include "model/protocol_header.h"
#include "model/register_values.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class user_interface;
class zrp_file;

class map_editor {
  public:
    // What a view says when the values of a register dialog overlap another register (Retry
    // reopens the dialog).
    static constexpr const char* overlap_message =
        "Register already exists, or\noverlaps with another";

    // What a register list must rebuild after an operation.
    enum class refresh { nothing, one_row, all_rows };
    struct register_change {
        refresh scope = refresh::nothing;
        // The row of the register the operation added or edited, where it stands now (-1
        // when there is none); for one_row the row to rebuild.
        int row = -1;
        bool changed() const { return scope != refresh::nothing; }
    };

    // What OK in a register dialog gave: the change, or a refusal (the register would overlap
    // another) with the values the dialog reopens on.
    struct register_outcome {
        register_change change{};
        bool refused = false;
        register_dialog_values retry{};
        // With a refusal: the register it would overlap, as "It collides with register
        // 40008-40009 (F:1 Massflow).".
        std::string overlap_detail{};
    };
    // The overlap question for a refusal, with the register in the way as its detail; true on
    // Retry, which reopens the dialog on outcome.retry.
    static bool ask_retry(const register_outcome& outcome, user_interface& ui);

    // What a header operation did: the user confirmed it, and whether a header of another
    // protocol or device took the old one's place.
    struct header_change {
        bool accepted = false;
        bool replaced = false;
    };

    // What a paste did: the rows of the registers it put in (ascending), its counts, and the
    // one message to show once the list shows the result (empty: none).
    struct paste_result {
        register_change change;
        std::vector<int> rows;
        int pasted = 0;
        int renumbered = 0;
        int left_out = 0;
        bool codes_kept = false;
        std::string report;
    };

    // What Undo or Redo changed, for the views to follow.
    struct history_change {
        bool registers = false;
        bool header = false;
        // The header is of another protocol or device now: the settings form is rebuilt.
        bool header_replaced = false;
        // Rows of the registers the step put back or changed (ascending).
        std::vector<int> rows;
        bool changed() const { return registers || header; }
    };

    explicit map_editor(zrp_file& map) : map_(map) {}

    zrp_file& map() const { return map_; }
    map_history& history() { return history_; }
    const map_history& history() const { return history_; }

    // Before a list shows every row: the registers sorted by number and each normalised.
    void prepare_display();
    // Before a list shows one row again: that register normalised.
    void prepare_row(int row);

    // New Register: the values the dialog starts from, a renumbered copy of the template
    // register (or a fresh register); OK's values go to set_new_register, which adds the
    // register at its place by number unless it overlaps another.
    register_dialog_values new_register_values();
    register_outcome set_new_register(const register_dialog_values& chosen);
    // Properties of the register at row: the values the dialog starts from (none without such
    // a row), and OK's values, which replace the register unless they overlap another
    // register. The edit works on a copy until then.
    std::optional<register_dialog_values> properties_values(int row);
    register_outcome set_properties(int row, const register_dialog_values& chosen);
    // The register dialog was cancelled, or a refusal was not retried: nothing changes.
    void cancel_register_edit();
    // Deletes exactly the registers at rows, whatever their order and gaps.
    register_change delete_rows(const std::vector<int>& rows);
    // Cut: the deletion part (the caller has put the registers on the clipboard).
    register_change cut_rows(const std::vector<int>& rows);
    // Replaces the whole register list in one step (an imported register table): the
    // registers are added in their order under the overlap rule, and one that conflicts with
    // a register added before it is shown with the load's conflict message and left out. The
    // list keeps that order; a list showing the map sorts it when it rebuilds every row.
    register_change replace_registers(std::vector<std::unique_ptr<host_register>> registers,
                                      user_interface& ui);
    // Paste: the register entries of text, read as a map of source_device reads them (-1:
    // the text's own device line, else this map's device). A register whose number is free
    // keeps it; one that collides takes the map's next free number for its location, and is
    // left out when that one collides too. Status registers from a map of another device
    // keep their status codes. The result's report tells what was renumbered or left out
    // and when status codes were kept.
    paste_result paste(std::string_view text, int source_device = -1);

    // The host protocol selection: the values it starts from and the confirmed choice. Another
    // protocol or device replaces the header at once with the chosen protocol's defaults
    // (replaced); the view then offers the new header's settings dialog (header_dialog_values,
    // set_new_header_settings), which belongs to the same step.
    host_selection_values protocol_selection() const;
    header_change set_protocol(const host_selection_values& chosen);
    void set_new_header_settings(const header_values& chosen);
    // The header's settings dialog: the values it starts from after the protocol's rules have
    // adjusted the header for its device (telling ui; the adjustment stays when the dialog is
    // cancelled), none without a header; and OK's values (the block definitions editor is
    // reached from the dialog).
    std::optional<header_values> header_dialog_values(user_interface& ui);
    header_change set_header(const header_values& chosen);
    // An edit in the settings form: true when a header value changed. Consecutive edits from
    // one control (the keystrokes in one field) are one step; an edit that does not count as
    // a modification leaves an unmodified map unmodified.
    bool apply_form(const header_values& values, const void* control = nullptr,
                    bool counts_as_modification = true);
    // A settings form's device rule: the header's data bits and mode as the device allows.
    // The adjustment corrects the state the map is in and is no step of its own (undoing it
    // would only bring back what the rule corrects); when it counts as a modification the
    // map is modified until saved.
    void adjust_serial(int data_bits, int mode, bool counts_as_modification);

    // Reverses the last step / does the last step undone again.
    history_change undo();
    history_change redo();

    // What the register list does to a register before showing it: a format outside the
    // known codes becomes 0, and "ProcStat"/"AlarmStat" registers become format 11. True when
    // the register changed.
    static bool normalise_for_display(host_register& reg);

  private:
    int row_of(const host_register* reg) const;
    // The rows of regs in the list, ascending.
    std::vector<int> rows_of(const std::vector<const host_register*>& regs) const;
    // Ends a register step: the registers normalised as the list shows them (every one, or
    // the one at only_row), then the step goes into the history.
    void finish(map_step& step, int only_row = -1);
    register_change remove_rows(const std::vector<int>& rows, const char* verb);
    // Inserts reg at its place by number in the sorted list and returns its row.
    int insert_sorted(std::unique_ptr<host_register> reg);
    history_change follow(const map_step::outcome& outcome) const;
    // Starts a register edit on work (target: the register it replaces, or nullptr for a new
    // register) and gives the dialog's values.
    register_dialog_values begin_register_edit(std::string step_name,
                                               std::unique_ptr<host_register> work,
                                               host_register* target);

    // A register dialog's edit between its first values and OK: the step (the list sorted
    // first) and the working register the dialog's values go to.
    struct register_edit {
        map_step step;
        std::unique_ptr<host_register> work;
        host_register* target = nullptr;
    };

    zrp_file& map_;
    map_history history_;
    std::optional<register_edit> register_edit_;
    // The header as it was before its settings dialog's rules adjusted it.
    std::unique_ptr<protocol_header> header_before_dialog_;
};

#pragma once
// One step of a map's undo history. A step is the list of actions a change made to the map,
// each done at once and recorded with just what it needs to be reversed and done again: the
// registers it took out or put in with their rows, a register's other values, the order a
// sort replaced, the header a change replaced. It never holds a copy of the whole map.

#include <memory>
#include <string>
#include <variant>
#include <vector>

class host_register;
class protocol_header;
class zrp_file;

class map_step {
  public:
    explicit map_step(std::string name);
    ~map_step();
    map_step(map_step&&) noexcept;
    map_step& operator=(map_step&&) noexcept;

    // What the Undo and Redo commands call the step ("Delete 3 registers").
    const std::string& name() const { return name_; }
    void set_name(std::string name) { name_ = std::move(name); }
    // True when the step recorded no action.
    bool empty() const { return actions_.empty(); }

    // Sorts the register list by number, keeping the order of equal numbers; records
    // nothing when the list was in order.
    void sort(zrp_file& map);
    // Takes the registers at rows out of the list (rows in any order; duplicates and rows
    // outside the list are ignored).
    void remove(zrp_file& map, const std::vector<int>& rows);
    // Records that the registers now at rows (ascending) were put into the list.
    void inserted(std::vector<int> rows);
    // Moves the register at row from to row to.
    void move(zrp_file& map, int from, int to);
    // Gives the register at row the values of value.
    void assign(zrp_file& map, int row, const host_register& value);
    // Sets the format code of the register at row.
    void set_format(zrp_file& map, int row, int format);
    // Puts registers in the place of the whole list.
    void replace_list(zrp_file& map, std::vector<std::unique_ptr<host_register>> registers);
    // Records that the map's header and protocol code replaced before and before_code (a
    // header changed in place is recorded with a copy of it taken before the change).
    void header_replaced(std::unique_ptr<protocol_header> before, int before_code);

    // What undoing or redoing the step changed.
    struct outcome {
        bool registers = false;
        bool header = false;
        // The header now in the map is of another protocol or device than the one it
        // replaced: a window showing its settings needs another form.
        bool header_replaced = false;
        // The registers the step put back, changed or moved, to be shown selected.
        std::vector<const host_register*> touched;
    };
    outcome undo(zrp_file& map);
    outcome redo(zrp_file& map);

  private:
    // Registers taken out of (or put into) the list at rows; held holds them while they are
    // out. added: the step put them in (redo puts, undo takes); else the other way round.
    struct splice {
        std::vector<int> rows;
        std::vector<std::unique_ptr<host_register>> held;
        bool added = false;
    };
    struct row_move {
        int from = 0;
        int to = 0;
    };
    // The other values of the register at row (swapped on undo and redo).
    struct value_swap {
        int row = 0;
        std::unique_ptr<host_register> other;
    };
    struct format_swap {
        int row = 0;
        int other = 0;
    };
    // from[i]: the row before the sort of the register the sort put at row i.
    struct reorder {
        std::vector<int> from;
    };
    struct list_swap {
        std::vector<std::unique_ptr<host_register>> other;
    };
    struct header_swap {
        std::unique_ptr<protocol_header> other;
        int other_code = 0;
    };
    using action =
        std::variant<splice, row_move, value_swap, format_swap, reorder, list_swap, header_swap>;

    void apply(action& a, zrp_file& map, bool forward, outcome& result);

    std::string name_;
    std::vector<action> actions_;
};

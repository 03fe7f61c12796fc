#pragma once
// The editor's commands: identifiers, status-bar prompts, tool tips, toolbar images and
// accelerators, in one table; and the two menu bars (no document open / a document window
// active) as tables of items referring to it.

#include <QKeySequence>
#include <QList>
#include <QString>

enum command_id : int {
    ID_IMPORT_OLD_FILE = 32774,
    ID_EDIT_DELETE = 32776,
    ID_PORT_SETUP = 32780,
    ID_FILE_SEND = 32781,
    ID_OPEN_PARAM_FILE = 32782,
    ID_EXTRACT_BLF = 32785,
    ID_EXTRACT_WNT = 32786,
    ID_VIEW_PROPERTIES = 32787,
    ID_INSERT_NEW_REGISTER = 32790,
    ID_OPTIONS_PROTOCOL = 32791,
    ID_OPTIONS_PREFERENCES = 32792,
    ID_EXTRACT_RDX = 32794,
    ID_EXTRACT_HQP = 32797,
    ID_USE_COM = 32800,
    ID_USE_USB = 32801,
    ID_EXTRACT_ERRORS = 32802,
    ID_EXPORT_REGISTER_TABLE = 32830,
    ID_IMPORT_REGISTER_TABLE = 32831,
    ID_COMPARE_WITH_DEVICE = 32832,
    ID_CHECK_MAP = 32833,
    ID_VIEW_LIVE_VALUES = 32834,
    ID_PRINT_REGISTER_TABLE = 32835,
    ID_EXPORT_REGISTER_TABLE_PDF = 32836,
    // View > Sort List By: the register list by its first four columns, or in the map's order.
    ID_SORT_BY_REGISTER = 32837,
    ID_SORT_BY_FEEDER = 32838,
    ID_SORT_BY_PARAMETER = 32839,
    ID_SORT_BY_FORMAT = 32840,
    ID_SORT_MAP_ORDER = 32841,
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PRINT_SETUP = 57606,
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU = 57616,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_FIND = 57636,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_WINDOW_TILE_VERT = 57652,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_HELP_FINDER = 57667,
    ID_CONTEXT_HELP = 57669,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
};

struct command_info {
    int id;
    const char* prompt;  // status-bar prompt
    const char* tooltip; // toolbar tip (nullptr: none)
    const char* icon;    // resource path of the toolbar image (nullptr: none)
    QList<QKeySequence> keys;
};

// The entry of a command, or nullptr for an unknown id.
const command_info* find_command(int id);
const QList<command_info>& command_table();

// One item of a menu: a command, a separator (id 0, text nullptr), or a submenu (id 0 and a
// title; its items follow up to the matching end marker, id -1).
struct menu_item {
    int id;
    const char* text;
};

// A menu of the menu bar: its title and its items.
struct menu_definition {
    const char* title;
    QList<menu_item> items;
};

// The menu bar while no document is open, and while a document window is active.
const QList<menu_definition>& no_document_menus();
const QList<menu_definition>& document_menus();

// The toolbar buttons, left to right; 0 stands for a separator.
const QList<int>& toolbar_buttons();

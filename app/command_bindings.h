#pragma once
// What each command of the editor does and when it is enabled or ticked: one binding per
// command id, over the objects that carry the commands out.

#include <functional>

class CCommandSet;
class CDocumentManager;
class CMapCommands;
class CMainFrame;
class CProtocolDialogs;
class CRecentFiles;
class CTransferCommands;
class QPrinter;

// The objects the commands act on, and the application's own commands.
struct command_targets {
    CMainFrame& frame;
    CDocumentManager& documents;
    CTransferCommands& transfers;
    CRecentFiles& recent;
    CMapCommands& maps;
    CProtocolDialogs& protocol_dialogs;
    std::function<QPrinter&()> job_printer;
    std::function<void()> run_preferences;
    std::function<void()> run_about;
    std::function<void()> run_help_contents;
    std::function<void()> run_context_help;
};

// Binds every command that has a handler; the others stay disabled.
void bind_commands(CCommandSet& commands, const command_targets& targets);

// tessaly-cli: the core of Tessaly for scripts and automated checks.

#include "cli/commands.h"
#include "cli/terminal_ui.h"
#include "model/map_loading.h"

#include <new>

#include <vector>

namespace {
std::vector<command_installer>& installers() {
    static std::vector<command_installer> list;
    return list;
}
} // namespace

bool register_commands(command_installer installer) {
    installers().push_back(installer);
    return true;
}

int main(int argc, char** argv) {
    terminal_ui terminal;
    scoped_ui use_terminal(terminal);

    CLI::App app{"tessaly-cli: edit, convert, send and extract Ombra register maps"};
    app.require_subcommand(1);
    int exit_code = exit_ok;
    for (auto installer : installers())
        installer(app, exit_code);
    try {
        app.parse(argc, argv);
    } catch (const std::bad_alloc&) {
        // A command ran out of memory: said, and nothing written (outputs are written whole
        // at the end, atomically).
        ui().message(msg_open_out_of_memory);
        return exit_failed;
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return exit_usage;
    }
    return exit_code;
}

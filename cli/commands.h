#pragma once
// tessaly-cli's commands come in groups, one source file each; a group registers itself with
// TESSALY_CLI_COMMANDS so that main.cpp needs no list of them.

#include <CLI/CLI.hpp>

// Exit statuses of every command.
enum cli_exit { exit_ok = 0, exit_failed = 1, exit_usage = 2 };
// The questions diff, verify and check answer: 0 no difference (no finding), 1 differences
// (findings), 2 trouble (bad usage, a file that cannot be loaded, a failed extraction).
enum cli_answer { answer_same = 0, answer_differs = 1, answer_trouble = 2 };

// Adds a group's subcommands to the application; a command's callback stores its exit status
// in exit_code.
using command_installer = void (*)(CLI::App& app, int& exit_code);

bool register_commands(command_installer installer);

#define TESSALY_CLI_COMMANDS(installer)                                                            \
    [[maybe_unused]] static const bool installer##_registered = register_commands(installer)

#pragma once
// Registers whose names a map file cannot hold as they are. Saving writes such a register as
// it always has (cards and other tools read those lines), but reading the saved line back
// gives another register: the editor marks it and the checks report it, so the loss is never
// silent.

#include <string>

class host_register;

// Why saving reg and reading it back would not give its parameter name (or a command
// mnemonic) back, or an empty text when it would:
// - formats 1 and 2 write values after the name, so an empty name lets the first value be
//   read as the name and shifts the others;
// - a name or mnemonic with white space in it reads back as its first word;
// - a name longer than 19 characters, or a mnemonic longer than 4, is cut when read;
// - a register line that holds "HREG" is skipped by the reader altogether.
std::string name_loss_on_save(const host_register& reg);

// True when name_loss_on_save has a reason.
bool loses_name_on_save(const host_register& reg);

#pragma once
// What each bit of a bitmapped register stands for, as the Live Values window names it: a
// command bit by its mnemonic, feeder and trigger mode ("CRUN, F:1, Rising edge"), a status
// bit by its status word, bit position and feeder ("PSR bit 4, F:1"); an unused entry is
// "unused". Index k names bit k.

#include <array>
#include <string>
#include <string_view>

class host_register;

using bit_names = std::array<std::string, 16>;

// The names of a bitmapped command register's bits (format 3).
bit_names command_bit_names(const host_register& reg);
// The names of a bitmapped status register's bits (format 4), with the mnemonics of the
// register's device.
bit_names status_bit_names(const host_register& reg);

// The trigger mode of a command entry's value code ("Off", "Active high", ... "Any edge").
std::string_view trigger_mode_name(int value_code);

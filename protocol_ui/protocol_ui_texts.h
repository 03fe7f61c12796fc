#pragma once
// The fixed texts of the protocol setup windows that more than one class shows.

#include "core/field_texts.h"

// Labels of the serial choice groups, in stored order.
inline constexpr const char* labels_baud3[] = {"9600", "19200", "38400"};
inline constexpr const char* labels_baud4[] = {"9600", "19200", "38400", "57600"};
inline constexpr const char* labels_data_bits[] = {"7", "8"};
inline constexpr const char* labels_parity[] = {"None", "Even", "Odd"};
inline constexpr const char* labels_stop_bits[] = {"1", "2"};
inline constexpr const char* labels_byte_order[] = {"MS byte first", "LS byte first"};
inline constexpr const char* labels_byte_order_caps[] = {"MS Byte First", "LS Byte First"};
inline constexpr const char* labels_check_mode[] = {"BCC", "CRC"};
inline constexpr const char* labels_transmission_mode[] = {"RTU", "ASCII"};

// Help context numbers of the protocol setup windows.
inline constexpr int help_context_block_definitions = 11;
inline constexpr int help_context_profinet = 13;

#pragma once
// The texts the Import command and the converter show the user and write to convert.log.

#include <string_view>

namespace convert_text {
// Messages.
inline constexpr std::string_view conversion_cancelled = "Conversion cancelled.";
inline constexpr std::string_view input_selected =
    "Input File Selected!\n\nNext, you will select the name\nunder which the converted\nfile "
    "will be saved.\n\nAfterwards you will be prompted for\nthe type of your target platform.";
inline constexpr std::string_view overwrite_question = "File Already Exists, Overwrite?";
inline constexpr std::string_view same_file = "Error: new file name is the same as old.";
inline constexpr std::string_view conversion_failed = "Error converting *.zrp file.";
inline constexpr std::string_view cannot_open = "The file could not be opened.";
inline constexpr std::string_view cannot_create_log = "Could not create logfile.";
inline constexpr std::string_view errors_found =
    "Errors during conversion!\nExamine convert.log for details.";
inline constexpr std::string_view done =
    "Conversion done!\n\nRe-Open the converted file and\nsetup protocol parameters now!";

// File dialogs of the Import command.
inline constexpr std::string_view menu_prompt = "Import old ZRP file\nOld zrp file";
inline constexpr std::string_view open_title = "Select an old file to convert:";
inline constexpr std::string_view save_title = "Select a name to save the converted file:";
inline constexpr std::string_view file_filter = "Vantor Ombra Files (*.zrp)|*.zrp||";
inline constexpr std::string_view default_extension = "*.zrp";

// convert.log.
inline constexpr std::string_view log_file_name = "convert.log";
inline constexpr std::string_view log_input = "Input File: ";
inline constexpr std::string_view log_output = "Output File: ";
inline constexpr std::string_view log_stripped = "Stripped Old-Style line: ";
inline constexpr std::string_view log_error = "-Conversion Error-";
inline constexpr std::string_view log_register = "Register:\t";
inline constexpr std::string_view log_mnemonic = "Mnemonic:\t";
inline constexpr std::string_view log_line = "Line:\t";
inline constexpr std::string_view log_output_line = "Output File line:\t";
inline constexpr std::string_view log_not_found = "Detail:\tNo equivalent new parameter name found";
inline constexpr std::string_view log_wrong_type =
    "Detail:\tWrong File Type - Requires 3 Character Mnemonics";
inline constexpr std::string_view log_not_loaded = "Detail:\tThe converted map cannot be opened: ";
inline constexpr std::string_view log_not_as_written =
    "Detail:\tThe converted line would not be read as written: ";
inline constexpr std::string_view log_not_written =
    "Output File not written: the conversion had errors";
inline constexpr std::string_view log_line_cut =
    "Detail:\tLine longer than 89 characters - only the first 89 were converted";
} // namespace convert_text

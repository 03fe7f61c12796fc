#pragma once
// The texts the transfers (send, configuration and error-list extraction) show the user.

#include <string>

inline constexpr const char* msg_usb_not_available =
    "USB link is not available.\nCheck if Device is powered and USB cable connected.";
inline constexpr const char* msg_no_link = "No communication link (COM or USB) selected.";
inline constexpr const char* msg_file_not_opened = "The file could not be opened.";
// A file to be sent as stored that is no register map (the text every load failure shows).
inline constexpr const char* msg_map_not_loaded = "Unable to open the requested file";
inline constexpr const char* msg_send_complete = "File send complete!";
inline constexpr const char* msg_not_sent = "Communication error, file not sent.";
inline constexpr const char* msg_not_extracted = "Communication error, file not extracted.";
inline constexpr const char* msg_error_list_not_extracted =
    "Communication error, Error list not extracted.";
inline constexpr const char* msg_zrp_not_present = "ZRP File Not Present or Corrupted";
inline constexpr const char* msg_parse_error = "Parse error, file not extracted.";
inline constexpr const char* msg_no_errors =
    "Either there are no ZRP Errors reported,\nor this function is not supported!";
inline constexpr const char* progress_title = "File progress";
// A send that stopped after frames went out: the card may have taken some of the lines.
inline constexpr const char* msg_send_cancelled =
    "Send cancelled. The card may now hold part of this map: send it again before the plant runs.";
inline constexpr const char* msg_partial_map =
    "The card may now hold part of this map: send it again before the plant runs.";
// Said by tessaly-cli when Ctrl+C stops an extraction (the editor's Cancel opens nothing).
inline constexpr const char* msg_extract_cancelled = "Extraction cancelled.";

// The card refused a line of the map: what to check on both ends. "Config" stands between
// typographic double quotes (U+201C, U+201D).
inline constexpr const char* msg_line_not_acknowledged =
    "Communication error, file not sent.\n\n \t\t\t\t\t\t\t\t"
    "Check the Tessaly Port Setup in:\n \t\t\t\t\t\t\t\t"
    "Menu / Options / Port Setup.\n\n \t\t\t\t\t\t\t\t"
    "Check the RDX communication settings in:\n \t\t\t\t\t\t\t\t"
    "Menu / System / Communication menu.\n \t\t\t\t\t\t\t\t"
    "Set the RDX Config Protocol to \u201C"
    "Config\u201D.\n \t\t\t\t\t\t\t\t"
    "Set the RDX Config port to USB or RS232.\n \t\t\t\t\t\t\t\t";
// The progress note while the card does not answer a frame: "No answer from the card,
// transmission 5 of 12".
std::string no_answer_note(int transmission, int transmissions);
// A line of the map is longer than a frame line may be; the map is not sent at all.
std::string line_too_long_message(int line_number, const std::string& line);

// The three size checks of an extracted image.
std::string image_too_large_message(int size, int records, int max_record_size);
std::string image_too_small_message(int size, int records, int min_record_size);
std::string too_many_records_message(int records, int max_records);

#pragma once
// Reading back from the card: the configuration image it holds (decoded into a new map) and
// the list of errors it found in the last map it was sent. Both exchanges request every
// piece with an acknowledged frame and fetch data in blocks of at most 26 bytes. Only the
// card's exact answers are decoded: bytes waiting before a request, an answer that does not
// begin with ACK but goes on, a block that is not exactly the bytes asked for, or bytes
// after the last answer fail the exchange with its message.

#include "link/transfer_session.h"
#include "model/zrp_object.h"

#include <memory>
#include <optional>
#include <string>

class link_state;
class user_interface;
class zrp_file;

// Read time-out of the card's data replies during an extraction.
inline constexpr int extract_read_timeout_ms = 5000;
inline constexpr int extract_block_size = 26;
inline constexpr int min_record_size = 26;
inline constexpr int max_record_size = 98;
inline constexpr int max_records = 655;
// Bytes of block definitions that follow the records of block-mapped (DeviceNet,
// EtherNet/IP) images.
inline constexpr int block_definition_allowance = 444;

// Extracts the configuration the card holds for device_code (0 BLF, 1 RDX, 2 WNT, 3 HQP),
// showing progress and failures through the session's user interface. Returns the decoded
// map, or nothing after a failure that has been shown to the user or after a cancel (which
// shows nothing). read_timeout_ms replaces the extraction's read time-out (tests shorten it).
std::unique_ptr<zrp_file> extract_configuration(const link_state& link, int device_code,
                                                const transfer_session& session,
                                                int read_timeout_ms = extract_read_timeout_ms);
// The same with the user interface in force, not cancellable.
std::unique_ptr<zrp_file> extract_configuration(const link_state& link, int device_code,
                                                int read_timeout_ms = extract_read_timeout_ms);

// Extracts the card's error list. Returns its text, or nothing after a failure (or an empty
// list) that has been shown to the user, or after a cancel.
std::optional<std::string> extract_error_list(const link_state& link,
                                              const transfer_session& session,
                                              int read_timeout_ms = extract_read_timeout_ms);
std::optional<std::string> extract_error_list(const link_state& link,
                                              int read_timeout_ms = extract_read_timeout_ms);

// The size checks of a configuration image, given its record-area size (total length minus
// the 32-byte header; negative for a header that claims less than itself), its record count
// and its information block. Shows the first failed check to shown_to (the user interface in
// force when not given) and returns false.
bool check_image_sizes(int size, int records, const image_info_block& info,
                       user_interface& shown_to);
bool check_image_sizes(int size, int records, const image_info_block& info);

#pragma once
// The command text a desktop shell hands to the running editor to send a file:
// [send("path")].

#include <optional>
#include <string>
#include <string_view>

// The path of a send request, or nothing when the text is not one: it must begin with the
// seven characters [send(" and the path runs up to the next double quote. A request with
// nothing after the opening quote, or without a closing quote, is not handled.
std::optional<std::string> parse_send_request(std::string_view command);

// True when a send request carries the path whole: the path is not empty and holds no
// double quote (the request ends its path at the first one).
bool send_request_carries(std::string_view path);

// Why a send was refused for a path that a send request cannot carry.
inline constexpr const char* cause_quote_in_send_path =
    "The file name holds a double quote (\"), which a send request cannot carry. Rename the "
    "file and send it again.";

// True when the text begins like a send request ([send(") whatever follows; such a text is
// never passed on to the ordinary shell-command handling.
bool looks_like_send_request(std::string_view command);

#pragma once
// The check before a send: what the card would not get of a map as it stands (the map check
// without a catalogue, since the card never sees names the catalogue lacks), and the question
// the editor asks before sending such a map anyway.

#include "model/map_check.h"

#include <string>
#include <string_view>
#include <vector>

class zrp_file;

// Findings shown in the question before the rest are counted ("and 5 more").
inline constexpr std::size_t send_question_findings = 20;
// Said by tessaly-cli when it refuses such a map without --force.
inline constexpr const char* msg_send_refused =
    "The card would not get this map as it stands; nothing was sent.";

// The findings for map, whose file text is file_text (as check_map reads it); none for a text
// the send refuses on its own (a line longer than a frame line may be).
std::vector<map_finding> send_findings(const zrp_file& map, std::string_view file_text);

// "The card would not get this map as it stands:", the findings a line each (the first 20,
// then "and N more"), then "Send anyway?".
std::string send_anyway_question(const std::vector<map_finding>& findings);

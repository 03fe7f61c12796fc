#include "link/send_request.h"

namespace {
constexpr std::string_view request_start = "[send(\"";
}

bool looks_like_send_request(std::string_view command) {
    return command.substr(0, request_start.size()) == request_start;
}

bool send_request_carries(std::string_view path) {
    return !path.empty() && path.find('"') == std::string_view::npos;
}

std::optional<std::string> parse_send_request(std::string_view command) {
    if (!looks_like_send_request(command))
        return std::nullopt;
    std::string_view rest = command.substr(request_start.size());
    if (rest.empty())
        return std::nullopt;
    auto close = rest.find('"');
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(rest.substr(0, close));
}

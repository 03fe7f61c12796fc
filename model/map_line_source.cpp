#include "model/map_line_source.h"

#include "core/text_lines.h"

#include <algorithm>

namespace {
constexpr std::size_t max_line = 255;
} // namespace

bool map_line_source::next(std::string& line) {
    const line_status status = read_line(in_, line, max_line);
    if (status == line_status::end)
        return false;
    ++number_;
    noted_ = false;
    if (unread_ != nullptr) {
        current_ = line;
        if (status == line_status::truncated || std::any_of(line.begin(), line.end(), [](char c) {
                return is_non_text_byte(static_cast<unsigned char>(c));
            }))
            not_as_written();
    }
    return true;
}

void map_line_source::not_as_written() {
    if (unread_ == nullptr || noted_ || number_ == 0)
        return;
    noted_ = true;
    unread_->push_back({number_, current_});
}

void map_line_source::not_as_written(int number, const std::string& text) {
    if (unread_ == nullptr)
        return;
    if (number == number_) {
        not_as_written();
        return;
    }
    // An earlier line may have been noted already (for bytes that are not text).
    for (auto it = unread_->rbegin(); it != unread_->rend() && it->number >= number; ++it)
        if (it->number == number)
            return;
    unread_->push_back({number, text});
}

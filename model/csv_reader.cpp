#include "model/csv_reader.h"

namespace {
constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

bool is_blank(char c) {
    return c == ' ' || c == '\t';
}
} // namespace

csv_reader::csv_reader(std::string_view text) : text_(text) {
    if (text_.substr(0, byte_order_mark.size()) == byte_order_mark)
        pos_ = byte_order_mark.size();
}

bool csv_reader::at_record_end() {
    if (pos_ >= text_.size())
        return true;
    if (text_[pos_] == '\n') {
        ++pos_;
        return true;
    }
    // CR LF, and a CR alone (what some spreadsheet programs write), end a record as LF does.
    if (text_[pos_] == '\r') {
        pos_ += pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n' ? 2 : 1;
        return true;
    }
    return false;
}

bool csv_reader::next(std::vector<std::string>& fields) {
    fields.clear();
    if (!error_.empty() || pos_ >= text_.size())
        return false;
    ++record_;
    bool ended = false;
    while (!ended) {
        fields.emplace_back();
        if (!read_field(fields.back(), ended)) {
            error_field_ = static_cast<int>(fields.size()) - 1;
            return false;
        }
    }
    return true;
}

bool csv_reader::read_field(std::string& out, bool& record_ended) {
    // Blanks before an opening quote belong to the layout, not to the field.
    std::size_t start = pos_;
    while (start < text_.size() && is_blank(text_[start]))
        ++start;
    if (start < text_.size() && text_[start] == '"') {
        pos_ = start + 1;
        return read_quoted(out, record_ended);
    }
    for (;;) {
        if (at_record_end()) {
            record_ended = true;
            return true;
        }
        const char c = text_[pos_++];
        if (c == ',')
            return true;
        out += c;
    }
}

bool csv_reader::read_quoted(std::string& out, bool& record_ended) {
    for (;;) {
        const std::size_t quote = text_.find('"', pos_);
        if (quote == std::string_view::npos) {
            error_ = "a quoted field is not closed";
            return false;
        }
        out.append(text_.substr(pos_, quote - pos_));
        pos_ = quote + 1;
        if (pos_ < text_.size() && text_[pos_] == '"') {
            out += '"';
            ++pos_;
            continue;
        }
        break;
    }
    while (pos_ < text_.size() && is_blank(text_[pos_]))
        ++pos_;
    if (at_record_end()) {
        record_ended = true;
        return true;
    }
    if (text_[pos_] == ',') {
        ++pos_;
        return true;
    }
    error_ = "text follows the closing quote of a field";
    return false;
}

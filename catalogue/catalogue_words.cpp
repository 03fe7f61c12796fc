#include "catalogue/catalogue_words.h"

#include <algorithm>
#include <iterator>

namespace {
struct word_code {
    std::string_view word;
    int code;
};

constexpr word_code ctrl_types[] = {{"blf", 0}, {"rdx", 1}, {"wnt", 2}, {"hqp", 3}};

constexpr word_code param_types[] = {
    {"bits", param_bits},     {"int", param_int},     {"float", param_float},
    {"string", param_string}, {"array", param_array}, {"long", param_long},
};

template <std::size_t N> const word_code* find(const word_code (&rows)[N], std::string_view word) {
    auto it = std::find_if(std::begin(rows), std::end(rows),
                           [&](const word_code& row) { return row.word == word; });
    return it == std::end(rows) ? nullptr : it;
}
} // namespace

bool ctrl_type_code(std::string_view value, int& code) {
    const word_code* row = find(ctrl_types, value);
    if (row)
        code = row->code;
    return row != nullptr;
}

int param_type_code(std::string_view value) {
    const word_code* row = find(param_types, value);
    return row ? row->code : unknown_param_type;
}

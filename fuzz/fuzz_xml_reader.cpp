// Feeds arbitrary bytes to the XML reader and, through it, to the catalogue loader: every input
// must end in a tree or in nothing, without a crash, a hang or a read past the end. A tree holds
// every element of the input it read: no element is dropped and a damaged document is never
// returned as a smaller one. The elements are counted by a scan of their own: the start tags
// from the root's "<" to the end of what the reader took, outside quoted attribute values.

#include "catalogue/parameter_list.h"
#include "catalogue/read_xml_document.h"
#include "catalogue/xml_tag_element.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {
class counter : public catalogue_visitor {
  public:
    void visit_device(target_device& d, int) override { total += d.name().size(); }
    void visit_param(target_param& p, int) override { total += p.description().size(); }
    std::size_t total = 0;
};

std::size_t elements_in(const xml_tag_element& element) {
    std::size_t n = 1;
    for (std::int32_t i = 0; i < element.child_count(); ++i)
        if (!element.child(i)->is_text())
            n += elements_in(static_cast<const xml_tag_element&>(*element.child(i)));
    return n;
}

bool starts_name(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// Where the root's "<" is: the first "<" before a name that is not inside a comment,
// declaration or processing instruction.
std::size_t root_start(const std::string& text) {
    std::size_t i = 0;
    while ((i = text.find('<', i)) != std::string::npos && i + 1 < text.size()) {
        const char next = text[i + 1];
        if (next == '?') {
            i = text.find("?>", i + 2);
        } else if (next == '!') {
            i = text.compare(i + 2, 2, "--") == 0 ? text.find("-->", i + 4) : text.find('>', i + 2);
        } else if (starts_name(next)) {
            return i;
        } else {
            ++i;
            continue;
        }
        if (i == std::string::npos)
            return i;
        ++i;
    }
    return std::string::npos;
}

// Start tags between from and to: a "<" not followed by "/", outside quoted values in tags.
std::size_t start_tags(const std::string& text, std::size_t from, std::size_t to) {
    enum { content, tag, quoted } state = content;
    std::size_t n = 0;
    for (std::size_t i = from; i < to; ++i) {
        const char c = text[i];
        if (state == content) {
            if (c == '<') {
                state = tag;
                if (i + 1 < to && text[i + 1] != '/')
                    ++n;
            }
        } else if (state == tag) {
            if (c == '"')
                state = quoted;
            else if (c == '>')
                state = content;
        } else if (c == '\\') {
            ++i;
        } else if (c == '"') {
            state = tag;
        }
    }
    return n;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    {
        std::istringstream in(text);
        if (auto root = read_xml_document(in)) {
            in.clear();
            const auto taken = static_cast<std::size_t>(in.tellg());
            const std::size_t start = root_start(text);
            if (start == std::string::npos || taken > size ||
                start_tags(text, start, taken) != elements_in(*root))
                std::abort();
            std::ostringstream out;
            root->write(out);
        }
    }
    std::istringstream in(text);
    parameter_list catalogue;
    if (catalogue.load_stream(in) == parameter_list::load_result::loaded) {
        counter visit;
        catalogue.walk(visit);
        catalogue.walk(visit, size % 4);
        catalogue.fill(visit, 1, "Massflow", "");
        catalogue.find_by_handle(&visit);
    }
    return 0;
}

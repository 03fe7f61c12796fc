#include "catalogue/read_xml_document.h"
#include "catalogue/xml_text_element.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// A compact rendering of a tree: name{attr=value,...}(child,child) and "text" for text.
std::string dump(const xml_element& e) {
    if (e.is_text())
        return '"' + static_cast<const xml_text_element&>(e).text() + '"';
    const auto& tag = static_cast<const xml_tag_element&>(e);
    std::string out = tag.name();
    if (tag.attribute_count() > 0) {
        out += '{';
        for (std::int32_t i = 0; i < tag.attribute_count(); ++i)
            out += (i ? "," : "") + tag.attribute(i)->name() + '=' + tag.attribute(i)->value();
        out += '}';
    }
    if (tag.child_count() > 0) {
        out += '(';
        for (std::int32_t i = 0; i < tag.child_count(); ++i)
            out += (i ? "," : "") + dump(*tag.child(i));
        out += ')';
    }
    return out;
}

// The dump of the document's root, or "null" when there is none.
std::string parse(const std::string& text) {
    std::istringstream in(text);
    auto root = read_xml_document(in);
    return root ? dump(*root) : "null";
}

struct reader_case {
    const char* what;
    std::string input;
    std::string expected;
};

TEST(XmlReader, SyntaxRules) {
    const reader_case cases[] = {
        {"empty input", "", "null"},
        {"no tag at all", "just some text", "null"},
        {"closing tag first", "</a><b></b>", "null"},
        {"declaration and comment skipped", "<?xml version=\"1.0\"?>\n<!-- note -->\n<r></r>", "r"},
        {"doctype skipped", "<!DOCTYPE r><r></r>", "r"},
        {"quoted and unquoted values", "<r a=\"one two\" b = xyz></r>", "r{a=one two,b=xyz}"},
        {"duplicate attributes kept in order", "<r a=\"1\" a=\"2\"></r>", "r{a=1,a=2}"},
        {"unquoted value starting with a digit", "<r a=1x></r>", "null"},
        {"single-quoted value", "<r a='x'></r>", "null"},
        {"empty-element tag", "<r/>", "null"},
        {"hyphen in an attribute name", "<r a-b=\"x\"></r>", "null"},
        {"leading blanks dropped, trailing kept", "<r>  word  </r>", "r(\"word  \")"},
        {"inner line breaks kept", "<r>one\ntwo\n</r>", "r(\"one\ntwo\n\")"},
        {"entity stays as written", "<r>a &amp; b &#65;</r>", "r(\"a &amp; b &#65;\")"},
        {"escapes in a quoted value", "<r a=\"x\\\"y\\\\z\\n\\r\\t\\q\"></r>",
         "r{a=x\"y\\z\n\r\tq}"},
        {"closing name differs", "<r></s>", "null"},
        {"blank before the closing bracket", "<r></r >", "null"},
        {"mixed content in order", "<r>t1<c></c>t2</r>", "r(\"t1\",c,\"t2\")"},
        {"whitespace-only content makes no text", "<r> \n\t<c></c>\r\n </r>", "r(c)"},
        {"control characters are not text", "<r>\x01\x02word</r>", "null"},
        {"tab, carriage return and line feed are whitespace", "<r>\t\r\nword</r>", "r(\"word\")"},
        {"bytes above 0x7f are text", "<r>\x80x</r>", "r(\"\x80x\")"},
        {"digits inside names", "<r2d2 a1=\"v\"></r2d2>", "r2d2{a1=v}"},
        {"name cannot start with a digit", "<2r></2r>", "null"},
        {"comment inside an element fails it", "<r><!-- c --></r>", "null"},
        {"a failed root fails the document", "<a><b></a><r x=\"1\"></r>", "null"},
        {"a comment holding a tag is passed over", "<!-- <b> --><r></r>", "r"},
        {"a lone angle bracket before the root is text", "a < b <r></r>", "r"},
        {"failure below the root fails the root", "<r><c a='1'></c></r>", "null"},
        {"end inside a quoted value", "<r a=\"never closed", "null"},
        {"end inside a comment", "<!-- open comment", "null"},
        {"end inside a tag", "<r a", "null"},
        {"end after an equals sign", "<r a=", "null"},
        {"end inside text", "<r>text", "null"},
        {"end right after the root's start", "<r>", "null"},
        {"end after a backslash", "<r a=\"x\\", "null"},
        {"lone angle bracket", "<", "null"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse(c.input), c.expected) << c.what;
}

// A document given up says where and why.
TEST(XmlReader, FailuresNameTheLineAndTheCause) {
    const std::pair<std::string, std::string> cases[] = {
        {"<p>\n<a>\n<b>x</bb>\n</a>\n</p>", "line 3: </bb> does not close <b>"},
        {std::string("<p>\n<a>\n  x\0y</a></p>", 21), "line 3: byte 0x00 is not text"},
        {"", "line 1: no root element"},
        {"\n\n</a>", "line 3: a closing tag comes before the root element"},
        {"<p>\n<a k=\"v></a></p>", "line 2: the input ends inside a value of <a>"},
        {"<p>\n<a k></a></p>", "line 2: attribute k of <a> has no '=' and value"},
        {"<p><a/></p>", "line 1: '/' where an attribute of <a> belongs"},
        {"<p>text", "line 1: the input ends inside <p>"},
        {"<p></p >", "line 1: 0x20 in the closing tag </p>"},
        {"<!-- open\n", "line 1: the input ends inside a comment or declaration"},
    };
    for (const auto& [text, said] : cases) {
        std::istringstream in(text);
        xml_read_error error;
        EXPECT_EQ(read_xml_document(in, max_input_bytes, &error), nullptr) << text;
        EXPECT_EQ(error.text(), said) << text;
    }
}

TEST(XmlReader, StopsAfterTheRootsClosingTag) {
    std::istringstream in("<r></r>after");
    ASSERT_NE(read_xml_document(in), nullptr);
    std::string rest;
    std::getline(in, rest);
    EXPECT_EQ(rest, "after");
}

TEST(XmlReader, HostileNestingFailsWithoutExhaustingTheStack) {
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "<a>";
    EXPECT_EQ(parse(deep), "null");

    std::string fine, closing;
    for (int i = 0; i < 100; ++i) {
        fine += "<a>";
        closing += "</a>";
    }
    EXPECT_NE(parse(fine + closing), "null");
}

// Past the depth guard or the byte bound the whole document fails: the reader never resumes
// inside the element it gave up and takes what follows for a root.
TEST(XmlReader, GivingUpEndsTheWholeDocument) {
    auto nested = [](const std::string& tag, int depth) {
        std::string open, close;
        for (int i = 0; i < depth; ++i) {
            open += "<" + tag + ">";
            close += "</" + tag + ">";
        }
        return open + close;
    };
    // The dump of 256 nested "d" elements.
    std::string deepest = "d";
    for (int i = 1; i < 256; ++i)
        deepest = "d(" + deepest + ")";
    struct row {
        const char* what;
        std::string text;
        std::size_t bound;
        std::string root;
    };
    const row rows[] = {
        {"too deep, then a sibling", "<p><d>" + nested("d", 300) + "</d><r>x</r></p>", 1 << 20,
         "null"},
        {"too deep, then another root", nested("d", 300) + "<r></r>", 1 << 20, "null"},
        {"as deep as the guard", nested("d", 256), 1 << 20, deepest},
        {"past the byte bound", "<junk " + std::string(100, ' ') + "<r></r>", 64, "null"},
        {"a failed element within the bound", "<x y><r></r>", 64, "null"},
        {"the root ends at the bound", "<r>text</r>", 11, "r(\"text\")"},
    };
    for (const auto& r : rows) {
        std::istringstream in(r.text);
        auto root = read_xml_document(in, r.bound);
        EXPECT_EQ(root ? dump(*root) : "null", r.root) << r.what;
    }
}

TEST(XmlReader, WriteIndentsByTabsAndSplitsLongText) {
    std::istringstream in("<r a=\"x y\"><c>" + std::string(90, 'w') + "</c><d>two\nlines</d></r>");
    auto root = read_xml_document(in);
    ASSERT_NE(root, nullptr);
    std::ostringstream out;
    root->write(out);
    EXPECT_EQ(out.str(), "<r a=\"x y\">\n"
                         "\t<c>\n"
                         "\t\t" +
                             std::string(81, 'w') +
                             "\n"
                             "\t\t" +
                             std::string(9, 'w') +
                             "\n"
                             "\t</c>\n"
                             "\t<d>\n"
                             "\t\ttwo\n"
                             "\t\tlines\n"
                             "\t</d>\n"
                             "</r>\n");
}

} // namespace

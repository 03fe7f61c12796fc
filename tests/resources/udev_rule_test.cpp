// The udev rule for the card's USB device, read and matched the way udev does against the
// device chains the kernel shows for the card and for its look-alikes.

#include <gtest/gtest.h>

#include <algorithm>
#include <fnmatch.h>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string rule_file = TESSALY_SOURCE_DIR "/resources/linux/60-tessaly-ombra.rules";

struct rule_key {
    std::string name; // SUBSYSTEM, ATTRS, TAG, ...
    std::string attr; // the part in braces, if any
    std::string op;   // ==, !=, =, +=, -=, :=
    std::string value;
};
using rule = std::vector<rule_key>;

// Keys that compare and keys that assign, as udev knows them; "S" keys look at parents too.
const std::set<std::string> match_keys = {
    "ACTION", "DEVPATH", "KERNEL", "KERNELS", "SUBSYSTEM", "SUBSYSTEMS", "DRIVER",  "DRIVERS",
    "ATTR",   "ATTRS",   "ENV",    "TAG",     "TAGS",      "NAME",       "PROGRAM", "RESULT"};
const std::set<std::string> assign_keys = {"TAG",    "MODE", "GROUP", "OWNER",   "SYMLINK",
                                           "ENV",    "RUN",  "NAME",  "OPTIONS", "ATTR",
                                           "IMPORT", "GOTO", "LABEL"};
const std::set<std::string> keys_with_attr = {"ATTR", "ATTRS", "ENV", "IMPORT", "RUN"};

// Parses rule text as udev does: one rule per line (a backslash continues it), comma-separated
// keys KEY{attr}OP"value". Returns the rules, or an error saying what is wrong where.
std::optional<std::vector<rule>> parse_rules(const std::string& text, std::string& error) {
    std::vector<rule> rules;
    std::istringstream in(text);
    std::string line, joined;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\\') {
            joined += line.substr(0, line.size() - 1);
            continue;
        }
        joined += line;
        std::string l = joined;
        joined.clear();
        const auto first = l.find_first_not_of(" \t");
        if (first == std::string::npos || l[first] == '#')
            continue;
        rule r;
        std::size_t i = first;
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(number) + ": " + why;
            return std::nullopt;
        };
        while (i < l.size()) {
            while (i < l.size() && (l[i] == ' ' || l[i] == '\t' || l[i] == ','))
                ++i;
            if (i >= l.size())
                break;
            rule_key k;
            while (i < l.size() && std::isupper(static_cast<unsigned char>(l[i])))
                k.name += l[i++];
            if (k.name.empty())
                return fail("a key name is expected");
            if (i < l.size() && l[i] == '{') {
                auto close = l.find('}', i);
                if (close == std::string::npos)
                    return fail("unclosed { after " + k.name);
                k.attr = l.substr(i + 1, close - i - 1);
                i = close + 1;
            }
            for (const char* op : {"==", "!=", "+=", "-=", ":=", "="})
                if (l.compare(i, std::char_traits<char>::length(op), op) == 0) {
                    k.op = op;
                    break;
                }
            if (k.op.empty())
                return fail("no operator after " + k.name);
            i += k.op.size();
            if (i >= l.size() || l[i] != '"')
                return fail("the value of " + k.name + " is not quoted");
            auto end = l.find('"', i + 1);
            if (end == std::string::npos)
                return fail("unclosed quote in the value of " + k.name);
            k.value = l.substr(i + 1, end - i - 1);
            i = end + 1;
            const bool compares = k.op == "==" || k.op == "!=";
            if (compares ? !match_keys.count(k.name) : !assign_keys.count(k.name))
                return fail(k.name + k.op + " is not a key udev knows");
            if (keys_with_attr.count(k.name) != !k.attr.empty() && k.name != "RUN" &&
                k.name != "IMPORT")
                return fail(k.name + (k.attr.empty() ? " needs {attribute}" : " takes no {}"));
            r.push_back(k);
        }
        if (r.empty())
            continue;
        rules.push_back(r);
    }
    return rules;
}

// One device of the chain from the node up through its parents.
struct device {
    std::string subsystem;
    std::string kernel;
    std::map<std::string, std::string> attrs;
};

// A udev pattern: shell glob, '|' separating alternatives.
bool pattern_matches(const std::string& pattern, const std::string& value) {
    std::istringstream alternatives(pattern);
    std::string alt;
    while (std::getline(alternatives, alt, '|'))
        if (fnmatch(alt.c_str(), value.c_str(), 0) == 0)
            return true;
    return false;
}

std::optional<std::string> property_of(const device& d, const rule_key& k) {
    if (k.name == "SUBSYSTEM" || k.name == "SUBSYSTEMS")
        return d.subsystem;
    if (k.name == "KERNEL" || k.name == "KERNELS")
        return d.kernel;
    if (k.name == "ATTR" || k.name == "ATTRS") {
        auto it = d.attrs.find(k.attr);
        if (it != d.attrs.end())
            return it->second;
    }
    return std::nullopt;
}

bool key_matches(const device& d, const rule_key& k) {
    const std::optional<std::string> v = property_of(d, k);
    const bool equal = v && pattern_matches(k.value, *v);
    return k.op == "==" ? equal : !equal;
}

// The result of running the rules for the chain's first device ("add" event).
struct outcome {
    std::set<std::string> tags;
    std::optional<std::string> mode, group;
};

outcome apply(const std::vector<rule>& rules, const std::vector<device>& chain) {
    outcome out;
    for (const rule& r : rules) {
        bool matches = true;
        std::vector<const rule_key*> parent_keys;
        for (const rule_key& k : r) {
            if (k.op != "==" && k.op != "!=")
                continue;
            if (k.name == "ACTION")
                matches = matches && (k.op == "==") == pattern_matches(k.value, "add");
            else if (k.name.back() == 'S' && k.name != "TAGS")
                parent_keys.push_back(&k); // all of them on one device of the chain
            else
                matches = matches && key_matches(chain.front(), k);
        }
        if (!parent_keys.empty())
            matches = matches && std::any_of(chain.begin(), chain.end(), [&](const device& d) {
                          return std::all_of(parent_keys.begin(), parent_keys.end(),
                                             [&](const rule_key* k) { return key_matches(d, *k); });
                      });
        if (!matches)
            continue;
        for (const rule_key& k : r) {
            if (k.name == "TAG" && (k.op == "+=" || k.op == "="))
                out.tags.insert(k.value);
            else if (k.name == "MODE")
                out.mode = k.value;
            else if (k.name == "GROUP")
                out.group = k.value;
        }
    }
    return out;
}

// What the kernel shows for a HID device on USB: the node, the HID device, the USB
// interface, the USB device with its ids (lower-case hex, as sysfs writes them).
std::vector<device> usb_hid_chain(const std::string& node_subsystem, const std::string& node,
                                  const std::string& vendor, const std::string& product) {
    return {
        {node_subsystem, node, {{"dev", "241:0"}}},
        {"hid", "0003:" + vendor + ":" + product + ".0001", {{"country", "00"}}},
        {"usb", "1-1:1.0", {{"bInterfaceClass", "03"}, {"bInterfaceNumber", "00"}}},
        {"usb", "1-1", {{"idVendor", vendor}, {"idProduct", product}, {"busnum", "1"}}},
    };
}

std::string read_rule_file() {
    std::ifstream in(rule_file);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(UdevRule, ParsesAsUdevReadsIt) {
    const std::string text = read_rule_file();
    ASSERT_FALSE(text.empty()) << rule_file;
    std::string error;
    auto rules = parse_rules(text, error);
    ASSERT_TRUE(rules) << error;
    EXPECT_EQ(rules->size(), 1u);
    // uaccess is turned into an ACL by 73-seat-late.rules: the rule must come before it.
    const std::string name = rule_file.substr(rule_file.rfind('/') + 1);
    EXPECT_LT(std::stoi(name.substr(0, 2)), 73) << name;
}

TEST(UdevRule, GivesTheSeatUserTheCardsHidrawNodeOnly) {
    std::string error;
    const auto rules = parse_rules(read_rule_file(), error);
    ASSERT_TRUE(rules) << error;
    struct row {
        const char* what;
        std::vector<device> chain;
        bool granted;
    };
    const row rows[] = {
        {"the card's hidraw node", usb_hid_chain("hidraw", "hidraw0", "10c4", "8468"), true},
        {"another product of the vendor (a USB-serial bridge)",
         usb_hid_chain("hidraw", "hidraw1", "10c4", "ea60"), false},
        {"another vendor with the same product id",
         usb_hid_chain("hidraw", "hidraw2", "10c5", "8468"), false},
        {"the card's input device", usb_hid_chain("input", "event5", "10c4", "8468"), false},
        {"a HID device not on USB",
         {{"hidraw", "hidraw3", {}}, {"hid", "0018:10C4:8468.0002", {}}},
         false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const outcome o = apply(*rules, r.chain);
        EXPECT_EQ(o.tags.count("uaccess") == 1, r.granted);
        // Access goes with the seat, never to every user or to a fixed group.
        EXPECT_FALSE(o.mode.has_value());
        EXPECT_FALSE(o.group.has_value());
    }
}

// The reader and matcher above catch the faults a rule can have.
TEST(UdevRule, FaultyRulesAreCaught) {
    const auto card = usb_hid_chain("hidraw", "hidraw0", "10c4", "8468");
    struct row {
        const char* text;
        bool parses;
        bool granted;
    };
    const row rows[] = {
        {R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="10c4", ATTRS{idProduct}=="8468", TAG+="uaccess")",
         true, true},
        {"SUBSYSTEM==\"hidraw\", \\\n ATTRS{idVendor}==\"10c4\", TAG+=\"uaccess\"", true, true},
        // Upper-case hex never matches what sysfs writes.
        {R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="10C4", TAG+="uaccess")", true, false},
        // ATTR looks at the node itself, which has no ids.
        {R"(SUBSYSTEM=="hidraw", ATTR{idVendor}=="10c4", TAG+="uaccess")", true, false},
        // Vendor and product of two different parents do not make a match.
        {R"(SUBSYSTEM=="hidraw", ATTRS{idVendor}=="10c4", ATTRS{bInterfaceClass}=="03", TAG+="uaccess")",
         true, false},
        {R"(SUBSYSTEM="hidraw", TAG+="uaccess")", false, false},
        {R"(SUBSYSTEM==hidraw, TAG+="uaccess")", false, false},
        {R"(SUBSYSTEM=="hidraw, TAG+="uaccess")", false, false},
        {R"(SUBSYSTEM=="hidraw", ATTRS{idVendor=="10c4", TAG+="uaccess")", false, false},
        {R"(SUBSYSTEM=="hidraw", ATTRS=="10c4", TAG+="uaccess")", false, false},
        {R"(SUBSYTEM=="hidraw", TAG+="uaccess")", false, false},
        {R"(subsystem=="hidraw", TAG+="uaccess")", false, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.text);
        std::string error;
        const auto rules = parse_rules(r.text, error);
        EXPECT_EQ(rules.has_value(), r.parses) << error;
        if (rules) {
            EXPECT_EQ(apply(*rules, card).tags.count("uaccess") == 1, r.granted);
        }
    }
}

} // namespace

// The desktop entry, the MIME type and the AppStream metadata name the same file type, the
// same program and the same icon, and the entry's send action hands the file to the editor.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

namespace {

const std::string linux_dir = TESSALY_SOURCE_DIR "/resources/linux/";

std::string read(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The keys of one group of a desktop entry ("[Desktop Entry]", "[Desktop Action send]").
std::map<std::string, std::string> desktop_group(const std::string& text,
                                                 const std::string& group) {
    std::map<std::string, std::string> keys;
    std::istringstream in(text);
    std::string line;
    bool inside = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.front() == '[') {
            inside = line == "[" + group + "]";
            continue;
        }
        auto eq = line.find('=');
        if (inside && eq != std::string::npos)
            keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return keys;
}

std::string first_match(const std::string& text, const std::string& pattern) {
    std::smatch m;
    return std::regex_search(text, m, std::regex(pattern)) ? m[1].str() : std::string();
}

TEST(DesktopFiles, NameTheSameTypeProgramAndIcon) {
    const std::string entry_text = read(linux_dir + "tessaly.desktop");
    const auto entry = desktop_group(entry_text, "Desktop Entry");
    const std::string mime =
        first_match(read(linux_dir + "tessaly-zrp.xml"), "<mime-type type=\"([^\"]+)\"");
    const std::string glob =
        first_match(read(linux_dir + "tessaly-zrp.xml"), "<glob pattern=\"([^\"]+)\"");
    const std::string metainfo = read(linux_dir + "com.quorvel.tessaly.metainfo.xml");

    ASSERT_FALSE(mime.empty());
    EXPECT_EQ(glob, "*.zrp");
    EXPECT_EQ(entry.at("MimeType"), mime + ";");
    EXPECT_EQ(first_match(metainfo, "<mediatype>([^<]+)</mediatype>"), mime);
    EXPECT_EQ(first_match(metainfo, "<launchable type=\"desktop-id\">([^<]+)</launchable>"),
              "tessaly.desktop");
    EXPECT_EQ(first_match(metainfo, "<id>([^<]+)</id>") + ".metainfo.xml",
              "com.quorvel.tessaly.metainfo.xml");
    EXPECT_EQ(entry.at("Exec"), "tessaly %f");
    EXPECT_EQ(first_match(metainfo, "<binary>([^<]+)</binary>"), "tessaly");
    // The icon the entry names exists in the theme sizes the package installs.
    EXPECT_EQ(entry.at("Icon"), "tessaly");
    for (const char* icon : {"tessaly-48.png", "tessaly.svg"})
        EXPECT_TRUE(
            std::filesystem::exists(TESSALY_SOURCE_DIR "/resources/icons/" + std::string(icon)))
            << icon;
    // The card's USB ids, as the metadata announces them for hardware matching.
    EXPECT_EQ(first_match(metainfo, "<modalias>([^<]+)</modalias>"), "usb:v10C4p8468d*");
}

TEST(DesktopFiles, SendActionHandsTheFileToTheEditor) {
    const std::string text = read(linux_dir + "tessaly.desktop");
    const auto entry = desktop_group(text, "Desktop Entry");
    ASSERT_EQ(entry.at("Actions"), "send;");
    const auto send = desktop_group(text, "Desktop Action send");
    EXPECT_EQ(send.at("Name"), "Send to device");
    EXPECT_EQ(send.at("Exec"), "tessaly --send %f");
}

} // namespace

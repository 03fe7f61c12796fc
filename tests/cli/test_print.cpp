// tessaly-cli print: the saved map's lines in 66-line pages in a PDF, and the refusals.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct run_result {
    int status = -1;
    std::string err;
};

std::string quoted(const std::string& text) {
    return "'" + text + "'";
}

// Runs tessaly-cli with arguments, standard error captured into a file.
run_result run_cli(const std::string& arguments, const fs::path& folder) {
    const fs::path err = folder / "stderr.txt";
    const std::string command =
        quoted(TESSALY_CLI) + " " + arguments + " 2>" + quoted(err.string());
    run_result result;
    const int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(err);
    std::stringstream text;
    text << in.rdbuf();
    result.err = text.str();
    return result;
}

// The text of a PDF, pages separated by form feeds; empty when pdftotext is missing.
std::string pdf_text(const fs::path& pdf) {
    const std::string command = "pdftotext -layout " + quoted(pdf.string()) + " - 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        text.append(buffer, n);
    pclose(pipe);
    return text;
}

class cli_print : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("tessaly_cli_print_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    fs::path write_map(int lines) {
        const fs::path map = folder / "map.zrp";
        std::ofstream out(map);
        for (int i = 1; i <= lines; ++i)
            out << "text line " << i << "\n";
        return map;
    }

    fs::path folder;
};

TEST_F(cli_print, pages_of_66_lines) {
    struct case_t {
        int lines;
        int pages;
    };
    for (const case_t c : {case_t{66, 1}, case_t{67, 2}}) {
        SCOPED_TRACE(c.lines);
        const fs::path map = write_map(c.lines);
        const fs::path pdf = folder / "out.pdf";
        fs::remove(pdf);
        const run_result result =
            run_cli("print " + quoted(map.string()) + " -o " + quoted(pdf.string()), folder);
        EXPECT_EQ(result.status, 0);
        EXPECT_EQ(result.err, "");
        ASSERT_TRUE(fs::exists(pdf));
        std::ifstream in(pdf, std::ios::binary);
        std::string head(4, '\0');
        in.read(head.data(), 4);
        EXPECT_EQ(head, "%PDF");

        const std::string text = pdf_text(pdf);
        if (text.empty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
        // pdftotext ends every page with a form feed.
        std::vector<std::string> pages;
        std::stringstream split(text);
        for (std::string page; std::getline(split, page, '\f');)
            pages.push_back(page);
        ASSERT_EQ(static_cast<int>(pages.size()), c.pages);
        for (int p = 1; p <= c.pages; ++p) {
            const std::string& page = pages[static_cast<std::size_t>(p - 1)];
            EXPECT_NE(page.find(fs::absolute(map).string()), std::string::npos);
            EXPECT_NE(page.find("Page " + std::to_string(p) + " / " + std::to_string(c.pages)),
                      std::string::npos);
        }
        EXPECT_NE(pages[0].find("text line 66\n"), std::string::npos);
        EXPECT_NE(pages[0].find("text line 1\n"), std::string::npos);
        if (c.pages == 2) {
            EXPECT_EQ(pages[0].find("text line 67"), std::string::npos);
            EXPECT_NE(pages[1].find("text line 67"), std::string::npos);
        }
    }
}

TEST_F(cli_print, missing_file_is_refused) {
    const fs::path pdf = folder / "out.pdf";
    const std::string missing = (folder / "missing.zrp").string();
    const run_result result =
        run_cli("print " + quoted(missing) + " -o " + quoted(pdf.string()), folder);
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, "Failed to open File: " + missing +
                              " !\nYou need to save the file before printing !\n");
    EXPECT_FALSE(fs::exists(pdf));
}

} // namespace

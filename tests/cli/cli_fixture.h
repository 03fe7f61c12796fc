#pragma once
// Runs the real tessaly-cli binary in a scratch folder of its own per test, capturing its
// standard output, standard error and exit status.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>

class cli_fixture : public ::testing::Test {
  protected:
    struct result {
        int status;
        std::string out, err;
    };

    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("tessaly_") + info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "work");
        std::filesystem::create_directories(dir_ / "io");
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs tessaly-cli with args (shell words) in the work folder. With a time limit the run
    // is killed after that many seconds (its status is then 137).
    result run(const std::string& args, int time_limit_s = 0) const {
        std::string out = (dir_ / "io" / "out").string(), err = (dir_ / "io" / "err").string();
        std::string limit =
            time_limit_s > 0 ? "timeout -s KILL " + std::to_string(time_limit_s) + " " : "";
        std::string command = "cd '" + (dir_ / "work").string() + "' && " + limit +
                              "'" TESSALY_CLI "' " + args + " >'" + out + "' 2>'" + err + "'";
        int rc = std::system(command.c_str());
        return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, read(out), read(err)};
    }
    // A run that fails: its arguments, exit status and message. Without a message the text
    // is not looked at (a usage error, worded by the option parser).
    struct refusal {
        std::string args;
        int status;
        std::optional<std::string> err;
    };
    // Runs r.args (killed after time_limit_s seconds, if given) and expects its exit status,
    // its message and nothing on standard output.
    void expect_refusal(const refusal& r, int time_limit_s = 0) const {
        SCOPED_TRACE(r.args);
        const result got = run(r.args, time_limit_s);
        EXPECT_EQ(got.status, r.status);
        EXPECT_EQ(got.out, "");
        if (r.err) {
            EXPECT_EQ(got.err, *r.err);
        }
    }
    void write(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / "work" / name, std::ios::binary) << text;
    }
    std::string read_work(const std::string& name) const { return read(dir_ / "work" / name); }
    static std::string read(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path dir_;
};

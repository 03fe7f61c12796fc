#pragma once
// ombra-sim run as a program for one test, and the editor's saved link settings for the
// programs the test starts.

#include "sim_test_support.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace sim_test {

// An emulator running for one test, with its store, error list and transcript in dir.
class emulator {
  public:
    explicit emulator(const temp_dir& dir, std::vector<std::string> extra = {})
        : port(dir.file("card")), store(dir.file("store.zrp")), log(dir.file("card.log")) {
        write_file(dir.file("errors.txt"), "Register 40003: parameter unknown\nREGMAX too low");
        std::vector<std::string> argv = {
            program("sim/ombra-sim"), "--pty", port, "--store", store, "--errors",
            dir.file("errors.txt"),   "--log", log};
        argv.insert(argv.end(), extra.begin(), extra.end());
        process = std::make_unique<child_process>(argv);
        ready = process->first_line(10000);
    }
    // Stops the emulator so that its transcript is complete.
    std::string transcript() {
        EXPECT_EQ(process->terminate(), 0);
        return read_file(log);
    }

    std::string port, store, log, ready;
    std::unique_ptr<child_process> process;
};

// A settings folder for the child programs holding the editor's saved link settings.
inline std::vector<std::string> saved_settings(const temp_dir& dir, const std::string& use_link,
                                               const std::string& com_port) {
    std::string config = dir.file("config");
    std::filesystem::create_directories(config + "/Quorvel Applications");
    write_file(config + "/Quorvel Applications/Tessaly.conf",
               "[Settings]\nUseLink=" + use_link + "\nComPort=" + com_port + "\n");
    return {"XDG_CONFIG_HOME=" + config, "HOME=" + dir.path()};
}

} // namespace sim_test

#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempHome.h"

namespace cli_test {

// What one run of the program gave.
struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the real varneth-cli in a home of its own (settings, data folder and database start
// empty for every test), in English, with standard error kept apart from standard output.
class CliFixture : public testing::Test {
  protected:
    void SetUp() override {
        m_home = testing_support::MakeTempFolder("home");
        m_work = testing_support::MakeTempFolder("work");
    }

    CliRun Cli(const std::vector<std::string>& arguments) { return CliIn(m_home, arguments); }

    CliRun CliIn(const std::string& home, const std::vector<std::string>& arguments) {
        const std::string errFile = m_work + "/stderr.txt";
        // sh runs the program with the home's variables and sends its standard error to a file.
        std::vector<std::string> shell = {
            "-c",
            "home=$1; err=$2; shift 2; HOME=\"$home\" XDG_CONFIG_HOME=\"$home/.config\" "
            "XDG_DOCUMENTS_DIR=\"$home/Documents\" XDG_DATA_HOME=\"$home/.local/share\" "
            "LANGUAGE=en_US VARNETH_TRACE= exec \"$@\" 2>\"$err\"",
            "sh",
            home,
            errFile,
            std::string(VARNETH_BIN_DIR) + "/varneth-cli"};
        shell.insert(shell.end(), arguments.begin(), arguments.end());
        CliRun run;
        run.status = testing_support::ChildProcess::Run("/bin/sh", shell, &run.out);
        run.err = testing_support::ReadFile(errFile);
        return run;
    }

    // The program on the virtual mouse, kept in one state file for the whole test.
    CliRun Sim(std::vector<std::string> arguments, const std::string& mode = "wired") {
        arguments.insert(arguments.begin(),
                         {"--simulate=" + mode, "--sim-state", m_work + "/mouse.json"});
        return Cli(arguments);
    }

    static nlohmann::json Json(const CliRun& run) {
        return nlohmann::json::parse(run.out, nullptr, /*allow_exceptions=*/false);
    }

    static std::vector<std::string> FilesIn(const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
            if (!entry.is_directory()) {
                names.push_back(std::filesystem::relative(entry.path(), folder).string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string m_home;
    std::string m_work;
};

// For failure messages: everything a run printed.
inline std::ostream& operator<<(std::ostream& os, const CliRun& run) {
    return os << "status " << run.status << "\nout: " << run.out << "\nerr: " << run.err;
}

}  // namespace cli_test

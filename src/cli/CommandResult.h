#pragma once

#include <nlohmann/json.hpp>
#include <string>

namespace cli {

// Exit statuses of the program.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;  // the command could not do its work
inline constexpr int kExitUsage = 2;   // the command line was wrong

// What a command did: the text or the JSON document for standard output, or the error for
// standard error.
struct CommandResult {
    int exitCode = kExitDone;
    std::string text;             // printed without --json (each line ends in '\n')
    nlohmann::ordered_json json;  // printed with --json
    std::string error;            // plain words, printed on standard error

    static CommandResult Done(std::string text, nlohmann::ordered_json json) {
        return {kExitDone, std::move(text), std::move(json), {}};
    }
    static CommandResult Failed(std::string error) {
        return {kExitFailed, {}, nullptr, std::move(error)};
    }
    static CommandResult Usage(std::string error) {
        return {kExitUsage, {}, nullptr, std::move(error)};
    }
};

}  // namespace cli

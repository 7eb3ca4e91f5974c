#pragma once

#include <CLI/CLI.hpp>

#include "cli/CommandResult.h"

namespace cli {

class CliSession;

// One command of the program. It adds itself (its name, arguments and help) to the parser, and
// runs once the parser chose it and the session has started.
class CliCommand {
  public:
    virtual ~CliCommand() = default;

    // Adds the command to `parent`; the answer is its parser, which tells whether it was chosen.
    virtual CLI::App* Add(CLI::App& parent) = 0;
    // Does the work. The session has run the program's start-up.
    virtual CommandResult Run(CliSession& session) = 0;
};

}  // namespace cli

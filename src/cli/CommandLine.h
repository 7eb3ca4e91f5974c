#pragma once

#include <iosfwd>
#include <memory>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/GlobalOptions.h"

namespace cli {

// The program varneth-cli: parses the command line, runs the chosen command on a started
// session and prints its result, as text or as one JSON document (--json) on standard output
// and errors in plain words on standard error. Exit status 0 when the command did its work,
// 1 when it could not, 2 for a wrong command line.
class CommandLine {
  public:
    CommandLine();
    ~CommandLine();

    int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

  private:
    GlobalOptions m_options;
    std::vector<std::unique_ptr<CliCommand>> m_commands;
};

}  // namespace cli

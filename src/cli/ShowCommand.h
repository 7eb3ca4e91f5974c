#pragma once

#include "cli/CliCommand.h"

namespace cli {

// show: the current profile's configuration values and its stored button assignments.
class ShowCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;
};

}  // namespace cli

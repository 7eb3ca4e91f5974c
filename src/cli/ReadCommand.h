#pragma once

#include "cli/CliCommand.h"

namespace cli {

// read: reads the mouse's settings into the store, as the read button of the profile bar does.
class ReadCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;
};

}  // namespace cli

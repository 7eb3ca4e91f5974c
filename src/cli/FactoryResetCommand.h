#pragma once

#include "cli/CliCommand.h"

namespace cli {

// factory-reset: empties the whole store and writes the factory settings to the mouse, as the
// settings page's factory reset does (after --yes or a yes on the terminal).
class FactoryResetCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;

  private:
    bool m_yes = false;
};

}  // namespace cli

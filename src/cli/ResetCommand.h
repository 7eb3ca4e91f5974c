#pragma once

#include "cli/CliCommand.h"

namespace cli {

// reset: restores the current profile's defaults in the store and writes them to the mouse, as the
// restore-defaults button of the profile bar does (after --yes or a yes on the terminal).
class ResetCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;

  private:
    bool m_yes = false;
};

}  // namespace cli

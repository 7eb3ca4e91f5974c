#pragma once

#include "cli/CliCommand.h"

namespace cli {

// profile [N]: shows the profiles and the current one, or makes profile N current, as the key
// page's profile selector does.
class ProfileCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;

  private:
    int m_profile = 0;  // 0: only show
};

}  // namespace cli

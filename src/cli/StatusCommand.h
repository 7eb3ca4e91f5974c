#pragma once

#include "cli/CliCommand.h"

namespace cli {

// status: the connection state and its status text, the battery and the firmware version.
class StatusCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;
};

}  // namespace cli

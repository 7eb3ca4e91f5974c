#pragma once

#include "cli/CliCommand.h"

namespace cli {

// upload: sends the current profile to the mouse, as the apply button of the profile bar does.
class UploadCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;
};

}  // namespace cli

#pragma once

#include "cli/CliCommand.h"

#include <string>

namespace cli {

// set KEY VALUE: stores one configuration value of the current profile, after checking it is a
// value the pages and the mouse work with. It reaches the mouse with the next upload.
class SetCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;

  private:
    std::string m_key;
    std::string m_value;
};

}  // namespace cli

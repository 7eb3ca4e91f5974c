#pragma once

#include "cli/CliCommand.h"

#include <string>

namespace cli {

// export-profile FILE: writes the current profile to a profile exchange file.
class ExportProfileCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;

  private:
    std::string m_file;
    bool m_force = false;
};

}  // namespace cli

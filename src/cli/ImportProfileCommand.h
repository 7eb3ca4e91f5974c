#pragma once

#include "cli/CliCommand.h"

#include <string>

namespace cli {

// import-profile FILE: reads a profile exchange file into the current profile.
class ImportProfileCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;

  private:
    std::string m_file;
};

}  // namespace cli

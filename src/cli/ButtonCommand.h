#pragma once

#include "cli/CliCommand.h"

#include <string>
#include <vector>

namespace cli {

// button N FUNCTION [ARGUMENT]: assigns a function to button N of the key page (1 to 7) in the
// current profile, stored exactly as the key page and its key-assignment dialog store it. It
// reaches the mouse with the next upload.
class ButtonCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;

  private:
    int m_button = 0;
    std::string m_function;
    std::vector<std::string> m_arguments;
    bool m_shift = false;
    bool m_ctrl = false;
    bool m_alt = false;
    bool m_win = false;
};

}  // namespace cli

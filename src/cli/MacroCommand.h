#pragma once

#include "cli/CliCommand.h"

#include <string>

namespace cli {

// macro list | new | export ID DIR | import FILE | delete ID | rename ID NAME: the macro page's
// list actions and its macro exchange files.
class MacroCommand final : public CliCommand {
  public:
    CLI::App* Add(CLI::App& parent) override;
    CommandResult Run(CliSession& session) override;

  private:
    CommandResult List(CliSession& session);
    CommandResult New(CliSession& session);
    CommandResult Export(CliSession& session);
    CommandResult Import(CliSession& session);
    CommandResult Delete(CliSession& session);
    CommandResult Rename(CliSession& session);

    CLI::App* m_list = nullptr;
    CLI::App* m_new = nullptr;
    CLI::App* m_export = nullptr;
    CLI::App* m_import = nullptr;
    CLI::App* m_delete = nullptr;
    CLI::App* m_rename = nullptr;
    int m_id = 0;
    std::string m_path;
    std::string m_name;
};

}  // namespace cli

#pragma once

#include <string>
#include <vector>

#include "store/ProfileDatabase.h"

namespace store_test {

using Row = std::vector<std::string>;
using Rows = std::vector<Row>;

// Reads a database file the way any SQLite client would, through its own read-only
// connection: every value as text, NULL as "<null>". An unreadable file gives one row
// holding "<error>" and SQLite's message.
Rows Query(const std::string& path, const std::string& sql);
// The first column of the first row, or "<none>".
std::string QueryOne(const std::string& path, const std::string& sql);
// Runs SQL on the file through a separate read-write connection, creating the file when it
// does not exist (to plant rows, triggers or foreign tables); true on success.
bool Run(const std::string& path, const std::string& sql);

// The whole content of a file ("<missing>" when it cannot be read).
std::string FileBytes(const std::string& path);
bool Exists(const std::string& path);

// A fresh data folder ("<temp>/", with its "db" subfolder) and a store object of its own.
class StoreFolder {
  public:
    StoreFolder();
    ~StoreFolder();
    const std::string& Folder() const { return m_folder; }  // ends in '/'
    std::string PathOf(const std::u16string& name) const;

  private:
    std::string m_folder;
};

// Sets the user-interface language for one scope.
class ScopedLanguage {
  public:
    explicit ScopedLanguage(int language);
    ~ScopedLanguage();

  private:
    int m_previous;
};

// Makes file permissions apply to this thread even when the tests run as root: the thread's
// file-system user becomes an unprivileged one for the scope (Linux keeps it per thread), so a
// read-only file or folder really is read-only. Folders of the test home are opened for
// traversal so that user can reach the files.
class ScopedUnprivileged {
  public:
    ScopedUnprivileged();
    ~ScopedUnprivileged();

  private:
    int m_previous = -1;
};

}  // namespace store_test

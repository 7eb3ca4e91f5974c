#pragma once

#include <string>

namespace testing_support {

// A fresh temporary folder that stands in for the user's home for the whole test program:
// HOME, XDG_CONFIG_HOME, XDG_DOCUMENTS_DIR, XDG_DATA_HOME and XDG_RUNTIME_DIR all point into
// it, so no test ever reads or writes the real home. Set up by the test programs' main().
const std::string& TestHome();

// Creates the temporary home and points the environment at it. Called once by main().
void InstallTestHome();

// Removes the temporary home. Called by main() at exit.
void RemoveTestHome();

// A new empty folder inside the test home, ending without '/'.
std::string MakeTempFolder(const std::string& stem = "t");

// Removes a folder and everything below it (ignores errors).
void RemoveTree(const std::string& path);

// Writes a file (creating nothing else); true on success.
bool WriteFile(const std::string& path, const std::string& contents);
std::string ReadFile(const std::string& path);

}  // namespace testing_support

#pragma once

#include <string>

namespace platform {

// The product name. It names the settings folder, the data folder, the single-instance lock
// and socket, the autostart entry and the main window's caption.
inline constexpr char kProductName[] = "Varneth software";

// The folder of the running executable (the folder of /proc/self/exe), ending in '/'.
std::string ExeFolder();

// The user's data folder: the documents folder (XDG_DOCUMENTS_DIR from the environment or from
// user-dirs.dirs, else $HOME/Documents) followed by "Varneth software MouseDbFiles/".
std::string DataFolder();

// The folder that holds the program's settings file: $XDG_CONFIG_HOME (else $HOME/.config)
// followed by "Varneth software/".
std::string SettingsFolder();

// $XDG_CONFIG_HOME, else $HOME/.config, without a trailing '/'.
std::string ConfigHome();

// Creates a folder and its missing parents. Every prefix ending at a '/' after the first one is
// created in turn (errors ignored), then the full path. Returns true when the path is a
// directory afterwards; false when it could not be created or exists as something else.
bool EnsureFolder(const std::string& path);

// True when the path names an existing directory.
bool IsDirectory(const std::string& path);

}  // namespace platform

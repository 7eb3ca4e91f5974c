#pragma once

#include <optional>
#include <string>

namespace platform {

// Whole-file reading with a size cap: nullopt when the file cannot be opened or read, or is
// larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, size_t maxBytes);

// Replaces a file atomically: writes a temporary file in the same folder, flushes it to disk
// and renames it over the target. On failure the old file is untouched and false is returned.
bool WriteFileAtomically(const std::string& path, const std::string& contents);

}  // namespace platform

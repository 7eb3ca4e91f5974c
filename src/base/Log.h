#pragma once

#include <string_view>

namespace base {

// Diagnostic lines for the person running the program: written to standard error with the
// program's name in front. They carry no behaviour; tests may capture them.
void LogLine(std::string_view line);

// Replaces where log lines go (null restores standard error). Tests only.
using LogSink = void (*)(std::string_view line);
void SetLogSink(LogSink sink);

}  // namespace base

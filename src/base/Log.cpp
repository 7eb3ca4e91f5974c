#include "base/Log.h"

#include <atomic>
#include <cstdio>
#include <string>

namespace base {

namespace {
std::atomic<LogSink> g_sink{nullptr};
}

void LogLine(std::string_view line) {
    if (LogSink sink = g_sink.load()) {
        sink(line);
        return;
    }
    std::string text = "varneth: ";
    text.append(line);
    text.push_back('\n');
    std::fwrite(text.data(), 1, text.size(), stderr);
}

void SetLogSink(LogSink sink) { g_sink.store(sink); }

}  // namespace base

#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

namespace device {

// A log of every report the program exchanges with the mouse, for looking at the protocol on
// a real device. One report per line, appended to a file:
//   "> "  and the 65 bytes of a write (report ID first)
//   "< "  and the bytes a read returned
//   "F> " and the bytes of a feature report sent
//   "F< " and the bytes a feature report request returned
// Bytes are two upper-case hex digits separated by single spaces. Each line is flushed at once,
// so the trace survives a crash. Safe to use from several threads.
class ProtocolTrace {
  public:
    static constexpr std::string_view kWrite = "> ";
    static constexpr std::string_view kRead = "< ";
    static constexpr std::string_view kFeatureSend = "F> ";
    static constexpr std::string_view kFeatureGet = "F< ";
    // The environment variable that names a trace file for the whole program.
    static constexpr char kEnvironmentVariable[] = "VARNETH_TRACE";

    ProtocolTrace() = default;
    ~ProtocolTrace();
    ProtocolTrace(const ProtocolTrace&) = delete;
    ProtocolTrace& operator=(const ProtocolTrace&) = delete;

    // Starts appending to the file (created when missing); stops a previous trace first. An
    // empty path only stops. False when the file cannot be opened (no trace is written then).
    bool Open(const std::string& path);
    // Opens the file named by VARNETH_TRACE, when it is set and not empty.
    bool OpenFromEnvironment();
    void Close();
    bool IsOpen() const;

    // Appends one line: prefix and the bytes. Nothing happens while no file is open.
    void Record(std::string_view prefix, std::span<const uint8_t> bytes);

    // The line Record writes, without the line feed.
    static std::string FormatLine(std::string_view prefix, std::span<const uint8_t> bytes);

  private:
    mutable std::mutex m_mutex;
    std::FILE* m_file = nullptr;
};

}  // namespace device

#include "device/ProtocolTrace.h"

#include <cstdlib>

namespace device {

ProtocolTrace::~ProtocolTrace() {
    Close();
}

bool ProtocolTrace::Open(const std::string& path) {
    std::lock_guard lock(m_mutex);
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    if (path.empty()) {
        return false;
    }
    m_file = std::fopen(path.c_str(), "ae");
    return m_file != nullptr;
}

bool ProtocolTrace::OpenFromEnvironment() {
    const char* path = std::getenv(kEnvironmentVariable);
    if (!path || !*path) {
        return false;
    }
    return Open(path);
}

void ProtocolTrace::Close() {
    std::lock_guard lock(m_mutex);
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

bool ProtocolTrace::IsOpen() const {
    std::lock_guard lock(m_mutex);
    return m_file != nullptr;
}

void ProtocolTrace::Record(std::string_view prefix, std::span<const uint8_t> bytes) {
    std::lock_guard lock(m_mutex);
    if (!m_file) {
        return;
    }
    std::string line = FormatLine(prefix, bytes);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
}

std::string ProtocolTrace::FormatLine(std::string_view prefix, std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string line(prefix);
    line.reserve(prefix.size() + bytes.size() * 3);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            line += ' ';
        }
        line += kDigits[bytes[i] >> 4];
        line += kDigits[bytes[i] & 0x0F];
    }
    return line;
}

}  // namespace device

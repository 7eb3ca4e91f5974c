#include "protocol/CommandReport.h"

#include <algorithm>

#include "protocol/CommandSet.h"

namespace protocol {

CommandReport CommandReport::For(uint8_t code, uint8_t profileIndex) {
    CommandReport report;
    report[kQMarker] = kRequestMarker;
    report[kQCode] = code;
    const CommandFrame* frame = FindCommandFrame(code);
    report[kQAccess] = frame ? frame->access : kAccessDefault;
    report[kQLength] = frame ? frame->length : 0;
    if (frame && frame->hasProfile) {
        report[kQProfile] = profileIndex;
    }
    return report;
}

CommandReport CommandReport::MacroChunk(uint16_t offset, std::span<const uint8_t> bytes) {
    CommandReport report = For(CMD_MACRO_DATA);
    const size_t length = std::min(bytes.size(), static_cast<size_t>(kMacroChunkSize));
    report[kQLength] = static_cast<uint8_t>(length);
    report[kQOffsetLow] = static_cast<uint8_t>(offset & 0xFF);
    report[kQOffsetHigh] = static_cast<uint8_t>(offset >> 8);
    std::copy_n(bytes.begin(), length, report.m_bytes.begin() + kQData);
    return report;
}

uint8_t CommandReport::Checksum() const {
    unsigned sum = 0;
    for (size_t i = kQLength; i < kSize; ++i) {
        sum += m_bytes[i];
    }
    return static_cast<uint8_t>(sum);
}

void CommandReport::FillChecksum() {
    m_bytes[kQChecksum] = Checksum();
}

bool CommandReport::IsAccepted() const {
    return m_bytes[kRStatus] == kReplyAccepted;
}

bool CommandReport::IsReplyTo(uint8_t code) const {
    return IsAccepted() && m_bytes[kREcho] == code;
}

std::string CommandReport::ToHex() const {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(kSize * 3);
    for (size_t i = 0; i < kSize; ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += kDigits[m_bytes[i] >> 4];
        text += kDigits[m_bytes[i] & 0x0F];
    }
    return text;
}

}  // namespace protocol

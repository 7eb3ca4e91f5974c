#include "protocol/QueryFeatureString.h"

#include <iconv.h>

#include <algorithm>
#include <array>

#include "base/Clock.h"
#include "protocol/CommandSet.h"

namespace protocol {

namespace {

constexpr int kGetAttempts = 10;
constexpr uint32_t kGetRetryDelayMs = 10;
constexpr size_t kLengthIndex = 2;
constexpr char16_t kDefaultText[] = u"0.0.0";

// Windows-1252 bytes to UTF-16. Bytes the code page leaves undefined become U+FFFD.
std::u16string FromWindows1252(std::span<const uint8_t> bytes) {
    std::u16string text;
    iconv_t cd = iconv_open("UTF-16LE", "WINDOWS-1252");
    for (const uint8_t byte : bytes) {
        if (byte < 0x80 || cd == reinterpret_cast<iconv_t>(-1)) {
            text.push_back(byte < 0x80 ? char16_t(byte) : u'\uFFFD');
            continue;
        }
        char in = static_cast<char>(byte);
        char out[4] = {};
        char* inPtr = &in;
        char* outPtr = out;
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) ||
            outLeft != 2) {
            text.push_back(u'\uFFFD');
        } else {
            text.push_back(static_cast<char16_t>(static_cast<uint8_t>(out[0]) |
                                                 (static_cast<uint8_t>(out[1]) << 8)));
        }
    }
    if (cd != reinterpret_cast<iconv_t>(-1)) {
        iconv_close(cd);
    }
    return text;
}

uint8_t TargetByte(int target) {
    return (target == 1 || target == 3) ? kFeatureTargetReceiver : kFeatureTargetMouse;
}

}  // namespace

std::u16string FeatureAnswerText(std::span<const uint8_t> answer) {
    const size_t present = std::min(answer.size(), static_cast<size_t>(kFeatureReportSize));
    if (present <= static_cast<size_t>(kFeatureTextOffset)) {
        return {};
    }
    const size_t length = answer[kLengthIndex];
    const size_t end = std::min(present, kFeatureTextOffset + length);
    auto first = answer.begin() + kFeatureTextOffset;
    auto last = std::find(first, answer.begin() + static_cast<std::ptrdiff_t>(end), 0);
    return FromWindows1252(std::span<const uint8_t>(first, last));
}

bool QueryFeatureString(device::DeviceManager& manager, int target, std::u16string& text) {
    text = kDefaultText;
    if (!manager.IsOpened()) {
        return false;
    }
    const std::shared_ptr<platform::HidDevice> device = manager.ActiveConnection();
    if (!device) {
        return false;
    }
    std::array<uint8_t, kFeatureReportSize> report{};
    report[0] = kFeatureReportId;
    report[1] = kFeatureTextRequest;
    report[2] = TargetByte(target);
    if (manager.SendFeatureReport(device.get(), report) <= 0) {
        return true;
    }
    int received = 0;
    for (int attempt = 0; attempt < kGetAttempts; ++attempt) {
        if (attempt > 0) {
            base::DefaultClock().Sleep(kGetRetryDelayMs);
        }
        report.fill(0);
        report[0] = kFeatureReportId;
        received = manager.GetFeatureReport(device.get(), report);
        if (received > 0) {
            break;
        }
    }
    if (received <= 0) {
        return true;
    }
    const std::u16string answer =
        FeatureAnswerText(std::span<const uint8_t>(report.data(), static_cast<size_t>(received)));
    if (!answer.empty()) {
        text = answer;
    }
    return true;
}

bool QueryFeatureString(int target, std::u16string& text) {
    return QueryFeatureString(device::DeviceManager::Instance(), target, text);
}

}  // namespace protocol

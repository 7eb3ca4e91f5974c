#include "sim/VirtualMouse.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "protocol/CommandSet.h"

namespace sim {

namespace {

using protocol::kReplyAccepted;

// Positions in the payload P (the report without its report ID): P[k] is request byte Q[k+1].
constexpr size_t kPMarker = 0;
constexpr size_t kPCode = 1;
constexpr size_t kPAccess = 2;
constexpr size_t kPChecksum = 3;
constexpr size_t kPLength = 4;
constexpr size_t kPOffsetLow = 5;
constexpr size_t kPOffsetHigh = 6;
constexpr size_t kPProfile = 7;
constexpr size_t kPData = 8;       // Q[9]
constexpr size_t kPSetValue = 10;  // Q[11]: the value of the three-byte "set" commands

// Reply positions.
constexpr size_t kRData = 8;
constexpr size_t kRVersion = 23;

// Settings block positions (block[k] is R[8+k] and Q[9+k]).
constexpr size_t kBlockProfile = 0;
constexpr size_t kBlockLightMode = 1;
constexpr size_t kBlockReportRate = 2;
constexpr size_t kBlockStage = 4;
constexpr size_t kBlockDpiValues = 5;
constexpr int kStages = 6;

// Defaults of a fresh mouse.
constexpr char kDefaultFirmware[] = "103";
constexpr uint8_t kDefaultBatteryLevel = 85;
constexpr uint8_t kDefaultBatteryState = 0;
constexpr char kDefaultMouseText[] = "1.0.3";
constexpr char kDefaultReceiverText[] = "2.1.0";

constexpr int kStateVersion = 1;

std::string ToHex(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// Exactly out.size() bytes of hex text; false on any other length or a non-hex character.
bool FromHex(const std::string& text, std::span<uint8_t> out) {
    if (text.size() != out.size() * 2) {
        return false;
    }
    for (size_t i = 0; i < out.size(); ++i) {
        const int high = HexDigit(text[2 * i]);
        const int low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        out[i] = static_cast<uint8_t>(high * 16 + low);
    }
    return true;
}

bool ReadByteField(const nlohmann::json& j, const char* name, uint8_t& out, std::string& error) {
    if (!j.contains(name) || !j[name].is_number_integer()) {
        error = std::string("\"") + name + "\" is missing or not a number";
        return false;
    }
    const auto value = j[name].get<int64_t>();
    if (value < 0 || value > 255) {
        error = std::string("\"") + name + "\" is not a byte";
        return false;
    }
    out = static_cast<uint8_t>(value);
    return true;
}

bool ReadTextField(const nlohmann::json& j, const char* name, std::string& out,
                   std::string& error) {
    if (!j.contains(name) || !j[name].is_string()) {
        error = std::string("\"") + name + "\" is missing or not text";
        return false;
    }
    out = j[name].get<std::string>();
    return true;
}

}  // namespace

VirtualMouse::VirtualMouse() {
    Reset();
}

void VirtualMouse::Reset() {
    for (auto& block : m_settings) {
        block.fill(0xFF);
    }
    for (auto& entries : m_buttons) {
        entries.fill(0xFF);
    }
    m_macroImage.assign(kMacroImageSize, 0);
    m_macroDoneCount = 0;
    std::copy_n(kDefaultFirmware, 3, m_firmware.begin());
    m_batteryLevel = kDefaultBatteryLevel;
    m_batteryState = kDefaultBatteryState;
    m_mouseText = kDefaultMouseText;
    m_receiverText = kDefaultReceiverText;
}

VirtualMouse::Outcome VirtualMouse::Reject(uint8_t code) {
    ++m_rejected;
    Outcome outcome;
    outcome.reply[0] = kRejected;
    outcome.reply[1] = code;
    return outcome;
}

VirtualMouse::Outcome VirtualMouse::HandleCommand(std::span<const uint8_t, kPayloadSize> p) {
    const uint8_t code = p[kPCode];
    if (p[kPMarker] != protocol::kRequestMarker) {
        return Reject(code);
    }
    const protocol::CommandFrame* frame = protocol::FindCommandFrame(code);
    if (!frame || p[kPAccess] != frame->access) {
        return Reject(code);
    }
    unsigned sum = 0;
    for (size_t i = kPLength; i < kPayloadSize; ++i) {
        sum += p[i];
    }
    if (p[kPChecksum] != static_cast<uint8_t>(sum)) {
        return Reject(code);
    }
    const size_t length = p[kPLength];
    const size_t offset = p[kPOffsetLow] | (static_cast<size_t>(p[kPOffsetHigh]) << 8);
    if (code == protocol::CMD_MACRO_DATA) {
        if (length > static_cast<size_t>(protocol::kMacroChunkSize) ||
            offset + length > kMacroImageSize) {
            return Reject(code);
        }
    } else if (length != frame->length) {
        return Reject(code);
    }
    const int profile = p[kPProfile];
    if (frame->hasProfile && profile >= kProfiles) {
        return Reject(code);
    }

    Outcome outcome;
    outcome.reply[0] = kReplyAccepted;
    outcome.reply[1] = code;
    Payload& r = outcome.reply;
    switch (code) {
        case protocol::CMD_READ_VERSION:
            std::copy(m_firmware.begin(), m_firmware.end(), r.begin() + kRVersion);
            break;
        case protocol::CMD_READ_KEYS: {
            const ButtonEntries& entries = m_buttons[static_cast<size_t>(profile)];
            std::copy(entries.begin(), entries.end(), r.begin() + kRData);
            break;
        }
        case protocol::CMD_WRITE_KEYS:
            std::copy_n(p.begin() + kPData, kButtonBytes,
                        m_buttons[static_cast<size_t>(profile)].begin());
            outcome.changed = true;
            break;
        case protocol::CMD_MACRO_DATA:
            std::copy_n(p.begin() + kPData, length, m_macroImage.begin() + offset);
            outcome.changed = length > 0;
            break;
        case protocol::CMD_READ_SETTINGS: {
            const SettingsBlock& block = m_settings[static_cast<size_t>(profile)];
            std::copy(block.begin(), block.end(), r.begin() + kRData);
            r[kRData + kBlockProfile] = static_cast<uint8_t>(profile);
            break;
        }
        case protocol::CMD_WRITE_SETTINGS:
            std::copy_n(p.begin() + kPData, kSettingsSize,
                        m_settings[static_cast<size_t>(profile)].begin());
            outcome.changed = true;
            break;
        case protocol::CMD_MACRO_DONE:
            ++m_macroDoneCount;
            outcome.changed = true;
            break;
        case protocol::CMD_SET_LIGHT_MODE:
            m_settings[static_cast<size_t>(profile)][kBlockLightMode] = p[kPSetValue];
            outcome.changed = true;
            break;
        case protocol::CMD_SET_DPI: {
            const int stage = p[kPSetValue];
            if (stage < 1 || stage > kStages) {
                return Reject(code);
            }
            SettingsBlock& block = m_settings[static_cast<size_t>(profile)];
            block[kBlockProfile] = static_cast<uint8_t>(profile);
            block[kBlockStage] = static_cast<uint8_t>(stage);
            const size_t at = kBlockDpiValues + 2 * static_cast<size_t>(stage - 1);
            block[at] = p[kPSetValue + 1];
            block[at + 1] = p[kPSetValue + 2];
            outcome.changed = true;
            break;
        }
        case protocol::CMD_SET_REPORT_RATE:
            m_settings[static_cast<size_t>(profile)][kBlockReportRate] = p[kPSetValue];
            outcome.changed = true;
            break;
        case protocol::CMD_READ_BATTERY:
            r[kRData] = m_batteryLevel;
            r[kRData + 1] = m_batteryState;
            break;
        default:
            return Reject(code);
    }
    outcome.accepted = true;
    ++m_accepted[code];
    return outcome;
}

VirtualMouse::SettingsBlock VirtualMouse::Settings(int profileIndex) const {
    if (profileIndex < 0 || profileIndex >= kProfiles) {
        SettingsBlock block;
        block.fill(0xFF);
        return block;
    }
    return m_settings[static_cast<size_t>(profileIndex)];
}

void VirtualMouse::SetSettings(int profileIndex, const SettingsBlock& block) {
    if (profileIndex >= 0 && profileIndex < kProfiles) {
        m_settings[static_cast<size_t>(profileIndex)] = block;
    }
}

VirtualMouse::ButtonEntries VirtualMouse::Buttons(int profileIndex) const {
    if (profileIndex < 0 || profileIndex >= kProfiles) {
        ButtonEntries entries;
        entries.fill(0xFF);
        return entries;
    }
    return m_buttons[static_cast<size_t>(profileIndex)];
}

void VirtualMouse::SetButtons(int profileIndex, const ButtonEntries& entries) {
    if (profileIndex >= 0 && profileIndex < kProfiles) {
        m_buttons[static_cast<size_t>(profileIndex)] = entries;
    }
}

std::string VirtualMouse::FirmwareVersion() const {
    return std::string(m_firmware.begin(), m_firmware.end());
}

void VirtualMouse::SetFirmwareVersion(std::string_view threeCharacters) {
    m_firmware.fill('0');
    std::copy_n(threeCharacters.begin(), std::min<size_t>(threeCharacters.size(), 3),
                m_firmware.begin());
}

void VirtualMouse::SetBattery(uint8_t level, uint8_t state) {
    m_batteryLevel = level;
    m_batteryState = state;
}

int VirtualMouse::AcceptedCount(uint8_t code) const {
    const auto it = m_accepted.find(code);
    return it == m_accepted.end() ? 0 : it->second;
}

std::string VirtualMouse::ToJson() const {
    nlohmann::json j;
    j["version"] = kStateVersion;
    nlohmann::json profiles = nlohmann::json::array();
    for (int i = 0; i < kProfiles; ++i) {
        profiles.push_back({{"settings", ToHex(m_settings[static_cast<size_t>(i)])},
                            {"buttons", ToHex(m_buttons[static_cast<size_t>(i)])}});
    }
    j["profiles"] = profiles;
    j["macro_image"] = ToHex(m_macroImage);
    j["macro_done_count"] = m_macroDoneCount;
    j["firmware"] = FirmwareVersion();
    j["battery_level"] = m_batteryLevel;
    j["battery_state"] = m_batteryState;
    // Texts are kept as bytes, so 8-bit texts survive the JSON's UTF-8.
    j["mouse_text"] = ToHex(std::span<const uint8_t>(
        reinterpret_cast<const uint8_t*>(m_mouseText.data()), m_mouseText.size()));
    j["receiver_text"] = ToHex(std::span<const uint8_t>(
        reinterpret_cast<const uint8_t*>(m_receiverText.data()), m_receiverText.size()));
    return j.dump(2) + "\n";
}

bool VirtualMouse::FromJson(std::string_view text, std::string& error) {
    const nlohmann::json j = nlohmann::json::parse(text, nullptr, false);
    if (j.is_discarded() || !j.is_object()) {
        error = "not a JSON object";
        return false;
    }
    if (!j.contains("version") || j["version"] != kStateVersion) {
        error = "unknown state version";
        return false;
    }
    VirtualMouse loaded;
    loaded.m_accepted = m_accepted;
    loaded.m_rejected = m_rejected;
    if (!j.contains("profiles") || !j["profiles"].is_array() ||
        j["profiles"].size() != static_cast<size_t>(kProfiles)) {
        error = "\"profiles\" must list five profiles";
        return false;
    }
    for (size_t i = 0; i < static_cast<size_t>(kProfiles); ++i) {
        const nlohmann::json& profile = j["profiles"][i];
        if (!profile.is_object() || !profile.contains("settings") ||
            !profile["settings"].is_string() || !profile.contains("buttons") ||
            !profile["buttons"].is_string() ||
            !FromHex(profile["settings"].get<std::string>(), loaded.m_settings[i]) ||
            !FromHex(profile["buttons"].get<std::string>(), loaded.m_buttons[i])) {
            error = "profile " + std::to_string(i + 1) + " is not 46 settings and 36 button bytes";
            return false;
        }
    }
    std::string hex;
    if (!ReadTextField(j, "macro_image", hex, error) || !FromHex(hex, loaded.m_macroImage)) {
        error = "\"macro_image\" is not 4224 bytes";
        return false;
    }
    if (!j.contains("macro_done_count") || !j["macro_done_count"].is_number_integer() ||
        j["macro_done_count"].get<int64_t>() < 0 ||
        j["macro_done_count"].get<int64_t>() > 1'000'000'000) {
        error = "\"macro_done_count\" is not a count";
        return false;
    }
    loaded.m_macroDoneCount = j["macro_done_count"].get<int>();
    std::string firmware;
    if (!ReadTextField(j, "firmware", firmware, error)) {
        return false;
    }
    if (firmware.size() != 3) {
        error = "\"firmware\" must be three characters";
        return false;
    }
    loaded.SetFirmwareVersion(firmware);
    if (!ReadByteField(j, "battery_level", loaded.m_batteryLevel, error) ||
        !ReadByteField(j, "battery_state", loaded.m_batteryState, error)) {
        return false;
    }
    for (auto [name, target] : {std::pair{"mouse_text", &loaded.m_mouseText},
                                std::pair{"receiver_text", &loaded.m_receiverText}}) {
        if (!ReadTextField(j, name, hex, error)) {
            return false;
        }
        std::vector<uint8_t> bytes(hex.size() / 2);
        if (hex.size() % 2 != 0 || bytes.size() > kPayloadSize || !FromHex(hex, bytes)) {
            error = std::string("\"") + name + "\" is not hex text of at most 64 bytes";
            return false;
        }
        target->assign(bytes.begin(), bytes.end());
    }
    *this = std::move(loaded);
    return true;
}

}  // namespace sim

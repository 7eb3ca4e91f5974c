#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

// The device side of the mouse's command set: five onboard profiles (a 46-byte settings block
// and nine 4-byte button entries each), the macro image, firmware version digits, battery and
// the feature-report texts. A fresh mouse answers as one that was never programmed: every
// settings and button byte is 0xFF.
//
// Requests are checked the way the firmware would: the request marker, a known command code,
// its access byte, the checksum, the data length (for macro chunks: at most 56 bytes inside the
// image) and the profile index (0..4). A request that fails any check is not acknowledged: its
// reply starts with kRejected instead of 0xAA and changes nothing.
//
// Not thread-safe; the virtual HID bus guards it.
class VirtualMouse {
  public:
    static constexpr int kProfiles = 5;
    static constexpr size_t kSettingsSize = 46;
    static constexpr size_t kButtonSlots = 9;
    static constexpr size_t kButtonBytes = kButtonSlots * 4;
    static constexpr size_t kMacroImageSize = 4224;
    static constexpr size_t kPayloadSize = 64;
    static constexpr uint8_t kRejected = 0xEE;

    using Payload = std::array<uint8_t, kPayloadSize>;
    using SettingsBlock = std::array<uint8_t, kSettingsSize>;
    using ButtonEntries = std::array<uint8_t, kButtonBytes>;

    // The answer to one request and whether it changed the mouse's state.
    struct Outcome {
        Payload reply{};
        bool accepted = false;
        bool changed = false;
    };

    VirtualMouse();

    // Back to the fresh state (texts, version and battery to their defaults too).
    void Reset();

    // Handles one command: the 64 payload bytes of the output report (the request marker
    // first, i.e. the report without its report ID).
    Outcome HandleCommand(std::span<const uint8_t, kPayloadSize> payload);

    // Settings block of a profile as CMD_READ_SETTINGS returns it from R[8] on (byte 0 is the
    // profile index, byte 1 the light mode, byte 2 the report-rate code, byte 4 the selected
    // stage, bytes 5.. the DPI values). Profile index 0..4; others give an all-FF block.
    SettingsBlock Settings(int profileIndex) const;
    void SetSettings(int profileIndex, const SettingsBlock& block);
    // The nine button entries of a profile, slot 0 first.
    ButtonEntries Buttons(int profileIndex) const;
    void SetButtons(int profileIndex, const ButtonEntries& entries);
    const std::vector<uint8_t>& MacroImage() const { return m_macroImage; }
    // How many times CMD_MACRO_DONE was accepted.
    int MacroDoneCount() const { return m_macroDoneCount; }

    // Firmware version: three ASCII characters, answered in R[23..25] of CMD_READ_VERSION.
    std::string FirmwareVersion() const;
    void SetFirmwareVersion(std::string_view threeCharacters);
    uint8_t BatteryLevel() const { return m_batteryLevel; }
    uint8_t BatteryState() const { return m_batteryState; }
    void SetBattery(uint8_t level, uint8_t state);
    // Texts of the feature report (the mouse's and the receiver's); 8-bit text.
    const std::string& MouseText() const { return m_mouseText; }
    const std::string& ReceiverText() const { return m_receiverText; }
    void SetMouseText(std::string text) { m_mouseText = std::move(text); }
    void SetReceiverText(std::string text) { m_receiverText = std::move(text); }

    // Accepted requests per command code, and refused requests, since construction.
    int AcceptedCount(uint8_t code) const;
    int RejectedCount() const { return m_rejected; }

    // The whole state as JSON text, and back. Loading checks everything first and changes
    // nothing when the text is not a complete, well-formed state (error says why).
    std::string ToJson() const;
    bool FromJson(std::string_view text, std::string& error);

  private:
    Outcome Reject(uint8_t code);

    std::array<SettingsBlock, kProfiles> m_settings{};
    std::array<ButtonEntries, kProfiles> m_buttons{};
    std::vector<uint8_t> m_macroImage;
    int m_macroDoneCount = 0;
    std::array<char, 3> m_firmware{};
    uint8_t m_batteryLevel = 0;
    uint8_t m_batteryState = 0;
    std::string m_mouseText;
    std::string m_receiverText;
    std::map<uint8_t, int> m_accepted;
    int m_rejected = 0;
};

}  // namespace sim

#pragma once

#include <cstdint>

namespace protocol {

// Command codes of the mouse (request byte Q[2]).
inline constexpr uint8_t CMD_READ_VERSION = 0x03;
inline constexpr uint8_t CMD_READ_KEYS = 0x08;
inline constexpr uint8_t CMD_WRITE_KEYS = 0x09;
inline constexpr uint8_t CMD_MACRO_DATA = 0x0D;
inline constexpr uint8_t CMD_READ_SETTINGS = 0x0E;
inline constexpr uint8_t CMD_WRITE_SETTINGS = 0x0F;
inline constexpr uint8_t CMD_MACRO_DONE = 0x10;
inline constexpr uint8_t CMD_SET_LIGHT_MODE = 0x21;
inline constexpr uint8_t CMD_SET_DPI = 0x22;
inline constexpr uint8_t CMD_SET_REPORT_RATE = 0x23;
inline constexpr uint8_t CMD_READ_BATTERY = 0x30;

// Fixed bytes of a command report and its reply.
inline constexpr uint8_t kRequestMarker = 0x55;  // Q[1]
inline constexpr uint8_t kAccessDefault = 0xA5;  // Q[3] of most commands
inline constexpr uint8_t kAccessSet = 0xAE;      // Q[3] of the three "set" commands
inline constexpr uint8_t kAccessNone = 0x00;     // Q[3] of CMD_READ_VERSION and CMD_MACRO_DATA
inline constexpr uint8_t kReplyAccepted = 0xAA;  // R[0] when the mouse accepted the command

// Notification report, sent by the mouse unasked: N[0] N[1] mark it, N[2] = N[3] = 0x38 marks a
// report to be ignored, N[8] is the event and N[9], N[10] its values.
inline constexpr uint8_t kNotificationMark0 = 0xAA;
inline constexpr uint8_t kNotificationMark1 = 0xFA;
inline constexpr uint8_t kNotificationIgnoreMark = 0x38;
inline constexpr int kNotificationEventIndex = 8;
inline constexpr int kNotificationSize = 21;

// The text feature report: request [0x51, 0x04, target, 0...], answer with the text length at
// byte 2 and the text from byte 3, 21 bytes each way.
inline constexpr uint8_t kFeatureReportId = 0x51;
inline constexpr uint8_t kFeatureTextRequest = 0x04;
inline constexpr uint8_t kFeatureTargetMouse = 0x00;
inline constexpr uint8_t kFeatureTargetReceiver = 0xAA;
inline constexpr int kFeatureReportSize = 21;
inline constexpr int kFeatureTextOffset = 3;

// Field positions of a command report (Q, the 65-byte write buffer with the report ID at 0) and
// of a reply (R, the read buffer; R[k] is the payload byte of Q[k+1]).
inline constexpr int kQMarker = 1;
inline constexpr int kQCode = 2;
inline constexpr int kQAccess = 3;
inline constexpr int kQChecksum = 4;
inline constexpr int kQLength = 5;
inline constexpr int kQOffsetLow = 6;
inline constexpr int kQOffsetHigh = 7;
inline constexpr int kQProfile = 8;
inline constexpr int kQData = 9;
inline constexpr int kRStatus = 0;
inline constexpr int kREcho = 1;

// Largest chunk of the macro image one CMD_MACRO_DATA carries.
inline constexpr int kMacroChunkSize = 56;

// How each command is framed: its access byte, its data length byte, whether Q[8] names the
// profile, and whether a decoder checks the echoed code in R[1].
struct CommandFrame {
    uint8_t code;
    uint8_t access;
    uint8_t length;
    bool hasProfile;
    bool echoChecked;
};

inline constexpr CommandFrame kCommandFrames[] = {
    {CMD_READ_VERSION, kAccessNone, 0x00, false, true},
    {CMD_READ_KEYS, kAccessDefault, 0x20, true, false},
    {CMD_WRITE_KEYS, kAccessDefault, 0x20, true, false},
    {CMD_MACRO_DATA, kAccessNone, kMacroChunkSize, false, false},  // length: the chunk's
    {CMD_READ_SETTINGS, kAccessDefault, 0x2E, true, true},
    {CMD_WRITE_SETTINGS, kAccessSet, 0x2E, true, false},
    {CMD_MACRO_DONE, kAccessDefault, 0x00, false, false},
    {CMD_SET_LIGHT_MODE, kAccessDefault, 0x03, true, false},
    {CMD_SET_DPI, kAccessSet, 0x03, true, false},
    {CMD_SET_REPORT_RATE, kAccessSet, 0x03, true, false},
    {CMD_READ_BATTERY, kAccessDefault, 0x2E, true, true},
};

// The frame of a command code, or null for a code the mouse does not know.
constexpr const CommandFrame* FindCommandFrame(uint8_t code) {
    for (const CommandFrame& frame : kCommandFrames) {
        if (frame.code == code) {
            return &frame;
        }
    }
    return nullptr;
}

}  // namespace protocol

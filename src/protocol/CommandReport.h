#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace protocol {

// The 65-byte buffer of one mouse command: Q[0] is the report ID 0, Q[1] the request marker
// 0x55, Q[2] the command code, Q[3] the access byte, Q[4] the checksum, Q[5] the data length,
// Q[6] and Q[7] the macro chunk offset, Q[8] the profile index and Q[9]... the data.
// ExchangeCommand leaves the reply in the same buffer: R[0] at byte 0.
class CommandReport {
  public:
    static constexpr size_t kSize = 65;

    // All 65 bytes zero.
    CommandReport() = default;

    // A request for `code` with marker, access byte and length from the command table;
    // profileIndex (current profile number - 1) goes to Q[8] for commands that name a profile.
    // An unknown code gets the marker, the code and the default access byte.
    static CommandReport For(uint8_t code, uint8_t profileIndex = 0);

    // One chunk of the macro image: CMD_MACRO_DATA with the chunk's length at Q[5], its offset
    // at Q[6] (low) and Q[7] (high), and up to 56 bytes from Q[9]. Bytes past 56 are left out.
    static CommandReport MacroChunk(uint16_t offset, std::span<const uint8_t> bytes);

    uint8_t& operator[](size_t index) { return m_bytes[index]; }
    uint8_t operator[](size_t index) const { return m_bytes[index]; }
    std::array<uint8_t, kSize>& Bytes() { return m_bytes; }
    const std::array<uint8_t, kSize>& Bytes() const { return m_bytes; }

    // (Q[5] + ... + Q[64]) modulo 256: the sum of the last 60 bytes.
    uint8_t Checksum() const;
    // Stores Checksum() at Q[4].
    void FillChecksum();

    // Reply side: R[0] is 0xAA.
    bool IsAccepted() const;
    // R[0] is 0xAA and R[1] echoes `code`.
    bool IsReplyTo(uint8_t code) const;

    // The 65 bytes as upper-case hex pairs separated by spaces.
    std::string ToHex() const;

    bool operator==(const CommandReport&) const = default;

  private:
    std::array<uint8_t, kSize> m_bytes{};
};

}  // namespace protocol

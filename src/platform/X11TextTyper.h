#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "platform/TextTyper.h"

namespace platform {

// Types Unicode text into the focused window of the X display named by DISPLAY, through the
// XTEST extension. No keyboard layout holds every character, so each character is typed on a
// spare key code (one with no symbols in the keyboard map): the key code is bound to the
// character's keysym, pressed and released, and left bound until the text ends, when every
// key code it used is given back its empty mapping. Keeping the binding for a moment matters:
// a receiving program looks the key up in its copy of the keyboard map, which it refreshes
// from the server only after it has read the mapping notice, so a binding undone at once could
// reach it already restored and the character would be lost.
//
// The display is opened on first use and opened again after the X server went away. When there
// is no display (DISPLAY unset, unreachable, no XTEST), typing is skipped: TypeUnit returns
// false and one line says why in the log; attempts to open it again are at most one a second.
//
// Safe to call from any thread; calls are serialised.
class X11TextTyper final : public TextTyper {
  public:
    X11TextTyper();
    ~X11TextTyper() override;
    X11TextTyper(const X11TextTyper&) = delete;
    X11TextTyper& operator=(const X11TextTyper&) = delete;

    // X11 can only type whole characters, so a high surrogate is held (no key event) and the
    // character is typed as one keysym together with the low surrogate that follows. A lone
    // surrogate (a high one not followed by a low one, or a low one on its own) is typed as
    // U+FFFD, the replacement character, so the damage stays visible.
    bool TypeUnit(char16_t unit) override;

    // Types a high surrogate still held as U+FFFD, waits a moment so that the receiving program
    // can read the last key event with its binding, and restores the spare key codes.
    void EndText() override;

    // The keysym typed for a code point: the code point itself for printable Latin-1,
    // 0x01000000 plus the code point above it, the key's own keysym for the control characters
    // that have a key (backspace, tab, line feed and carriage return as Return, escape,
    // delete), and 0 for the other control characters and for non-characters, which are not
    // typed.
    static unsigned long KeysymForCodePoint(char32_t codePoint);

  private:
    struct Connection;

    bool TypeCodePoint(char32_t codePoint);
    bool EnsureConnection();
    bool DropLostConnection();
    bool FindSpareKeys();
    void RestoreSpareKeys();
    void Disconnect();
    void ReportUnavailable(const std::string& why);

    std::mutex m_mutex;
    std::unique_ptr<Connection> m_connection;
    char16_t m_heldHigh = 0;                 // a high surrogate waiting for its low one
    bool m_reported = false;                 // the current outage has been logged
    std::optional<uint64_t> m_nextOpenTick;  // no new open attempt before this tick
};

}  // namespace platform

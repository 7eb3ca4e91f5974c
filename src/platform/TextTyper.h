#pragma once

namespace platform {

// The keyboard that types text into whatever window has the keyboard focus, one UTF-16 code
// unit at a time. The typing routine of the input module drives it; the real implementation
// goes through the desktop's input synthesis, tests use a recording fake.
class TextTyper {
  public:
    virtual ~TextTyper() = default;

    // Presses and releases one UTF-16 code unit in the focused window. A character outside the
    // basic plane arrives as its two surrogate units in two calls; an implementation that can
    // only type whole characters holds the high unit and types the character with the low one.
    // True when the unit was accepted; false when typing is unavailable (no desktop session to
    // type into), so the caller can stop typing the rest of its text.
    virtual bool TypeUnit(char16_t unit) = 0;

    // Called once after the last unit of a text (and its pause): anything still held is typed
    // or dropped, and temporary changes made for typing are undone.
    virtual void EndText() {}
};

// The keyboard the program types with unless a test installs another one. Never null.
TextTyper& DefaultTextTyper();
// Installs a keyboard for the whole process (null restores the real one). Tests only; the
// caller keeps ownership and must restore the real one before the installed one is destroyed.
void SetDefaultTextTyper(TextTyper* typer);

}  // namespace platform

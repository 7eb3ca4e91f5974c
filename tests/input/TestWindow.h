#pragma once

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace input_test {

// A small X window that takes the keyboard focus and collects the text of the key presses it
// receives, the way a program's text field does: each key press is looked up with
// Xutf8LookupString in a UTF-8 locale, with Xlib's own input method (no input-method server),
// and the keyboard map is refreshed on every mapping notice. Events are read on a thread of
// its own while the test types.
class TestWindow {
  public:
    TestWindow();
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    // Opens the window on the named display (DISPLAY when empty), shows it and gives it the
    // keyboard focus. False, with the reason in `error`, when that fails.
    bool Open(const std::string& displayName, std::string& error);

    // The UTF-8 text received so far, once at least `bytes` bytes have arrived or the time-out
    // has passed.
    std::string WaitForText(size_t bytes,
                            std::chrono::milliseconds timeout = std::chrono::seconds(5));

    // Stops reading and closes the window and its display.
    void Close();

    // The whole core keyboard map of a display (every keysym of every key code), read on a
    // connection of its own; empty when the display cannot be opened.
    static std::vector<unsigned long> KeyboardMap(const std::string& displayName);

  private:
    struct State;
    void Run();

    std::unique_ptr<State> m_state;
};

}  // namespace input_test

#pragma once

#include <sys/types.h>

#include <string>

namespace input_test {

// A virtual X server of the test's own (Xvfb), so a test can take the display away from a
// typing program and bring it back.
class XvfbServer {
  public:
    XvfbServer() = default;
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // True when the Xvfb program is installed.
    static bool Installed();

    // Starts the server on display number `number`, or on a free one when it is negative, and
    // waits until it accepts clients. False when it does not start.
    bool Start(int number = -1);

    // Ends the server (its clients lose their connections) and waits for it to exit.
    void Stop();

    int Number() const { return m_number; }
    std::string Name() const { return ":" + std::to_string(m_number); }

  private:
    pid_t m_pid = -1;
    int m_number = -1;
};

}  // namespace input_test

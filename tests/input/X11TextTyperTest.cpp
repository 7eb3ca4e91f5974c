#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/Clock.h"
#include "base/Log.h"
#include "base/Utf.h"
#include "input/EmojiTable.h"
#include "input/TestWindow.h"
#include "input/TypeText.h"
#include "input/XvfbServer.h"
#include "platform/X11TextTyper.h"

namespace {

using input_test::TestWindow;
using input_test::XvfbServer;

std::mutex g_logMutex;
std::vector<std::string> g_log;

void CaptureLog(std::string_view line) {
    std::lock_guard lock(g_logMutex);
    g_log.emplace_back(line);
}

std::vector<std::string> LogLines() {
    std::lock_guard lock(g_logMutex);
    return g_log;
}

// Captures the log lines written while it lives.
class LogCapture {
  public:
    LogCapture() {
        std::lock_guard lock(g_logMutex);
        g_log.clear();
        base::SetLogSink(&CaptureLog);
    }
    ~LogCapture() { base::SetLogSink(nullptr); }
};

// Sets an environment variable (nullopt: unsets it) while it lives.
class ScopedVariable {
  public:
    ScopedVariable(const char* name, const std::optional<std::string>& value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        Set(value);
    }
    ~ScopedVariable() { Set(m_old); }

  private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            setenv(m_name, value->c_str(), 1);
        } else {
            unsetenv(m_name);
        }
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

// Real sleeping, with a tick count the test can move forward.
class ShiftedClock final : public base::Clock {
  public:
    uint32_t TickCount() override { return static_cast<uint32_t>(TickCount64()); }
    uint64_t TickCount64() override { return m_real.TickCount64() + shift; }
    void Sleep(uint32_t ms) override { m_real.Sleep(ms); }
    uint64_t shift = 0;

  private:
    base::SystemClock m_real;
};

// A display number with no server behind it.
std::string UnusedDisplay() {
    for (int number = 7391;; ++number) {
        const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
        const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
        if (access(lock.c_str(), F_OK) != 0 && access(socket.c_str(), F_OK) != 0) {
            return ":" + std::to_string(number);
        }
    }
}

// Typing into a real window on the X display the tests run on (xvfb-run sets DISPLAY).
class X11Typing : public testing::Test {
  protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) {
            GTEST_SKIP() << "DISPLAY is not set; run the tests under xvfb-run";
        }
        std::string error;
        ASSERT_TRUE(window.Open("", error)) << error;
    }

    // Types the text and returns what the window received.
    std::string TypeAndReceive(std::u16string_view text, std::string_view expected) {
        EXPECT_TRUE(input::TypeText(text, typer));
        received += window.WaitForText(received.size() + expected.size()).substr(received.size());
        return received.substr(received.size() - std::min(received.size(), expected.size()));
    }

    LogCapture log;
    TestWindow window;
    platform::X11TextTyper typer;
    std::string received;
};

TEST_F(X11Typing, EmojiCodesArriveInTheFocusedWindow) {
    std::string expected;
    for (const int number : {1, 3, 50, 64, 71, 87, 102, 109}) {
        ASSERT_TRUE(input::TypeEmoji(number, typer)) << number;
        expected += base::Utf16ToUtf8(input::EmojiText(number));
    }
    EXPECT_EQ(window.WaitForText(expected.size()), expected);
    EXPECT_EQ(window.WaitForText(expected.size()), "[微笑][色][破涕为笑][Emm][666][OK][發][转圈]");
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(X11Typing, MixedScriptsAndCharactersOutsideTheBasicPlaneArriveWhole) {
    const std::u16string text = u"Hi, Привет! 你好 \U0001F600 Ünïcødé ~`@\\ \U0001F44D\U0001F3FD.";
    const std::string expected = "Hi, Привет! 你好 😀 Ünïcødé ~`@\\ 👍🏽.";
    EXPECT_EQ(TypeAndReceive(text, expected), expected);
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(X11Typing, ControlCharactersAndLoneSurrogates) {
    struct Case {
        std::u16string text;
        std::string expected;
    };
    const Case cases[] = {
        // A line break is typed as the Return key, whose text is a carriage return; tab and
        // backspace are their own keys.
        {u"a\r\nb\tc", "a\rb\tc"},
        {u"x\by", "x\by"},
        // Other control characters have no key and are not typed.
        {u"p\x01q", "pq"},
        // Half a character is typed as the replacement character, never dropped silently.
        {std::u16string(u"d\xD800"
                        u"e"),
         "d\uFFFD"
         "e"},
        {std::u16string(u"\xDC00"
                        u"f"),
         "\uFFFD"
         "f"},
        {std::u16string(u"g\xD83D"), "g\uFFFD"},
        {std::u16string(u"\xD83D\xD83D\xDE00"), "\uFFFD😀"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(TypeAndReceive(c.text, c.expected), c.expected);
    }
}

TEST_F(X11Typing, TheKeyboardMapIsRestoredAfterEachText) {
    const std::vector<unsigned long> before = TestWindow::KeyboardMap("");
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(TypeAndReceive(u"[流泪]\U0001F600Zz", "[流泪]😀Zz"), "[流泪]😀Zz");
    EXPECT_EQ(TestWindow::KeyboardMap(""), before);
}

TEST(X11TypingWithoutDisplay, SkipsTypingWithOneLogLineAndNoCrash) {
    struct Case {
        std::optional<std::string> display;
        std::optional<std::string> wayland;
        std::string says;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, "DISPLAY is not set, so there is no X display"},
        {std::nullopt, "wayland-0", "this Wayland session offers no X display"},
        {UnusedDisplay(), std::nullopt, "cannot open the X display \"" + UnusedDisplay() + "\""},
    };
    ShiftedClock clock;
    base::SetDefaultClock(&clock);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.says);
        ScopedVariable display("DISPLAY", c.display);
        ScopedVariable wayland("WAYLAND_DISPLAY", c.wayland);
        LogCapture log;
        platform::X11TextTyper typer;
        EXPECT_FALSE(input::TypeText(u"abc", typer));
        EXPECT_FALSE(input::TypeEmoji(1, typer));
        // Later attempts try the display again (at most once a second) but say nothing more.
        clock.shift += 5000;
        EXPECT_FALSE(input::TypeText(u"\U0001F600", typer));
        EXPECT_FALSE(typer.TypeUnit(u'x'));
        typer.EndText();
        const std::vector<std::string> lines = LogLines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].find(c.says), std::string::npos) << lines[0];
    }
    base::SetDefaultClock(nullptr);
}

// The typing program outlives its X server: typing resumes on a new server of the same name.
class X11TypingServerRestart : public testing::Test {
  protected:
    void SetUp() override {
        if (!XvfbServer::Installed()) {
            GTEST_SKIP() << "Xvfb is not installed";
        }
        ASSERT_TRUE(server.Start());
        display.emplace("DISPLAY", server.Name());
        base::SetDefaultClock(&clock);
    }
    void TearDown() override { base::SetDefaultClock(nullptr); }

    // Types the text into a fresh window on the server and returns what the window received.
    std::string TypeIntoNewWindow(std::u16string_view text, size_t bytes) {
        TestWindow window;
        std::string error;
        if (!window.Open(server.Name(), error)) {
            return "no window: " + error;
        }
        EXPECT_TRUE(input::TypeText(text, typer));
        return window.WaitForText(bytes);
    }

    void RestartServer() {
        const int number = server.Number();
        server.Stop();
        ASSERT_TRUE(server.Start(number));
    }

    XvfbServer server;
    std::optional<ScopedVariable> display;
    ShiftedClock clock;
    LogCapture log;
    platform::X11TextTyper typer;
};

TEST_F(X11TypingServerRestart, NextTextAfterARestartIsTypedOnTheNewServer) {
    EXPECT_EQ(TypeIntoNewWindow(u"ab", 2), "ab");
    RestartServer();
    EXPECT_EQ(TypeIntoNewWindow(u"c\U0001F600", 5), "c😀");
    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("lost the X display \"" + server.Name() + "\""), std::string::npos)
        << lines[0];
}

TEST_F(X11TypingServerRestart, WhileTheServerIsGoneTypingIsSkippedWithOneLine) {
    EXPECT_EQ(TypeIntoNewWindow(u"ab", 2), "ab");
    const int number = server.Number();
    server.Stop();
    EXPECT_FALSE(input::TypeText(u"cd", typer));
    EXPECT_FALSE(input::TypeEmoji(3, typer));
    clock.shift += 1000;
    EXPECT_FALSE(input::TypeEmoji(4, typer));
    ASSERT_EQ(LogLines().size(), 1u);
    EXPECT_NE(LogLines()[0].find("lost the X display"), std::string::npos) << LogLines()[0];

    ASSERT_TRUE(server.Start(number));
    // Within a second of the last failed attempt the display is not tried again.
    EXPECT_FALSE(input::TypeText(u"x", typer));
    clock.shift += 1000;
    EXPECT_EQ(TypeIntoNewWindow(u"e\U0001F600", 5), "e😀");
    EXPECT_EQ(LogLines().size(), 1u);
}

}  // namespace

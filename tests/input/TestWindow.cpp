#include "input/TestWindow.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <clocale>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace input_test {

struct TestWindow::State {
    Display* display = nullptr;
    Window window = 0;
    XIM inputMethod = nullptr;
    XIC inputContext = nullptr;
    std::thread reader;
    int wake[2] = {-1, -1};
    std::atomic<bool> stop{false};
    std::mutex mutex;
    std::condition_variable changed;
    std::string text;
};

TestWindow::TestWindow() : m_state(std::make_unique<State>()) {}

TestWindow::~TestWindow() {
    Close();
}

bool TestWindow::Open(const std::string& displayName, std::string& error) {
    Close();
    State& s = *m_state;
    if (!std::setlocale(LC_CTYPE, "C.UTF-8") || !XSupportsLocale()) {
        error = "no UTF-8 locale for Xlib";
        return false;
    }
    // Xlib's built-in input method; an input-method server named by XMODIFIERS is not wanted.
    XSetLocaleModifiers("@im=none");
    // A server whose last client just left resets itself and refuses connections for a
    // moment, so opening is tried until a deadline.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!(s.display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str())) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    if (!s.display) {
        error = "cannot open the display";
        return false;
    }
    const int screen = DefaultScreen(s.display);
    s.window = XCreateSimpleWindow(s.display, RootWindow(s.display, screen), 10, 10, 200, 60, 0,
                                   BlackPixel(s.display, screen), WhitePixel(s.display, screen));
    XSelectInput(s.display, s.window, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapRaised(s.display, s.window);
    XEvent event;
    do {
        XWindowEvent(s.display, s.window, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
    XSetInputFocus(s.display, s.window, RevertToPointerRoot, CurrentTime);

    s.inputMethod = XOpenIM(s.display, nullptr, nullptr, nullptr);
    if (!s.inputMethod) {
        error = "no input method";
        Close();
        return false;
    }
    s.inputContext = XCreateIC(s.inputMethod, XNInputStyle, XIMPreeditNothing | XIMStatusNothing,
                               XNClientWindow, s.window, XNFocusWindow, s.window, nullptr);
    if (!s.inputContext) {
        error = "no input context";
        Close();
        return false;
    }
    XSetICFocus(s.inputContext);
    // A program has its copy of the keyboard map long before anyone types into it; Xlib loads
    // it on first use, and a change made while it loads would be missed, so load it now.
    XKeysymToKeycode(s.display, XK_space);
    XSync(s.display, False);
    if (pipe(s.wake) != 0) {
        error = "no pipe";
        Close();
        return false;
    }
    s.stop = false;
    s.reader = std::thread([this] { Run(); });
    return true;
}

void TestWindow::Run() {
    State& s = *m_state;
    while (!s.stop) {
        while (XPending(s.display) > 0) {
            XEvent event;
            XNextEvent(s.display, &event);
            if (XFilterEvent(&event, None)) {
                continue;
            }
            if (event.type == MappingNotify) {
                XRefreshKeyboardMapping(&event.xmapping);
            } else if (event.type == KeyPress) {
                char buffer[64];
                KeySym keysym = NoSymbol;
                Status status = 0;
                const int length = Xutf8LookupString(s.inputContext, &event.xkey, buffer,
                                                     sizeof buffer, &keysym, &status);
                if ((status == XLookupChars || status == XLookupBoth) && length > 0) {
                    std::lock_guard lock(s.mutex);
                    s.text.append(buffer, static_cast<size_t>(length));
                    s.changed.notify_all();
                }
            }
        }
        pollfd fds[2] = {{ConnectionNumber(s.display), POLLIN, 0}, {s.wake[0], POLLIN, 0}};
        poll(fds, 2, 1000);
    }
}

std::string TestWindow::WaitForText(size_t bytes, std::chrono::milliseconds timeout) {
    State& s = *m_state;
    std::unique_lock lock(s.mutex);
    s.changed.wait_for(lock, timeout, [&] { return s.text.size() >= bytes; });
    return s.text;
}

void TestWindow::Close() {
    State& s = *m_state;
    if (s.reader.joinable()) {
        s.stop = true;
        const char wake = 1;
        [[maybe_unused]] const ssize_t written = write(s.wake[1], &wake, 1);
        s.reader.join();
    }
    for (int& fd : s.wake) {
        if (fd >= 0) {
            close(fd);
            fd = -1;
        }
    }
    if (s.inputContext) {
        XDestroyIC(s.inputContext);
        s.inputContext = nullptr;
    }
    if (s.inputMethod) {
        XCloseIM(s.inputMethod);
        s.inputMethod = nullptr;
    }
    if (s.display) {
        XCloseDisplay(s.display);
        s.display = nullptr;
    }
    s.text.clear();
}

std::vector<unsigned long> TestWindow::KeyboardMap(const std::string& displayName) {
    Display* display = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (!display) {
        return {};
    }
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    int perKeycode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minKeycode),
                                      maxKeycode - minKeycode + 1, &perKeycode);
    std::vector<unsigned long> keysyms;
    if (map) {
        keysyms.assign(map, map + (maxKeycode - minKeycode + 1) * perKeycode);
        XFree(map);
    }
    XCloseDisplay(display);
    return keysyms;
}

}  // namespace input_test

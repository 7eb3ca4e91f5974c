#include "platform/X11TextTyper.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <signal.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "base/Clock.h"
#include "base/Log.h"

namespace platform {

namespace {

// How long the spare key codes stay bound after the last key event of a text, on top of the
// pause after that key, before their empty mapping is restored.
constexpr uint32_t kRestoreDelayMs = 50;
// The least time between two attempts to open a display that could not be opened.
constexpr uint64_t kReopenIntervalMs = 1000;
// The most spare key codes used: enough that, within one text, a key code bound for one
// character is not bound again for another while the first may still be read.
constexpr size_t kMaxSpareKeys = 8;

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Control characters that have a key of their own; the others have no keysym and are not typed.
struct ControlKey {
    char32_t codePoint;
    KeySym keysym;
};
constexpr ControlKey kControlKeys[] = {
    {0x08, XK_BackSpace}, {0x09, XK_Tab},    {0x0A, XK_Return},
    {0x0D, XK_Return},    {0x1B, XK_Escape}, {0x7F, XK_Delete},
};

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Xlib's default reaction to a protocol error, and to a broken connection, is to end the
// process. Around our own requests both handlers are replaced: a protocol error of our
// connection is noted, a broken connection of ours is left to the connection's lost handler
// (which only marks it), and whatever happens on other connections goes to the handlers we
// replaced. The handlers are process-wide, hence installed only for the span of our requests.
// For that span SIGPIPE is also blocked on the calling thread: writing to a server that has
// just gone away raises it, and its default action would end the process.
std::mutex g_trapMutex;
std::atomic<Display*> g_trapDisplay{nullptr};
std::atomic<bool> g_trapFailed{false};
XErrorHandler g_previousErrorHandler = nullptr;
XIOErrorHandler g_previousIoErrorHandler = nullptr;
sigset_t g_previousSignalMask;
bool g_pipeWasPending = false;

sigset_t PipeSignal() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGPIPE);
    return set;
}

bool PipeSignalPending() {
    sigset_t pending;
    sigemptyset(&pending);
    return sigpending(&pending) == 0 && sigismember(&pending, SIGPIPE) == 1;
}

int TrapErrorHandler(Display* display, XErrorEvent* event) {
    if (display == g_trapDisplay.load()) {
        g_trapFailed = true;
        return 0;
    }
    return g_previousErrorHandler ? g_previousErrorHandler(display, event) : 0;
}

int TrapIoErrorHandler(Display* display) {
    if (display == g_trapDisplay.load()) {
        return 0;
    }
    return g_previousIoErrorHandler ? g_previousIoErrorHandler(display) : 0;
}

void BeginTrap(Display* display) {
    g_trapMutex.lock();
    g_trapDisplay = display;
    g_trapFailed = false;
    const sigset_t pipeSignal = PipeSignal();
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &g_previousSignalMask);
    g_pipeWasPending = PipeSignalPending();
    g_previousErrorHandler = XSetErrorHandler(&TrapErrorHandler);
    g_previousIoErrorHandler = XSetIOErrorHandler(&TrapIoErrorHandler);
}

// Ends the span begun by BeginTrap. With `sync`, first waits until the server has handled
// every request sent so far. True when none of them failed.
bool EndTrap(Display* display, bool sync = true) {
    if (sync) {
        XSync(display, False);
    }
    XSetIOErrorHandler(g_previousIoErrorHandler);
    XSetErrorHandler(g_previousErrorHandler);
    g_previousIoErrorHandler = nullptr;
    g_previousErrorHandler = nullptr;
    g_trapDisplay = nullptr;
    if (!g_pipeWasPending && PipeSignalPending()) {
        // Taken here, so it is not delivered when the signal is unblocked.
        const sigset_t pipeSignal = PipeSignal();
        const timespec now{0, 0};
        sigtimedwait(&pipeSignal, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &g_previousSignalMask, nullptr);
    const bool ok = !g_trapFailed;
    g_trapMutex.unlock();
    return ok;
}

void CloseDisplay(Display* display) {
    BeginTrap(display);
    XCloseDisplay(display);
    EndTrap(display, false);
}

}  // namespace

struct X11TextTyper::Connection {
    struct SpareKey {
        KeyCode keycode = 0;
        KeySym bound = NoSymbol;  // the keysym bound for typing, NoSymbol while free
    };

    Display* display = nullptr;
    std::string name;
    bool lost = false;  // the server went away; set from Xlib's connection-lost handler
    int keysymsPerKeycode = 1;
    std::vector<SpareKey> spares;
    size_t nextSpare = 0;
    bool sparesFound = false;  // the spare key codes of the current text are known

    // Called by Xlib instead of ending the process when the connection to the server breaks.
    // Xlib sends nothing more on the display afterwards; it only remains to be closed.
    static void OnLost(Display*, void* data) { static_cast<Connection*>(data)->lost = true; }
};

X11TextTyper::X11TextTyper() = default;

X11TextTyper::~X11TextTyper() {
    std::lock_guard lock(m_mutex);
    Disconnect();
}

unsigned long X11TextTyper::KeysymForCodePoint(char32_t codePoint) {
    if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) {
        for (const ControlKey& key : kControlKeys) {
            if (key.codePoint == codePoint) {
                return key.keysym;
            }
        }
        return 0;
    }
    if (codePoint <= 0xFF) {
        return codePoint;
    }
    if ((codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
        return 0;
    }
    return 0x01000000UL + codePoint;
}

bool X11TextTyper::TypeUnit(char16_t unit) {
    std::lock_guard lock(m_mutex);
    if (!EnsureConnection()) {
        m_heldHigh = 0;
        return false;
    }
    if (IsHighSurrogate(unit)) {
        const char16_t previous = m_heldHigh;
        m_heldHigh = unit;
        return previous == 0 || TypeCodePoint(kReplacementCharacter);
    }
    char32_t codePoint = unit;
    if (IsLowSurrogate(unit)) {
        codePoint = m_heldHigh == 0
                        ? kReplacementCharacter
                        : 0x10000 + ((static_cast<char32_t>(m_heldHigh) - 0xD800) << 10) +
                              (static_cast<char32_t>(unit) - 0xDC00);
        m_heldHigh = 0;
    } else if (m_heldHigh != 0) {
        m_heldHigh = 0;
        if (!TypeCodePoint(kReplacementCharacter)) {
            return false;
        }
    }
    return TypeCodePoint(codePoint);
}

void X11TextTyper::EndText() {
    std::lock_guard lock(m_mutex);
    if (m_heldHigh != 0) {
        m_heldHigh = 0;
        if (m_connection && !TypeCodePoint(kReplacementCharacter)) {
            return;
        }
    }
    if (!m_connection) {
        return;
    }
    bool anyBound = false;
    for (const Connection::SpareKey& spare : m_connection->spares) {
        anyBound = anyBound || spare.bound != NoSymbol;
    }
    if (anyBound) {
        base::DefaultClock().Sleep(kRestoreDelayMs);
        RestoreSpareKeys();
        if (m_connection->lost) {
            DropLostConnection();
            return;
        }
    }
    m_connection->sparesFound = false;
}

bool X11TextTyper::TypeCodePoint(char32_t codePoint) {
    const KeySym keysym = KeysymForCodePoint(codePoint);
    if (keysym == 0) {
        return true;
    }
    Connection& connection = *m_connection;
    if (!connection.sparesFound && !FindSpareKeys()) {
        return false;
    }
    Connection::SpareKey* key = nullptr;
    for (Connection::SpareKey& spare : connection.spares) {
        if (spare.bound == keysym) {
            key = &spare;
        }
    }
    Display* display = connection.display;
    BeginTrap(display);
    if (!key) {
        key = &connection.spares[connection.nextSpare];
        connection.nextSpare = (connection.nextSpare + 1) % connection.spares.size();
        // The same keysym on both shift levels, so a held Shift does not change the character.
        KeySym symbols[2] = {keysym, keysym};
        XChangeKeyboardMapping(display, key->keycode, 2, symbols, 1);
        key->bound = keysym;
    }
    XTestFakeKeyEvent(display, key->keycode, True, CurrentTime);
    XTestFakeKeyEvent(display, key->keycode, False, CurrentTime);
    const bool ok = EndTrap(display);
    if (connection.lost) {
        return DropLostConnection();
    }
    if (!ok) {
        // The keyboard map changed under us (a new keyboard, a new layout): look for spare key
        // codes again before the next character.
        char line[96];
        std::snprintf(line, sizeof line,
                      "Typing U+%04X failed: the X server refused the key event.",
                      static_cast<unsigned>(codePoint));
        base::LogLine(line);
        connection.sparesFound = false;
    }
    return true;
}

bool X11TextTyper::FindSpareKeys() {
    Connection& connection = *m_connection;
    Display* display = connection.display;
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(display, &minKeycode, &maxKeycode);
    std::vector<Connection::SpareKey> previous = std::move(connection.spares);
    connection.spares.clear();
    connection.nextSpare = 0;

    BeginTrap(display);
    int perKeycode = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(minKeycode),
                                      maxKeycode - minKeycode + 1, &perKeycode);
    XModifierKeymap* modifiers = XGetModifierMapping(display);
    EndTrap(display);
    if (connection.lost) {
        if (map) {
            XFree(map);
        }
        if (modifiers) {
            XFreeModifiermap(modifiers);
        }
        return DropLostConnection();
    }

    // Key codes with no symbol that are no modifier, from the top: the highest key codes are
    // the least likely to sit under a key of the real keyboard. A key code still bound by an
    // earlier text of ours counts as spare too.
    for (int keycode = maxKeycode; map && keycode >= minKeycode; --keycode) {
        if (connection.spares.size() == kMaxSpareKeys) {
            break;
        }
        const KeySym* row = map + static_cast<ptrdiff_t>(keycode - minKeycode) * perKeycode;
        KeySym ours = NoSymbol;
        for (const Connection::SpareKey& spare : previous) {
            if (spare.keycode == keycode) {
                ours = spare.bound;
            }
        }
        bool empty = true;
        for (int column = 0; column < perKeycode; ++column) {
            empty = empty && (row[column] == NoSymbol || row[column] == ours);
        }
        for (int i = 0; modifiers && i < 8 * modifiers->max_keypermod; ++i) {
            if (modifiers->modifiermap[i] == keycode) {
                empty = false;
            }
        }
        if (empty) {
            connection.spares.push_back({static_cast<KeyCode>(keycode), ours});
        }
    }
    if (map) {
        XFree(map);
    }
    if (modifiers) {
        XFreeModifiermap(modifiers);
    }
    connection.keysymsPerKeycode = perKeycode > 0 ? perKeycode : 1;
    if (connection.spares.empty()) {
        ReportUnavailable("Typing skipped: the keyboard map of the X display \"" + connection.name +
                          "\" has no free key code to type with.");
        return false;
    }
    connection.sparesFound = true;
    m_reported = false;  // typing works: the next outage is worth a line again
    return true;
}

void X11TextTyper::RestoreSpareKeys() {
    Connection& connection = *m_connection;
    Display* display = connection.display;
    BeginTrap(display);
    const std::vector<KeySym> empty(static_cast<size_t>(connection.keysymsPerKeycode), NoSymbol);
    for (Connection::SpareKey& spare : connection.spares) {
        if (spare.bound == NoSymbol) {
            continue;
        }
        // Only a key code that still carries our keysym is emptied: a mapping someone else
        // made meanwhile is kept.
        int perKeycode = 0;
        KeySym* row = XGetKeyboardMapping(display, spare.keycode, 1, &perKeycode);
        const bool ours = row && perKeycode > 0 && row[0] == spare.bound;
        if (row) {
            XFree(row);
        }
        if (ours) {
            XChangeKeyboardMapping(display, spare.keycode, connection.keysymsPerKeycode,
                                   const_cast<KeySym*>(empty.data()), 1);
        }
        spare.bound = NoSymbol;
    }
    EndTrap(display);
}

bool X11TextTyper::DropLostConnection() {
    const std::string name = m_connection->name;
    Disconnect();
    ReportUnavailable("Typing skipped: lost the X display \"" + name +
                      "\"; typing resumes when it is back.");
    return false;
}

bool X11TextTyper::EnsureConnection() {
    if (m_connection && m_connection->sparesFound) {
        return true;
    }
    if (m_connection) {
        // The first character of a text reads the keyboard map again, which also shows whether
        // the server is still there; one that went away since the last text is opened anew.
        if (FindSpareKeys()) {
            return true;
        }
        if (m_connection) {
            return false;
        }
    }
    const uint64_t now = base::DefaultClock().TickCount64();
    if (m_nextOpenTick && now < *m_nextOpenTick) {
        return false;
    }
    m_nextOpenTick = now + kReopenIntervalMs;

    const char* name = std::getenv("DISPLAY");
    if (!name || !*name) {
        const char* wayland = std::getenv("WAYLAND_DISPLAY");
        ReportUnavailable(wayland && *wayland
                              ? "Typing skipped: this Wayland session offers no X display "
                                "(DISPLAY is not set), and typing works through X only."
                              : "Typing skipped: DISPLAY is not set, so there is no X display "
                                "to type into.");
        return false;
    }
    Display* display = XOpenDisplay(name);
    if (!display) {
        ReportUnavailable(std::string("Typing skipped: cannot open the X display \"") + name +
                          "\".");
        return false;
    }
    m_connection = std::make_unique<Connection>();
    m_connection->display = display;
    m_connection->name = name;
    XSetIOErrorExitHandler(display, &Connection::OnLost, m_connection.get());
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    BeginTrap(display);
    const bool haveXTest = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor);
    EndTrap(display, false);
    if (m_connection->lost) {
        return DropLostConnection();
    }
    if (!haveXTest) {
        Disconnect();
        ReportUnavailable(std::string("Typing skipped: the X display \"") + name +
                          "\" offers no XTEST extension.");
        return false;
    }
    m_nextOpenTick.reset();
    return FindSpareKeys();
}

void X11TextTyper::Disconnect() {
    if (!m_connection) {
        return;
    }
    if (!m_connection->lost) {
        RestoreSpareKeys();
    }
    // After a lost connection Xlib sends nothing more; closing only frees the display.
    CloseDisplay(m_connection->display);
    m_connection.reset();
}

void X11TextTyper::ReportUnavailable(const std::string& why) {
    if (!m_reported) {
        base::LogLine(why);
        m_reported = true;
    }
}

namespace {
std::atomic<TextTyper*> g_typer{nullptr};
}

TextTyper& DefaultTextTyper() {
    static X11TextTyper x11Typer;
    TextTyper* typer = g_typer.load(std::memory_order_acquire);
    return typer ? *typer : x11Typer;
}

void SetDefaultTextTyper(TextTyper* typer) {
    g_typer.store(typer, std::memory_order_release);
}

}  // namespace platform

#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace platform {

// A request that another process of the same user sent to the running instance.
struct InstanceRequest {
    enum class Kind { Activate, WindowMessage };
    Kind kind = Kind::Activate;
    uint32_t message = 0;  // window message number, for WindowMessage
    uint64_t wparam = 0;
    int64_t lparam = 0;
};

// One running instance per user. The first process takes an exclusive lock that it holds for
// its whole life ("Varneth software.lock" in the runtime folder). Once its main window exists
// it listens on a local socket beside the lock; a later process that cannot take the lock
// connects there to bring the window forward or to deliver a window message. Only processes of
// the same user are accepted (the peer's credentials are checked).
class SingleInstance {
public:
    using Handler = std::function<void(const InstanceRequest&)>;

    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Takes the lock. True for the first instance; false when another process holds it (or the
    // lock file cannot be made, in which case running alone is assumed impossible to prove and
    // false is returned as well).
    bool Acquire();

    // First instance: starts accepting requests. The handler runs on a listener thread of this
    // object, one request at a time; the sender waits until it returns. False when the socket
    // cannot be set up.
    bool Listen(Handler handler);

    // Stops accepting requests and removes the socket. Also done by the destructor.
    void StopListening();

    // Second instance: asks the running instance to activate its window. False when no window
    // is listening yet (the first instance has not finished starting) or the request failed.
    static bool ActivateRunning();

    // Delivers a window message to the running instance's main window. False when no window
    // is listening or the request failed.
    static bool SendWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam);

    // The folder of the lock and the socket: $XDG_RUNTIME_DIR, else /tmp/varneth-<uid>.
    static std::string RuntimeFolder();

private:
    static bool Send(const std::string& line);
    void ListenLoop();

    int m_lockFd = -1;
    int m_listenFd = -1;
    int m_wakePipe[2] = {-1, -1};
    Handler m_handler;
    std::thread m_thread;
};

}  // namespace platform

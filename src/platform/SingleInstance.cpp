#include "platform/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "platform/Folders.h"

namespace platform {

namespace {

constexpr int kRequestTimeoutMs = 3000;

std::string SocketPath() { return SingleInstance::RuntimeFolder() + kProductName + ".sock"; }
std::string LockPath() { return SingleInstance::RuntimeFolder() + kProductName + ".lock"; }

bool MakeAddress(sockaddr_un& address) {
    const std::string path = SocketPath();
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// Reads one line (without '\n') within the time-out; false on error, time-out or overlong line.
bool ReadLine(int fd, std::string& line) {
    line.clear();
    char c;
    while (line.size() < 256) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, kRequestTimeoutMs) <= 0) {
            return false;
        }
        const ssize_t n = read(fd, &c, 1);
        if (n <= 0) {
            return false;
        }
        if (c == '\n') {
            return true;
        }
        line.push_back(c);
    }
    return false;
}

bool WriteAll(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

bool ParseRequest(const std::string& line, InstanceRequest& request) {
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    if (verb == "activate") {
        request.kind = InstanceRequest::Kind::Activate;
        return true;
    }
    if (verb == "message") {
        request.kind = InstanceRequest::Kind::WindowMessage;
        in >> request.message >> request.wparam >> request.lparam;
        return !in.fail();
    }
    return false;
}

}  // namespace

std::string SingleInstance::RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/') {
        std::string folder(runtime);
        if (folder.back() != '/') {
            folder.push_back('/');
        }
        return folder;
    }
    const std::string folder = "/tmp/varneth-" + std::to_string(getuid());
    mkdir(folder.c_str(), 0700);
    return folder + "/";
}

SingleInstance::~SingleInstance() {
    StopListening();
    if (m_lockFd >= 0) {
        close(m_lockFd);
    }
}

bool SingleInstance::Acquire() {
    if (m_lockFd >= 0) {
        return true;
    }
    const int fd = open(LockPath().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    m_lockFd = fd;
    return true;
}

bool SingleInstance::Listen(Handler handler) {
    if (m_listenFd >= 0 || m_lockFd < 0) {
        return false;
    }
    sockaddr_un address;
    if (!MakeAddress(address)) {
        return false;
    }
    // The lock is ours, so a socket file left behind is stale.
    unlink(address.sun_path);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(fd, 8) != 0 || pipe2(m_wakePipe, O_CLOEXEC) != 0) {
        close(fd);
        unlink(address.sun_path);
        return false;
    }
    chmod(address.sun_path, 0600);
    m_listenFd = fd;
    m_handler = std::move(handler);
    m_thread = std::thread([this] { ListenLoop(); });
    return true;
}

void SingleInstance::StopListening() {
    if (m_listenFd < 0) {
        return;
    }
    const char stop = 'x';
    (void)!write(m_wakePipe[1], &stop, 1);
    if (m_thread.joinable()) {
        m_thread.join();
    }
    close(m_listenFd);
    close(m_wakePipe[0]);
    close(m_wakePipe[1]);
    m_listenFd = -1;
    m_wakePipe[0] = m_wakePipe[1] = -1;
    sockaddr_un address;
    if (MakeAddress(address)) {
        unlink(address.sun_path);
    }
}

void SingleInstance::ListenLoop() {
    for (;;) {
        pollfd fds[2] = {{m_listenFd, POLLIN, 0}, {m_wakePipe[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[1].revents) {
            return;
        }
        if (!(fds[0].revents & POLLIN)) {
            continue;
        }
        const int client = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            continue;
        }
        ucred peer{};
        socklen_t length = sizeof peer;
        std::string line;
        InstanceRequest request;
        if (getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &length) == 0 &&
            peer.uid == getuid() && ReadLine(client, line) && ParseRequest(line, request)) {
            m_handler(request);
            WriteAll(client, "ok\n");
        }
        close(client);
    }
}

bool SingleInstance::Send(const std::string& line) {
    sockaddr_un address;
    if (!MakeAddress(address)) {
        return false;
    }
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    bool ok = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
              WriteAll(fd, line + "\n");
    std::string reply;
    ok = ok && ReadLine(fd, reply) && reply == "ok";
    close(fd);
    return ok;
}

bool SingleInstance::ActivateRunning() { return Send("activate"); }

bool SingleInstance::SendWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) {
    return Send("message " + std::to_string(message) + " " + std::to_string(wparam) + " " +
                std::to_string(lparam));
}

}  // namespace platform

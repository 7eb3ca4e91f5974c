#include "input/XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace input_test {

namespace {

constexpr int kStartTimeoutMs = 10000;

std::string FindProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string_view folders = path ? path : "/usr/bin:/bin";
    while (!folders.empty()) {
        const size_t colon = folders.find(':');
        const std::string folder(folders.substr(0, colon));
        folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
        const std::string candidate = folder + "/" + name;
        if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
    }
    return {};
}

}  // namespace

XvfbServer::~XvfbServer() {
    Stop();
}

bool XvfbServer::Installed() {
    return !FindProgram("Xvfb").empty();
}

bool XvfbServer::Start(int number) {
    Stop();
    const std::string program = FindProgram("Xvfb");
    int ready[2];
    if (program.empty() || pipe(ready) != 0) {
        return false;
    }
    std::vector<std::string> arguments = {program};
    if (number >= 0) {
        arguments.push_back(":" + std::to_string(number));
    }
    // The server writes its display number to this descriptor once it accepts clients.
    arguments.push_back("-displayfd");
    arguments.push_back(std::to_string(ready[1]));
    for (const char* argument : {"-nolisten", "tcp", "-screen", "0", "320x240x24"}) {
        arguments.emplace_back(argument);
    }
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);

    m_pid = fork();
    if (m_pid == 0) {
        close(ready[0]);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(ready[1]);
    if (m_pid < 0) {
        close(ready[0]);
        return false;
    }
    std::string text;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (text.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        pollfd p{ready[0], POLLIN, 0};
        char chunk[32];
        ssize_t n = 0;
        if (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0 ||
            (n = read(ready[0], chunk, sizeof chunk)) <= 0) {
            break;
        }
        text.append(chunk, static_cast<size_t>(n));
    }
    close(ready[0]);
    if (text.find('\n') == std::string::npos) {
        Stop();
        return false;
    }
    m_number = std::atoi(text.c_str());
    return true;
}

void XvfbServer::Stop() {
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
    m_pid = -1;
}

}  // namespace input_test

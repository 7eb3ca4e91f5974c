#include "support/ChildProcess.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

namespace testing_support {

ChildProcess::~ChildProcess() {
    CloseInput();
    if (m_pid > 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) {
        close(m_out);
    }
}

bool ChildProcess::Start(const std::string& path, const std::vector<std::string>& arguments) {
    int in[2];
    int out[2];
    if (pipe(in) != 0) {
        return false;
    }
    if (pipe(out) != 0) {
        close(in[0]);
        close(in[1]);
        return false;
    }
    m_pid = fork();
    if (m_pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(path.c_str()));
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(path.c_str(), argv.data());
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    m_in = in[1];
    m_out = out[0];
    return m_pid > 0;
}

bool ChildProcess::ReadLine(std::string& line, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const size_t newline = m_buffer.find('\n');
        if (newline != std::string::npos) {
            line = m_buffer.substr(0, newline);
            m_buffer.erase(0, newline + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || m_out < 0) {
            return false;
        }
        pollfd p{m_out, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left.count())) <= 0) {
            return false;
        }
        char chunk[256];
        const ssize_t n = read(m_out, chunk, sizeof chunk);
        if (n <= 0) {
            return false;
        }
        m_buffer.append(chunk, static_cast<size_t>(n));
    }
}

void ChildProcess::CloseInput() {
    if (m_in >= 0) {
        close(m_in);
        m_in = -1;
    }
}

int ChildProcess::Wait(std::chrono::milliseconds timeout) {
    if (m_pid <= 0) {
        return -1;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_pid = -1;
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

int ChildProcess::Run(const std::string& path, const std::vector<std::string>& arguments,
                      std::string* output, std::chrono::milliseconds timeout) {
    ChildProcess child;
    if (!child.Start(path, arguments)) {
        return -1;
    }
    child.CloseInput();
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (child.ReadLine(line, std::chrono::duration_cast<std::chrono::milliseconds>(
                                    deadline - std::chrono::steady_clock::now()))) {
        if (output) {
            *output += line + "\n";
        }
    }
    return child.Wait(std::chrono::duration_cast<std::chrono::milliseconds>(
        std::max(deadline - std::chrono::steady_clock::now(), std::chrono::steady_clock::duration(0))));
}

}  // namespace testing_support

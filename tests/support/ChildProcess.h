#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace testing_support {

// A program started by a test, with its standard input and output connected to pipes.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts the program with the arguments (argv[0] is the path). False when it cannot start.
    bool Start(const std::string& path, const std::vector<std::string>& arguments);

    // Reads one line of its output (without '\n'); false on end of output or time-out.
    bool ReadLine(std::string& line, std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // Closes its standard input.
    void CloseInput();

    // Waits for it to end; its exit status, or -1 when it did not end in time (it is then
    // killed) or ended by a signal.
    int Wait(std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // Runs a program to its end and returns its exit status and output.
    static int Run(const std::string& path, const std::vector<std::string>& arguments,
                   std::string* output = nullptr,
                   std::chrono::milliseconds timeout = std::chrono::seconds(20));

private:
    pid_t m_pid = -1;
    int m_in = -1;
    int m_out = -1;
    std::string m_buffer;
};

}  // namespace testing_support

#pragma once

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/DeviceNotice.h"

namespace platform {

// Watches the system's hidraw nodes come and go (a udev monitor) and reports every top-level
// collection of a node that arrived or was removed as a DeviceNotice. A removed node can no
// longer be asked what it was, so the identity texts of every node seen are remembered from its
// arrival (or from the list of nodes present when watching started).
//
// The handler runs on the monitor's own thread; the window hands the notices to its thread.
class DeviceMonitor {
public:
    DeviceMonitor() = default;
    ~DeviceMonitor();
    DeviceMonitor(const DeviceMonitor&) = delete;
    DeviceMonitor& operator=(const DeviceMonitor&) = delete;

    // Starts watching. False (with one log line) when udev cannot be used; the program then
    // simply hears of no hot-plug events.
    bool Start(DeviceNoticeHandler handler);
    void Stop();

    // The notices a node's collections give, read from udev and sysfs now; empty when the node
    // cannot be described.
    static std::vector<DeviceNotice> DescribeNotices(const std::string& devnode,
                                                     DeviceNotice::Kind kind);

private:
    void Run();
    void Remember(const std::string& devnode, const std::vector<DeviceNotice>& notices);

    DeviceNoticeHandler m_handler;
    std::thread m_thread;
    int m_wake[2] = {-1, -1};
    void* m_udev = nullptr;
    void* m_monitor = nullptr;
    std::mutex m_mutex;
    std::map<std::string, std::vector<DeviceNotice>> m_known;  // devnode -> its collections
};

}  // namespace platform

#include "platform/DeviceMonitor.h"

#include <fcntl.h>
#include <libudev.h>
#include <poll.h>
#include <unistd.h>

#include "base/Log.h"
#include "platform/HidIdentity.h"

namespace platform {

namespace {

udev* AsUdev(void* p) { return static_cast<udev*>(p); }
udev_monitor* AsMonitor(void* p) { return static_cast<udev_monitor*>(p); }

}  // namespace

DeviceMonitor::~DeviceMonitor() { Stop(); }

std::vector<DeviceNotice> DeviceMonitor::DescribeNotices(const std::string& devnode,
                                                         DeviceNotice::Kind kind) {
    std::vector<DeviceNotice> notices;
    HidNodeFacts facts;
    if (!HidIdentity::DescribeNode(devnode, facts)) {
        return notices;
    }
    for (size_t i = 0; i < facts.collections.size(); ++i) {
        DeviceNotice notice;
        notice.kind = kind;
        notice.identity = HidIdentity::TextFor(facts, static_cast<int>(i) + 1);
        notice.path = devnode;
        notice.usagePage = facts.collections[i].usagePage;
        notice.usage = facts.collections[i].usage;
        notices.push_back(std::move(notice));
    }
    return notices;
}

void DeviceMonitor::Remember(const std::string& devnode, const std::vector<DeviceNotice>& notices) {
    std::lock_guard lock(m_mutex);
    if (notices.empty()) {
        m_known.erase(devnode);
    } else {
        m_known[devnode] = notices;
    }
}

bool DeviceMonitor::Start(DeviceNoticeHandler handler) {
    if (m_thread.joinable()) {
        return true;
    }
    udev* context = udev_new();
    if (!context) {
        base::LogLine("device notices: udev is not available; plugging and unplugging will not be noticed");
        return false;
    }
    udev_monitor* monitor = udev_monitor_new_from_netlink(context, "udev");
    if (!monitor || udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0 || pipe2(m_wake, O_CLOEXEC) != 0) {
        if (monitor) {
            udev_monitor_unref(monitor);
        }
        udev_unref(context);
        base::LogLine("device notices: cannot watch hidraw devices; plugging and unplugging will not be noticed");
        return false;
    }
    m_udev = context;
    m_monitor = monitor;
    m_handler = std::move(handler);

    // Remember what is plugged in now, so its removal can be named later.
    if (udev_enumerate* enumerate = udev_enumerate_new(context)) {
        udev_enumerate_add_match_subsystem(enumerate, "hidraw");
        udev_enumerate_scan_devices(enumerate);
        udev_list_entry* entry;
        udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate)) {
            const char* syspath = udev_list_entry_get_name(entry);
            if (udev_device* device = udev_device_new_from_syspath(context, syspath)) {
                if (const char* node = udev_device_get_devnode(device)) {
                    Remember(node, DescribeNotices(node, DeviceNotice::Kind::Arrival));
                }
                udev_device_unref(device);
            }
        }
        udev_enumerate_unref(enumerate);
    }
    m_thread = std::thread([this] { Run(); });
    return true;
}

void DeviceMonitor::Stop() {
    if (!m_thread.joinable()) {
        return;
    }
    const char stop = 'x';
    (void)!write(m_wake[1], &stop, 1);
    m_thread.join();
    close(m_wake[0]);
    close(m_wake[1]);
    m_wake[0] = m_wake[1] = -1;
    udev_monitor_unref(AsMonitor(m_monitor));
    udev_unref(AsUdev(m_udev));
    m_monitor = m_udev = nullptr;
}

void DeviceMonitor::Run() {
    const int fd = udev_monitor_get_fd(AsMonitor(m_monitor));
    for (;;) {
        pollfd fds[2] = {{fd, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            continue;
        }
        if (fds[1].revents) {
            return;
        }
        udev_device* device = udev_monitor_receive_device(AsMonitor(m_monitor));
        if (!device) {
            continue;
        }
        const std::string action = udev_device_get_action(device) ? udev_device_get_action(device) : "";
        const std::string node = udev_device_get_devnode(device) ? udev_device_get_devnode(device) : "";
        udev_device_unref(device);
        if (node.empty()) {
            continue;
        }
        std::vector<DeviceNotice> notices;
        if (action == "add") {
            notices = DescribeNotices(node, DeviceNotice::Kind::Arrival);
            Remember(node, notices);
        } else if (action == "remove") {
            std::lock_guard lock(m_mutex);
            auto it = m_known.find(node);
            if (it != m_known.end()) {
                notices = it->second;
                m_known.erase(it);
            }
            for (DeviceNotice& notice : notices) {
                notice.kind = DeviceNotice::Kind::Removal;
            }
        }
        for (const DeviceNotice& notice : notices) {
            m_handler(notice);
        }
    }
}

}  // namespace platform

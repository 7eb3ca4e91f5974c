#include "views/VirtualDeviceNotices.h"

namespace views {

VirtualDeviceNotices::VirtualDeviceNotices(sim::VirtualHidBackend& backend)
    : m_state(std::make_shared<State>(backend)) {}

VirtualDeviceNotices::~VirtualDeviceNotices() {
    Stop();
}

void VirtualDeviceNotices::Start(platform::DeviceNoticeHandler handler) {
    {
        std::lock_guard lock(m_state->mutex);
        m_state->handler = std::move(handler);
        // Remember what is plugged in now, so its removal can be named later.
        m_state->known.clear();
        for (const platform::HidDeviceInfo& record : m_state->backend.Enumerate().devices) {
            m_state->known[record.path];
        }
        for (auto& [path, notices] : m_state->known) {
            notices = Describe(m_state->backend, path);
        }
    }
    m_state->backend.Bus().SetPlugListener(
        [state = m_state](const std::string& path, bool arrived) {
            OnPlug(*state, path, arrived);
        });
}

void VirtualDeviceNotices::Stop() {
    m_state->backend.Bus().SetPlugListener(nullptr);
    std::lock_guard lock(m_state->mutex);
    m_state->handler = nullptr;
}

std::vector<platform::DeviceNotice> VirtualDeviceNotices::Describe(sim::VirtualHidBackend& backend,
                                                                   const std::string& path) {
    std::vector<platform::DeviceNotice> notices;
    for (const platform::HidDeviceInfo& record : backend.Enumerate().devices) {
        if (record.path != path) {
            continue;
        }
        platform::DeviceNotice notice;
        notice.kind = platform::DeviceNotice::Kind::Arrival;
        notice.identity = record.identity;
        notice.path = record.path;
        notice.usagePage = record.usagePage;
        notice.usage = record.usage;
        notices.push_back(std::move(notice));
    }
    return notices;
}

void VirtualDeviceNotices::OnPlug(State& state, const std::string& path, bool arrived) {
    // The handler only hands the notices on, so it is called under the lock: once Stop has
    // returned, no call is under way and none starts.
    std::lock_guard lock(state.mutex);
    if (!state.handler) {
        return;
    }
    std::vector<platform::DeviceNotice> notices;
    if (arrived) {
        notices = Describe(state.backend, path);
        state.known[path] = notices;
    } else {
        const auto found = state.known.find(path);
        if (found == state.known.end()) {
            return;
        }
        notices = std::move(found->second);
        state.known.erase(found);
        for (platform::DeviceNotice& notice : notices) {
            notice.kind = platform::DeviceNotice::Kind::Removal;
        }
    }
    for (const platform::DeviceNotice& notice : notices) {
        state.handler(notice);
    }
}

}  // namespace views

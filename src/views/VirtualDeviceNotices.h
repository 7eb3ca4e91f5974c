#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/DeviceNotice.h"
#include "sim/VirtualHidBackend.h"

namespace views {

// The hot-plug notices of the virtual mouse: every node of the virtual bus that arrives or goes
// (plugging, unplugging, a change of mode) gives one DeviceNotice per top-level collection,
// named by the same identity text the enumeration gives it, exactly as the udev monitor reports
// real hidraw nodes. A node that went can no longer be enumerated, so the notices of every node
// are remembered from its arrival (or from the nodes present when watching started).
//
// The handler runs on the thread that changed the bus; the window hands the notices to its own
// thread.
class VirtualDeviceNotices {
  public:
    // The backend must outlive this object.
    explicit VirtualDeviceNotices(sim::VirtualHidBackend& backend);
    ~VirtualDeviceNotices();
    VirtualDeviceNotices(const VirtualDeviceNotices&) = delete;
    VirtualDeviceNotices& operator=(const VirtualDeviceNotices&) = delete;

    // Starts listening to the bus; a second start replaces the handler.
    void Start(platform::DeviceNoticeHandler handler);
    // Stops listening; no handler call starts after this returns.
    void Stop();

  private:
    // What the bus's listener reaches; shared with it, so a listener call already under way
    // when this object goes finds an empty handler instead of a dead object.
    struct State {
        explicit State(sim::VirtualHidBackend& backend) : backend(backend) {}
        sim::VirtualHidBackend& backend;
        std::mutex mutex;
        platform::DeviceNoticeHandler handler;
        std::map<std::string, std::vector<platform::DeviceNotice>> known;  // path -> collections
    };
    static void OnPlug(State& state, const std::string& path, bool arrived);
    // The notices the collections of `path` give now, as arrivals.
    static std::vector<platform::DeviceNotice> Describe(sim::VirtualHidBackend& backend,
                                                        const std::string& path);

    std::shared_ptr<State> m_state;
};

}  // namespace views

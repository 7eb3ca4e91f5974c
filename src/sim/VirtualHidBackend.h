#pragma once

#include <memory>
#include <string>

#include "platform/HidBackend.h"
#include "sim/SimMode.h"
#include "sim/VirtualBus.h"

namespace sim {

// The virtual mouse as a HID backend: hand it to the device manager instead of the real one
// and every exchange reaches a faithful device side of the protocol.
//
// Its control API is the bus (Bus()): the mode (wired, receiver, receiver whose mouse is
// asleep, Bluetooth) or any set of mice and receivers, faults and latency, unplug and replug,
// unsolicited notifications, the mouse's state and its JSON state file, and a log of every
// I/O. Example:
//
//   sim::VirtualHidBackend backend(sim::SimMode::Receiver);
//   backend.Bus().SetLatency(5);
//   device::DeviceManager::Instance().SetBackend(&backend);
class VirtualHidBackend final : public platform::HidBackend {
  public:
    explicit VirtualHidBackend(SimMode mode = SimMode::Wired);
    // Without any node: tests add their own (Bus().AddWiredMouse()...).
    struct Empty {};
    explicit VirtualHidBackend(Empty);

    VirtualBus& Bus() { return *m_bus; }
    const VirtualBus& Bus() const { return *m_bus; }

    platform::HidEnumeration Enumerate() override;
    platform::HidOpenResult Open(const std::string& path) override;

  private:
    std::shared_ptr<VirtualBus> m_bus;
};

}  // namespace sim

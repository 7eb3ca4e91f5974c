#include "sim/VirtualHidBackend.h"

#include "sim/VirtualHidDevice.h"

namespace sim {

VirtualHidBackend::VirtualHidBackend(SimMode mode) : m_bus(std::make_shared<VirtualBus>()) {
    m_bus->SetMode(mode);
}

VirtualHidBackend::VirtualHidBackend(Empty) : m_bus(std::make_shared<VirtualBus>()) {}

platform::HidEnumeration VirtualHidBackend::Enumerate() {
    return m_bus->Enumerate();
}

platform::HidOpenResult VirtualHidBackend::Open(const std::string& path) {
    platform::HidOpenResult result;
    int number = 0;
    uint64_t generation = 0;
    if (m_bus->OpenNode(path, number, generation, result.error)) {
        result.device = std::make_unique<VirtualHidDevice>(m_bus, number, generation);
    }
    return result;
}

}  // namespace sim

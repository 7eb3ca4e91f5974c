#include "sim/VirtualHidDevice.h"

namespace sim {

VirtualHidDevice::VirtualHidDevice(std::shared_ptr<VirtualBus> bus, int number, uint64_t generation)
    : m_bus(std::move(bus)), m_number(number), m_generation(generation) {}

VirtualHidDevice::~VirtualHidDevice() {
    Close();
}

bool VirtualHidDevice::Closed() {
    if (m_closed) {
        m_error = "the device is closed";
    }
    return m_closed;
}

int VirtualHidDevice::Write(std::span<const uint8_t> report) {
    return Closed() ? -1 : m_bus->Write(m_number, m_generation, report, m_error);
}

int VirtualHidDevice::Read(std::span<uint8_t> buffer, int timeoutMs) {
    return Closed() ? -1 : m_bus->Read(m_number, m_generation, buffer, timeoutMs, m_error);
}

int VirtualHidDevice::SendFeatureReport(std::span<const uint8_t> report) {
    return Closed() ? -1 : m_bus->SendFeatureReport(m_number, m_generation, report, m_error);
}

int VirtualHidDevice::GetFeatureReport(std::span<uint8_t> buffer) {
    return Closed() ? -1 : m_bus->GetFeatureReport(m_number, m_generation, buffer, m_error);
}

bool VirtualHidDevice::GetManufacturerString(std::u16string& text) {
    return !Closed() && m_bus->Strings(m_number, m_generation, &text, nullptr, m_error);
}

bool VirtualHidDevice::GetProductString(std::u16string& text) {
    return !Closed() && m_bus->Strings(m_number, m_generation, nullptr, &text, m_error);
}

size_t VirtualHidDevice::OutputReportLength() const {
    return m_bus->OutputReportLength(m_number);
}

void VirtualHidDevice::Close() {
    if (!m_closed) {
        m_closed = true;
        m_bus->CloseNode(m_number);
    }
}

}  // namespace sim

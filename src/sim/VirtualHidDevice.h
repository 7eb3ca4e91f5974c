#pragma once

#include <memory>
#include <string>

#include "platform/HidBackend.h"
#include "sim/VirtualBus.h"

namespace sim {

// An open interface of the virtual mouse or its receiver. It fails every call once the bus has
// been unplugged (also after a replug) or the device closed, like a vanished hidraw node.
class VirtualHidDevice final : public platform::HidDevice {
  public:
    VirtualHidDevice(std::shared_ptr<VirtualBus> bus, int number, uint64_t generation);
    ~VirtualHidDevice() override;

    int Write(std::span<const uint8_t> report) override;
    int Read(std::span<uint8_t> buffer, int timeoutMs) override;
    int SendFeatureReport(std::span<const uint8_t> report) override;
    int GetFeatureReport(std::span<uint8_t> buffer) override;
    bool GetManufacturerString(std::u16string& text) override;
    bool GetProductString(std::u16string& text) override;
    size_t OutputReportLength() const override;
    void Close() override;
    std::string LastError() const override { return m_error; }

  private:
    bool Closed();

    std::shared_ptr<VirtualBus> m_bus;
    int m_number;
    uint64_t m_generation;
    bool m_closed = false;
    std::string m_error;
};

}  // namespace sim

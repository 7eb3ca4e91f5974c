#pragma once

// A device manager connected to the virtual mouse on a fake clock, for exchange tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/DeviceManager.h"
#include "device/ProtocolTrace.h"
#include "sim/VirtualHidBackend.h"
#include "support/FakeClock.h"

namespace exchange_test {

// "AA BB" followed by zero bytes up to `size` bytes in all.
inline std::string Padded(const std::string& head, size_t size) {
    std::string text = head;
    size_t count = head.empty() ? 0 : (head.size() + 1) / 3;
    while (count < size) {
        text += count == 0 ? "00" : " 00";
        ++count;
    }
    return text;
}

inline std::string Hex(std::span<const uint8_t> bytes) {
    return device::ProtocolTrace::FormatLine("", bytes);
}

inline std::vector<sim::IoRecord> RecordsOf(const std::vector<sim::IoRecord>& log,
                                            sim::IoRecord::Kind kind) {
    std::vector<sim::IoRecord> out;
    for (const sim::IoRecord& r : log) {
        if (r.kind == kind) {
            out.push_back(r);
        }
    }
    return out;
}

class ExchangeFixture : public ::testing::Test {
  protected:
    ExchangeFixture() {
        manager.AddIdEntry(0x5A17, 0x1001, u"", 101, 0);
        manager.AddIdEntry(0x5A17, 0x1002, u"", 101, 1);
        manager.AddIdEntry(0x5A17, 0x1003, u"", 101, 2);
        manager.SetDeviceTypeFilter(101);
    }

    // Plugs in the mode's devices, refreshes the connections and forgets the I/O so far.
    void Connect(sim::SimMode mode) {
        Bus().SetMode(mode);
        manager.RebuildConnections();
        Bus().ClearIoLog();
        clock->ClearSleeps();
    }

    sim::VirtualBus& Bus() { return backend.Bus(); }
    std::vector<sim::IoRecord> Log(sim::IoRecord::Kind kind) {
        return RecordsOf(Bus().IoLog(), kind);
    }

    testing_support::ScopedFakeClock clock;
    sim::VirtualHidBackend backend{sim::VirtualHidBackend::Empty{}};
    device::DeviceManager manager{backend};
};

}  // namespace exchange_test

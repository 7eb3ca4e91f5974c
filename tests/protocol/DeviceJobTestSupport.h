#pragma once

// The device jobs against the virtual mouse: a device manager on the virtual HID bus and a fake
// clock, and a store of its own with the five default profiles in a temporary data folder.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "device/DeviceManager.h"
#include "protocol/CommandReport.h"
#include "sim/VirtualHidBackend.h"
#include "store/ConfigDefaults.h"
#include "store/ProfileDatabase.h"
#include "support/FakeClock.h"
#include "support/TempHome.h"

namespace device_job_test {

// Bytes as upper-case hex pairs separated by spaces.
inline std::string Hex(std::span<const uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i > 0) {
            text += ' ';
        }
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

// Hex text to bytes ("AA 0E 01" -> {0xAA, 0x0E, 0x01}), padded with zeros to `size` bytes.
inline std::vector<uint8_t> Bytes(const std::string& hex, size_t size = 0) {
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i + 1 < hex.size(); i += 3) {
        bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    if (bytes.size() < size) {
        bytes.resize(size, 0);
    }
    return bytes;
}

// A whole 65-byte frame: the given bytes, then zeros.
inline std::string Frame(const std::string& head) {
    return Hex(Bytes(head, protocol::CommandReport::kSize));
}

// Every configuration value of a profile, by key.
inline std::map<std::string, std::u16string> ConfigOf(store::ProfileDatabase& db, int profile) {
    std::map<std::string, std::u16string> values;
    for (const store::ConfigDefault& row : store::kConfigDefaults) {
        db.GetConfigValue(profile, row.key, values[std::string(row.key)]);
    }
    return values;
}

class DeviceJobFixture : public ::testing::Test {
  protected:
    DeviceJobFixture() {
        manager.AddIdEntry(sim::VirtualBus::kVendorId, sim::VirtualBus::kWiredProductId, u"", 101,
                           0);
        manager.AddIdEntry(sim::VirtualBus::kVendorId, sim::VirtualBus::kReceiverProductId, u"",
                           101, 1);
        manager.AddIdEntry(sim::VirtualBus::kVendorId, sim::VirtualBus::kBluetoothProductId, u"",
                           101, 2);
        manager.SetDeviceTypeFilter(101);
        folder = testing_support::MakeTempFolder("jobs") + "/";
        std::filesystem::create_directories(folder + "db");
        opened = db.OpenForDevice(folder, u"M1");
        db.EnsureDefaultProfiles();
    }
    ~DeviceJobFixture() override {
        db.Close();
        testing_support::RemoveTree(folder);
    }

    void SetUp() override { ASSERT_TRUE(opened); }

    // Plugs in the mouse, refreshes the connections and forgets the I/O so far.
    void Connect(sim::SimMode mode = sim::SimMode::Wired) {
        Bus().SetMode(mode);
        manager.RebuildConnections();
        Bus().ClearIoLog();
    }

    sim::VirtualBus& Bus() { return backend.Bus(); }
    sim::VirtualMouse Mouse() { return Bus().Mouse(); }

    // The reports written to the mouse since the last ClearIoLog, report ID first.
    std::vector<std::vector<uint8_t>> Writes() {
        std::vector<std::vector<uint8_t>> writes;
        for (const sim::IoRecord& record : Bus().IoLog()) {
            if (record.kind == sim::IoRecord::Kind::Write) {
                writes.push_back(record.bytes);
            }
        }
        return writes;
    }

    // The written commands as "code/profile index" pairs: "0F/00 22/00 ...".
    std::string Commands() {
        std::string text;
        for (const std::vector<uint8_t>& write : Writes()) {
            if (!text.empty()) {
                text += ' ';
            }
            const uint8_t pair[] = {write.at(2), write.at(8)};
            text += Hex(std::span<const uint8_t>(pair, 1)) + "/" +
                    Hex(std::span<const uint8_t>(pair + 1, 1));
        }
        return text;
    }

    // The one report written since the last ClearIoLog, as hex ("<n writes>" otherwise).
    std::string OnlyWrite() {
        const auto writes = Writes();
        if (writes.size() != 1) {
            return "<" + std::to_string(writes.size()) + " writes>";
        }
        return Hex(writes[0]);
    }

    testing_support::ScopedFakeClock clock;
    sim::VirtualHidBackend backend{sim::VirtualHidBackend::Empty{}};
    device::DeviceManager manager{backend};
    std::string folder;
    store::ProfileDatabase db;
    bool opened = false;
};

}  // namespace device_job_test

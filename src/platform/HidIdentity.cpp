#include "platform/HidIdentity.h"

#include <libudev.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "platform/FileIo.h"

namespace platform {

namespace {

constexpr char kBluetoothServiceId[] = "{00001812-0000-1000-8000-00805F9B34FB}";
constexpr uint16_t kGenericDesktopPage = 0x01;
constexpr uint16_t kKeyboardUsage = 0x06;
// Report descriptors in sysfs are at most 4 KiB; anything far larger is not one.
constexpr size_t kMaxDescriptorBytes = 64 * 1024;

// Linux bus numbers (the first field of HID_ID) and what they mean here.
struct BusEntry {
    unsigned linuxBus;
    HidBusType type;
};
constexpr BusEntry kBusTable[] = {
    {0x03, HidBusType::Usb},
    {0x05, HidBusType::Bluetooth},
    {0x18, HidBusType::I2c},
    {0x1C, HidBusType::Spi},
};

HidBusType BusFromLinux(unsigned bus) {
    for (const BusEntry& entry : kBusTable) {
        if (entry.linuxBus == bus) {
            return entry.type;
        }
    }
    return HidBusType::Unknown;
}

std::string ToUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

// Report lengths in bytes of one report kind: the largest report (by report ID) plus the ID
// byte, which a report of a device without IDs carries as 0 as well.
uint16_t LengthOf(const std::map<uint32_t, uint64_t>& bitsById) {
    uint64_t largest = 0;
    for (const auto& [id, bits] : bitsById) {
        largest = std::max(largest, bits);
    }
    if (bitsById.empty()) {
        return 0;
    }
    const uint64_t bytes = (largest + 7) / 8 + 1;
    return static_cast<uint16_t>(std::min<uint64_t>(bytes, 0xFFFF));
}

struct GlobalItems {
    uint32_t usagePage = 0;
    uint32_t reportSize = 0;
    uint32_t reportCount = 0;
    uint32_t reportId = 0;
};

struct PendingCollection {
    HidCollection collection;
    std::map<uint32_t, uint64_t> inputBits;
    std::map<uint32_t, uint64_t> outputBits;
    std::map<uint32_t, uint64_t> featureBits;
};

// unique_ptr deleters for the udev objects.
struct UdevDeleter {
    void operator()(udev* u) const { udev_unref(u); }
};
struct UdevDeviceDeleter {
    void operator()(udev_device* d) const { udev_device_unref(d); }
};

int HexAttribute(udev_device* device, const char* name, int fallback) {
    const char* text = device ? udev_device_get_sysattr_value(device, name) : nullptr;
    if (!text || !*text) {
        return fallback;
    }
    char* end = nullptr;
    const long value = std::strtol(text, &end, 16);
    if (end == text || value < 0 || value > 0xFFFF) {
        return fallback;
    }
    return static_cast<int>(value);
}

}  // namespace

std::vector<HidCollection> HidIdentity::ParseTopLevelCollections(
    std::span<const uint8_t> descriptor) {
    // Item prefixes: size in bits 0-1 (3 means 4 bytes), type in bits 2-3, tag in bits 4-7.
    enum ItemType { kMain = 0, kGlobal = 1, kLocal = 2 };
    enum MainTag { kInput = 0x8, kOutput = 0x9, kCollection = 0xA, kFeature = 0xB, kEnd = 0xC };
    enum GlobalTag {
        kUsagePage = 0x0,
        kReportSize = 0x7,
        kReportId = 0x8,
        kReportCount = 0x9,
        kPush = 0xA,
        kPop = 0xB
    };
    constexpr uint8_t kLongItem = 0xFE;
    constexpr size_t kMaxPushDepth = 64;

    std::vector<PendingCollection> found;
    GlobalItems globals;
    std::vector<GlobalItems> stack;
    bool haveUsage = false;
    uint32_t firstUsage = 0;
    bool firstUsageExtended = false;
    int depth = 0;

    size_t i = 0;
    const size_t n = descriptor.size();
    while (i < n) {
        const uint8_t prefix = descriptor[i];
        if (prefix == kLongItem) {
            if (i + 2 >= n) {
                break;
            }
            const size_t dataSize = descriptor[i + 1];
            i += 3 + dataSize;
            continue;
        }
        const size_t sizeCode = prefix & 0x03;
        const size_t size = sizeCode == 3 ? 4 : sizeCode;
        const int type = (prefix >> 2) & 0x03;
        const int tag = prefix >> 4;
        if (i + 1 + size > n) {
            break;  // truncated item: keep what was complete
        }
        uint32_t value = 0;
        for (size_t k = 0; k < size; ++k) {
            value |= static_cast<uint32_t>(descriptor[i + 1 + k]) << (8 * k);
        }
        i += 1 + size;

        if (type == kMain) {
            if (tag == kCollection) {
                if (depth == 0) {
                    PendingCollection pending;
                    const uint32_t page =
                        firstUsageExtended ? (firstUsage >> 16) : globals.usagePage;
                    pending.collection.usagePage = static_cast<uint16_t>(page);
                    pending.collection.usage = static_cast<uint16_t>(haveUsage ? firstUsage : 0);
                    found.push_back(std::move(pending));
                }
                ++depth;
            } else if (tag == kEnd) {
                if (depth > 0) {
                    --depth;
                }
            } else if ((tag == kInput || tag == kOutput || tag == kFeature) && depth > 0 &&
                       !found.empty()) {
                PendingCollection& current = found.back();
                auto& bits = tag == kInput    ? current.inputBits
                             : tag == kOutput ? current.outputBits
                                              : current.featureBits;
                const uint64_t added = static_cast<uint64_t>(globals.reportSize) *
                                       static_cast<uint64_t>(globals.reportCount);
                uint64_t& total = bits[globals.reportId];
                total = std::min<uint64_t>(total + added, uint64_t{1} << 32);
            }
            haveUsage = false;
            firstUsage = 0;
            firstUsageExtended = false;
        } else if (type == kGlobal) {
            switch (tag) {
                case kUsagePage:
                    globals.usagePage = value & 0xFFFF;
                    break;
                case kReportSize:
                    globals.reportSize = value;
                    break;
                case kReportId:
                    globals.reportId = value;
                    break;
                case kReportCount:
                    globals.reportCount = value;
                    break;
                case kPush:
                    if (stack.size() < kMaxPushDepth) {
                        stack.push_back(globals);
                    }
                    break;
                case kPop:
                    if (!stack.empty()) {
                        globals = stack.back();
                        stack.pop_back();
                    }
                    break;
                default:
                    break;
            }
        } else if (type == kLocal && tag == 0 && !haveUsage) {
            haveUsage = true;
            firstUsage = value;
            firstUsageExtended = size == 4;
        }
    }

    std::vector<HidCollection> result;
    result.reserve(found.size());
    for (PendingCollection& pending : found) {
        pending.collection.inputLength = LengthOf(pending.inputBits);
        pending.collection.outputLength = LengthOf(pending.outputBits);
        pending.collection.featureLength = LengthOf(pending.featureBits);
        result.push_back(pending.collection);
    }
    return result;
}

std::string HidIdentity::UsbText(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                                 int collectionIndex, int collectionCount, std::string_view node) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "HID\\VID_%04X&PID_%04X", vendorId, productId);
    std::string text = buffer;
    if (interfaceNumber >= 0) {
        std::snprintf(buffer, sizeof buffer, "&MI_%02X", static_cast<unsigned>(interfaceNumber));
        text += buffer;
    }
    if (collectionCount > 1) {
        std::snprintf(buffer, sizeof buffer, "&COL%02X", static_cast<unsigned>(collectionIndex));
        text += buffer;
    }
    text += '\\';
    text += ToUpperAscii(node);
    return text;
}

std::string HidIdentity::BluetoothText(uint16_t vendorId, uint16_t productId, uint16_t release,
                                       std::string_view address, int collectionIndex,
                                       std::string_view node, bool keyboard) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, "_DEV_VID&02%04X_PID&%04X_REV&%04X_", vendorId, productId,
                  release);
    std::string text = "HID\\";
    text += kBluetoothServiceId;
    text += buffer;
    text += NormalizeAddress(address);
    std::snprintf(buffer, sizeof buffer, "&COL%02X\\", static_cast<unsigned>(collectionIndex));
    text += buffer;
    text += ToUpperAscii(node);
    if (keyboard) {
        text += "\\KBD";
    }
    return text;
}

std::string HidIdentity::NormalizeAddress(std::string_view address) {
    std::string digits;
    for (char c : address) {
        if (c == ':' || c == '-') {
            continue;
        }
        const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex) {
            return "000000000000";
        }
        digits += c;
    }
    if (digits.size() != 12) {
        return "000000000000";
    }
    return ToUpperAscii(digits);
}

std::string HidIdentity::TextFor(const HidNodeFacts& facts, int collectionIndex) {
    const int count = static_cast<int>(facts.collections.size());
    bool keyboard = false;
    if (collectionIndex >= 1 && collectionIndex <= count) {
        const HidCollection& c = facts.collections[static_cast<size_t>(collectionIndex - 1)];
        keyboard = c.usagePage == kGenericDesktopPage && c.usage == kKeyboardUsage;
    }
    if (facts.busType == HidBusType::Bluetooth) {
        return BluetoothText(facts.vendorId, facts.productId, facts.releaseNumber, facts.address,
                             collectionIndex, facts.node, keyboard);
    }
    return UsbText(facts.vendorId, facts.productId, facts.interfaceNumber, collectionIndex, count,
                   facts.node);
}

std::string HidIdentity::NodeName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool HidIdentity::DescribeNode(const std::string& devnode, HidNodeFacts& facts) {
    const std::string name = NodeName(devnode);
    if (name.empty()) {
        return false;
    }
    std::unique_ptr<udev, UdevDeleter> context(udev_new());
    if (!context) {
        return false;
    }
    std::unique_ptr<udev_device, UdevDeviceDeleter> raw(
        udev_device_new_from_subsystem_sysname(context.get(), "hidraw", name.c_str()));
    if (!raw) {
        return false;
    }
    // The parents belong to raw and are released with it.
    udev_device* hid = udev_device_get_parent_with_subsystem_devtype(raw.get(), "hid", nullptr);
    if (!hid) {
        return false;
    }
    HidNodeFacts result;
    result.node = name;

    // HID_ID is "bus:vendor:product" in hex, e.g. "0003:00005A17:00001001".
    if (const char* id = udev_device_get_property_value(hid, "HID_ID")) {
        unsigned bus = 0, vendor = 0, product = 0;
        if (std::sscanf(id, "%x:%x:%x", &bus, &vendor, &product) == 3) {
            result.busType = BusFromLinux(bus);
            result.vendorId = static_cast<uint16_t>(vendor);
            result.productId = static_cast<uint16_t>(product);
        }
    }
    if (const char* uniq = udev_device_get_property_value(hid, "HID_UNIQ")) {
        result.address = uniq;
    }
    if (const char* syspath = udev_device_get_syspath(hid)) {
        const auto descriptor =
            ReadWholeFile(std::string(syspath) + "/report_descriptor", kMaxDescriptorBytes);
        if (!descriptor) {
            return false;
        }
        result.collections = ParseTopLevelCollections(std::span<const uint8_t>(
            reinterpret_cast<const uint8_t*>(descriptor->data()), descriptor->size()));
    }
    if (udev_device* usbInterface =
            udev_device_get_parent_with_subsystem_devtype(raw.get(), "usb", "usb_interface")) {
        result.interfaceNumber = HexAttribute(usbInterface, "bInterfaceNumber", -1);
    }
    if (udev_device* usbDevice =
            udev_device_get_parent_with_subsystem_devtype(raw.get(), "usb", "usb_device")) {
        result.releaseNumber = static_cast<uint16_t>(HexAttribute(usbDevice, "bcdDevice", 0));
    }
    facts = std::move(result);
    return true;
}

std::vector<HidDeviceInfo> HidIdentity::RecordsFor(const HidNodeFacts& facts,
                                                   const std::string& path) {
    std::vector<HidDeviceInfo> records;
    const int count = static_cast<int>(facts.collections.size());
    for (int index = 1; index <= count; ++index) {
        const HidCollection& c = facts.collections[static_cast<size_t>(index - 1)];
        HidDeviceInfo info;
        info.path = path;
        info.vendorId = facts.vendorId;
        info.productId = facts.productId;
        info.releaseNumber = facts.releaseNumber;
        info.usagePage = c.usagePage;
        info.usage = c.usage;
        info.interfaceNumber = facts.interfaceNumber;
        info.busType = facts.busType;
        info.collectionIndex = index;
        info.collectionCount = count;
        info.identity = TextFor(facts, index);
        records.push_back(std::move(info));
    }
    return records;
}

}  // namespace platform

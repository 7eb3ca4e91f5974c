#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/HidBackend.h"

namespace platform {

// One top-level collection of a HID report descriptor, with the byte lengths of its largest
// input, output and feature report (report ID byte included, 0 when it has none of that kind).
struct HidCollection {
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t inputLength = 0;
    uint16_t outputLength = 0;
    uint16_t featureLength = 0;

    bool operator==(const HidCollection&) const = default;
};

// What udev and sysfs tell about one hidraw node.
struct HidNodeFacts {
    std::string node;                          // node name, e.g. "hidraw3"
    HidBusType busType = HidBusType::Unknown;  // from HID_ID
    uint16_t vendorId = 0;                     // from HID_ID
    uint16_t productId = 0;                    // from HID_ID
    uint16_t releaseNumber = 0;                // USB bcdDevice; 0 when not known
    int interfaceNumber = -1;                  // USB bInterfaceNumber; -1 when not USB
    std::string address;                       // HID_UNIQ as given (Bluetooth address)
    std::vector<HidCollection> collections;    // top-level collections, descriptor order
};

// The identity text of a HID interface: the hardware-id form under which the device catalogue's
// interface patterns and the Bluetooth rules recognise an interface. A hidraw path says nothing
// about vendor, product, interface or collection, so every interface (one per top-level
// collection) is given this upper-case text instead:
//
//   USB (wired mouse or receiver):
//     HID\VID_%04X&PID_%04X&MI_%02X&COL%02X\<NODE>
//     "&MI_xx" only when the USB interface number is known; "&COLxx" only when the hidraw node
//     has more than one top-level collection (1-based, in report-descriptor order); <NODE> is
//     the upper-cased node name. Example: HID\VID_5A17&PID_1001&MI_01\HIDRAW3
//
//   Bluetooth (HID over GATT; every device on the Bluetooth bus):
//     HID\{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&02%04X_PID&%04X_REV&%04X_<ADDRESS>&COL%02X\<NODE>
//     followed by "\KBD" when the collection is a keyboard (usage page 0x01, usage 0x06).
//     <ADDRESS> is the Bluetooth address as 12 upper-case hex digits without separators, or
//     000000000000 when unknown. The collection number is always present.
//     Example:
//     HID\{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&025A17_PID&1003_REV&0100_A1B2C3D4E5F6&COL01\HIDRAW5\KBD
//
// Devices on other buses get the USB form.
class HidIdentity {
  public:
    // The top-level collections of a report descriptor, in order. Nested collections belong to
    // their top-level one. A malformed or truncated descriptor yields what was parsed before the
    // fault; nothing is read past the given bytes.
    static std::vector<HidCollection> ParseTopLevelCollections(std::span<const uint8_t> descriptor);

    // The USB form above. collectionIndex is 1-based; collectionCount is the node's total.
    static std::string UsbText(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                               int collectionIndex, int collectionCount, std::string_view node);

    // The Bluetooth form above. address is taken as given by udev ("a1:b2:c3:d4:e5:f6").
    static std::string BluetoothText(uint16_t vendorId, uint16_t productId, uint16_t release,
                                     std::string_view address, int collectionIndex,
                                     std::string_view node, bool keyboard);

    // 12 upper-case hex digits of a Bluetooth address written with or without separators;
    // "000000000000" when the text is not an address.
    static std::string NormalizeAddress(std::string_view address);

    // The identity text of collection collectionIndex (1-based) of a described node.
    static std::string TextFor(const HidNodeFacts& facts, int collectionIndex);

    // Reads the facts of a hidraw node from udev and sysfs. devnode is "/dev/hidrawN" or
    // "hidrawN". False when the node is unknown to udev or its report descriptor cannot be
    // read.
    static bool DescribeNode(const std::string& devnode, HidNodeFacts& facts);

    // One enumeration record per top-level collection of a described node, each with its
    // identity text, all carrying `path`.
    static std::vector<HidDeviceInfo> RecordsFor(const HidNodeFacts& facts, const std::string& path);

    // The node name of a hidraw path: the part after the last '/'.
    static std::string NodeName(std::string_view path);
};

}  // namespace platform

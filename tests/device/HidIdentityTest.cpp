// The identity text of HID interfaces and the report-descriptor walk that finds a node's
// top-level collections.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/HidIdentity.h"
#include "platform/HidapiBackend.h"

namespace {

using platform::HidCollection;
using platform::HidIdentity;

struct DescriptorCase {
    const char* name;
    std::vector<uint8_t> descriptor;
    std::vector<HidCollection> expected;
};

// Usage page, usage, input / output / feature report lengths (report ID byte included).
const DescriptorCase kDescriptorCases[] = {
    {"one vendor collection without report IDs",
     {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
      0x08, 0x95, 0x40, 0x81, 0x02, 0x09, 0x10, 0x95, 0x40, 0x91, 0x02, 0xC0},
     {{0xFF01, 0x10, 65, 65, 0}}},
    {"keyboard, consumer and vendor collections on one node",
     {0x05, 0x01, 0x09, 0x06, 0xA1, 0x01, 0x85, 0x01, 0x75, 0x08, 0x95, 0x08, 0x81,
      0x02, 0xC0, 0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x02, 0x75, 0x10, 0x95,
      0x01, 0x81, 0x00, 0xC0, 0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x85, 0x03,
      0x75, 0x08, 0x95, 0x3F, 0x81, 0x02, 0x91, 0x02, 0xB1, 0x02, 0xC0},
     {{0x01, 0x06, 9, 0, 0}, {0x0C, 0x01, 3, 0, 0}, {0xFF01, 0x10, 64, 64, 64}}},
    {"nested collections belong to their top-level one",
     {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00, 0x75, 0x08, 0x95, 0x04, 0x81,
      0x06, 0xC0, 0xC0},
     {{0x01, 0x02, 5, 0, 0}}},
    {"a four-byte usage carries its own page",
     {0x0B, 0x01, 0x00, 0x0A, 0xFF, 0xA1, 0x01, 0xC0},
     {{0xFF0A, 0x01, 0, 0, 0}}},
    {"push and pop restore the usage page",
     {0x05, 0x01, 0xA4, 0x06, 0x01, 0xFF, 0xB4, 0x09, 0x06, 0xA1, 0x01, 0xC0},
     {{0x01, 0x06, 0, 0, 0}}},
    {"a long item is skipped",
     {0xFE, 0x02, 0x00, 0xAA, 0xBB, 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0},
     {{0x01, 0x02, 0, 0, 0}}},
    {"stray end-collection items do not unbalance the walk",
     {0xC0, 0xC0, 0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0xC0, 0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,
      0xC0},
     {{0x01, 0x02, 0, 0, 0}, {0x01, 0x06, 0, 0, 0}}},
    {"a truncated item keeps what came before",
     {0x06, 0x01, 0xFF, 0x09, 0x10, 0xA1, 0x01, 0x75},
     {{0xFF01, 0x10, 0, 0, 0}}},
    {"an item cut in its data yields nothing", {0x06, 0x01}, {}},
    {"a truncated long item yields nothing", {0xFE, 0x10}, {}},
    {"empty", {}, {}},
};

TEST(HidIdentityTest, TopLevelCollectionsOfReportDescriptors) {
    for (const DescriptorCase& c : kDescriptorCases) {
        EXPECT_EQ(HidIdentity::ParseTopLevelCollections(c.descriptor), c.expected) << c.name;
    }
}

TEST(HidIdentityTest, RandomDescriptorsNeverReadPastTheirBytes) {
    std::mt19937 random(12345);
    for (int round = 0; round < 3000; ++round) {
        // Exactly sized heap buffers, so the address sanitizer sees any read past the end.
        std::vector<uint8_t> bytes(random() % 48);
        for (uint8_t& b : bytes) {
            b = static_cast<uint8_t>(random());
        }
        const auto collections = HidIdentity::ParseTopLevelCollections(bytes);
        EXPECT_LE(collections.size(), bytes.size());
    }
}

struct TextCase {
    const char* name;
    std::string actual;
    std::string expected;
};

TEST(HidIdentityTest, IdentityTexts) {
    const TextCase cases[] = {
        {"USB, one collection", HidIdentity::UsbText(0x5A17, 0x1001, 1, 1, 1, "hidraw3"),
         "HID\\VID_5A17&PID_1001&MI_01\\HIDRAW3"},
        {"USB, third of three collections",
         HidIdentity::UsbText(0x5A17, 0x1001, 1, 3, 3, "hidraw3"),
         "HID\\VID_5A17&PID_1001&MI_01&COL03\\HIDRAW3"},
        {"USB, interface unknown", HidIdentity::UsbText(0x046d, 0xc52b, -1, 1, 1, "hidraw12"),
         "HID\\VID_046D&PID_C52B\\HIDRAW12"},
        {"Bluetooth keyboard collection",
         HidIdentity::BluetoothText(0x5A17, 0x1003, 0x0100, "a1:b2:c3:d4:e5:f6", 1, "hidraw5",
                                    true),
         "HID\\{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&025A17_PID&1003_REV&0100_"
         "A1B2C3D4E5F6&COL01\\HIDRAW5\\KBD"},
        {"Bluetooth, other collection, address unknown",
         HidIdentity::BluetoothText(0x5A17, 0x1003, 0, "", 2, "hidraw5", false),
         "HID\\{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&025A17_PID&1003_REV&0000_"
         "000000000000&COL02\\HIDRAW5"},
        {"address with dashes", HidIdentity::NormalizeAddress("a1-b2-c3-d4-e5-f6"), "A1B2C3D4E5F6"},
        {"address too short", HidIdentity::NormalizeAddress("a1:b2:c3"), "000000000000"},
        {"address with a foreign character", HidIdentity::NormalizeAddress("a1:b2:c3:d4:e5:g6"),
         "000000000000"},
        {"node name of a path", HidIdentity::NodeName("/dev/hidraw7"), "hidraw7"},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(c.actual, c.expected) << c.name;
    }
}

TEST(HidIdentityTest, TextForFollowsTheBusAndMarksOnlyKeyboardCollections) {
    platform::HidNodeFacts facts;
    facts.node = "hidraw5";
    facts.vendorId = 0x5A17;
    facts.productId = 0x1003;
    facts.releaseNumber = 0x0100;
    facts.address = "a1:b2:c3:d4:e5:f6";
    facts.collections = {{0x01, 0x06, 0, 0, 0}, {0x01, 0x02, 0, 0, 0}};
    facts.busType = platform::HidBusType::Bluetooth;
    EXPECT_EQ(HidIdentity::TextFor(facts, 1),
              "HID\\{00001812-0000-1000-8000-00805F9B34FB}_DEV_VID&025A17_PID&1003_REV&0100_"
              "A1B2C3D4E5F6&COL01\\HIDRAW5\\KBD");
    EXPECT_EQ(HidIdentity::TextFor(facts, 2).find("KBD"), std::string::npos);

    facts.busType = platform::HidBusType::Usb;
    facts.interfaceNumber = 1;
    EXPECT_EQ(HidIdentity::TextFor(facts, 1), "HID\\VID_5A17&PID_1003&MI_01&COL01\\HIDRAW5");
    facts.collections.resize(1);
    EXPECT_EQ(HidIdentity::TextFor(facts, 1), "HID\\VID_5A17&PID_1003&MI_01\\HIDRAW5");
}

TEST(HidIdentityTest, DescribingAMissingNodeFails) {
    platform::HidNodeFacts facts;
    EXPECT_FALSE(HidIdentity::DescribeNode("/dev/hidraw-does-not-exist", facts));
    EXPECT_FALSE(HidIdentity::DescribeNode("", facts));
}

}  // namespace

namespace {

// Whatever HID devices this machine has (often none), every record of the real backend is one
// top-level collection with an identity text.
TEST(HidapiBackendTest, EveryRecordCarriesAnIdentityText) {
    platform::HidapiBackend backend;
    const platform::HidEnumeration found = backend.Enumerate();
    for (const platform::HidDeviceInfo& info : found.devices) {
        EXPECT_EQ(info.identity.rfind("HID\\", 0), 0u) << info.path;
        EXPECT_GE(info.collectionIndex, 1);
        EXPECT_LE(info.collectionIndex, info.collectionCount);
    }
    EXPECT_EQ(backend.Open("/dev/hidraw-does-not-exist").device, nullptr);
}

}  // namespace

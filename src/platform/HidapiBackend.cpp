#include "platform/HidapiBackend.h"

#include <hidapi/hidapi.h>

#include <algorithm>
#include <cwchar>
#include <map>

#include "base/Utf.h"
#include "platform/HidIdentity.h"

namespace platform {

namespace {

// hidapi's strings are wchar_t (UTF-32 on Linux).
std::u16string WideToUtf16(const wchar_t* text) {
    std::u16string out;
    if (!text) {
        return out;
    }
    for (; *text; ++text) {
        const auto c = static_cast<uint32_t>(*text);
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>((c >= 0xD800 && c <= 0xDFFF) ? 0xFFFD : c));
        } else if (c <= 0x10FFFF) {
            const uint32_t v = c - 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (v >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            out.push_back(u'\uFFFD');
        }
    }
    return out;
}

std::string ErrorText(hid_device* device, const char* fallback) {
    const wchar_t* text = hid_error(device);
    std::string out = base::Utf16ToUtf8(WideToUtf16(text));
    return out.empty() ? std::string(fallback) : out;
}

HidBusType BusFromHidapi(hid_bus_type bus) {
    switch (bus) {
        case HID_API_BUS_USB:
            return HidBusType::Usb;
        case HID_API_BUS_BLUETOOTH:
            return HidBusType::Bluetooth;
        case HID_API_BUS_I2C:
            return HidBusType::I2c;
        case HID_API_BUS_SPI:
            return HidBusType::Spi;
        default:
            return HidBusType::Unknown;
    }
}

// Strings are read into a 1024-character buffer.
constexpr size_t kStringCapacity = 1024;

class HidapiDevice final : public HidDevice {
  public:
    HidapiDevice(hid_device* device, size_t outputLength)
        : m_device(device), m_outputLength(outputLength) {}
    ~HidapiDevice() override { Close(); }

    int Write(std::span<const uint8_t> report) override {
        if (!Usable(report.size())) {
            return -1;
        }
        const int n = hid_write(m_device, report.data(), report.size());
        if (n < 0) {
            m_error = ErrorText(m_device, "write failed");
        }
        return n;
    }

    int Read(std::span<uint8_t> buffer, int timeoutMs) override {
        if (!Usable(buffer.size())) {
            return -1;
        }
        const int n = hid_read_timeout(m_device, buffer.data(), buffer.size(), timeoutMs);
        if (n < 0) {
            m_error = ErrorText(m_device, "read failed");
        }
        return n;
    }

    int SendFeatureReport(std::span<const uint8_t> report) override {
        if (!Usable(report.size())) {
            return -1;
        }
        const int n = hid_send_feature_report(m_device, report.data(), report.size());
        if (n < 0) {
            m_error = ErrorText(m_device, "sending the feature report failed");
        }
        return n;
    }

    int GetFeatureReport(std::span<uint8_t> buffer) override {
        if (!Usable(buffer.size())) {
            return -1;
        }
        const int n = hid_get_feature_report(m_device, buffer.data(), buffer.size());
        if (n < 0) {
            m_error = ErrorText(m_device, "getting the feature report failed");
        }
        return n;
    }

    bool GetManufacturerString(std::u16string& text) override {
        return GetString(hid_get_manufacturer_string, text);
    }

    bool GetProductString(std::u16string& text) override {
        return GetString(hid_get_product_string, text);
    }

    size_t OutputReportLength() const override { return m_outputLength; }

    void Close() override {
        if (m_device) {
            hid_close(m_device);
            m_device = nullptr;
        }
    }

    std::string LastError() const override { return m_error; }

  private:
    bool Usable(size_t size) {
        if (!m_device) {
            m_error = "the device is closed";
            return false;
        }
        if (size == 0) {
            m_error = "empty buffer";
            return false;
        }
        return true;
    }

    bool GetString(int (*get)(hid_device*, wchar_t*, size_t), std::u16string& text) {
        if (!m_device) {
            m_error = "the device is closed";
            return false;
        }
        wchar_t buffer[kStringCapacity] = {};
        if (get(m_device, buffer, kStringCapacity) < 0) {
            m_error = ErrorText(m_device, "reading a string failed");
            return false;
        }
        buffer[kStringCapacity - 1] = 0;
        text = WideToUtf16(buffer);
        return true;
    }

    hid_device* m_device;
    size_t m_outputLength;
    std::string m_error;
};

// What hidapi said about one node (its records share the path).
struct NodeRecord {
    std::string path;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t releaseNumber = 0;
    int interfaceNumber = -1;
    HidBusType busType = HidBusType::Unknown;
    std::vector<std::pair<uint16_t, uint16_t>> usages;  // as hidapi listed them
};

}  // namespace

HidapiBackend::HidapiBackend() {
    m_initialised = hid_init() == 0;
    if (!m_initialised) {
        m_initError = ErrorText(nullptr, "the HID library could not be initialised");
    }
}

HidapiBackend::~HidapiBackend() {
    if (m_initialised) {
        hid_exit();
    }
}

HidEnumeration HidapiBackend::Enumerate() {
    HidEnumeration result;
    if (!m_initialised) {
        result.error = m_initError;
        return result;
    }
    hid_device_info* list = hid_enumerate(0, 0);
    if (!list) {
        // An empty list is also how hidapi says "nothing attached"; only other texts are
        // failures.
        const std::string error = ErrorText(nullptr, "");
        if (error.find("No HID devices") == std::string::npos) {
            result.error = error;
        }
        return result;
    }
    std::vector<NodeRecord> nodes;
    std::map<std::string, size_t> byPath;
    for (const hid_device_info* info = list; info; info = info->next) {
        const std::string path = info->path ? info->path : "";
        if (path.empty()) {
            continue;
        }
        auto [it, added] = byPath.emplace(path, nodes.size());
        if (added) {
            NodeRecord node;
            node.path = path;
            node.vendorId = info->vendor_id;
            node.productId = info->product_id;
            node.releaseNumber = info->release_number;
            node.interfaceNumber = info->interface_number;
            node.busType = BusFromHidapi(info->bus_type);
            nodes.push_back(std::move(node));
        }
        nodes[it->second].usages.emplace_back(info->usage_page, info->usage);
    }
    hid_free_enumeration(list);

    for (const NodeRecord& node : nodes) {
        HidNodeFacts facts;
        const bool described = HidIdentity::DescribeNode(node.path, facts);
        if (!described || facts.collections.empty()) {
            // Without the descriptor, hidapi's own usages stand for the collections.
            facts = HidNodeFacts{};
            facts.node = HidIdentity::NodeName(node.path);
            for (const auto& [page, usage] : node.usages) {
                HidCollection c;
                c.usagePage = page;
                c.usage = usage;
                facts.collections.push_back(c);
            }
        }
        // hidapi's view of the ids and the bus wins; udev fills what hidapi leaves out.
        facts.vendorId = node.vendorId;
        facts.productId = node.productId;
        facts.releaseNumber = node.releaseNumber;
        facts.busType = node.busType;
        if (node.interfaceNumber >= 0 || facts.busType != HidBusType::Usb) {
            facts.interfaceNumber = node.interfaceNumber;
        }
        for (HidDeviceInfo& info : HidIdentity::RecordsFor(facts, node.path)) {
            result.devices.push_back(std::move(info));
        }
    }
    return result;
}

HidOpenResult HidapiBackend::Open(const std::string& path) {
    HidOpenResult result;
    if (!m_initialised) {
        result.error = m_initError;
        return result;
    }
    hid_device* device = hid_open_path(path.c_str());
    if (!device) {
        result.error = ErrorText(nullptr, "the device could not be opened");
        return result;
    }
    // Writes are padded to the node's longest output report, as the device expects whole
    // reports; a node whose descriptor cannot be read gets no padding.
    size_t outputLength = 0;
    HidNodeFacts facts;
    if (HidIdentity::DescribeNode(path, facts)) {
        for (const HidCollection& c : facts.collections) {
            outputLength = std::max<size_t>(outputLength, c.outputLength);
        }
    }
    result.device = std::make_unique<HidapiDevice>(device, outputLength);
    return result;
}

}  // namespace platform

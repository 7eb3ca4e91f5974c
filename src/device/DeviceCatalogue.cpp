#include "device/DeviceCatalogue.h"

#include <climits>
#include <cstdint>

#include "platform/Folders.h"
#include "platform/SettingsKey.h"
#include "xml/XmlDocument.h"

namespace device {

std::string DeviceCatalogue::DefaultPath() {
    return platform::ExeFolder() + "config.xml";
}

bool DeviceCatalogue::Load(CatalogueTarget& target) {
    return Load(DefaultPath(), target);
}

bool DeviceCatalogue::Load(const std::string& path, CatalogueTarget& target) {
    m_selectedModes.clear();
    m_mice.clear();
    m_modes.clear();
    target.ClearSupportedIds();

    xml::XmlDocument doc;
    const bool read = doc.LoadFile(path) && doc.FindNextElement(u"config");
    if (read) {
        doc.EnterElement();
        if (doc.FindNextElement(u"device")) {
            doc.EnterElement();
            while (doc.FindNextElement(u"mouse")) {
                DeviceDescriptor record;
                record.name = doc.GetAttribute(u"name");
                record.deviceType = ParseDecimal(doc.GetAttribute(u"device_type"));
                record.databaseName = doc.GetAttribute(u"device_attr");
                m_mice.push_back(record);
                doc.EnterElement();
                // Each mode overwrites the previous one's fields in the same record.
                while (doc.FindNextElement(u"mode")) {
                    record.mode = ParseDecimal(doc.GetAttribute(u"value"));
                    record.description = doc.GetAttribute(u"desc");
                    record.vendorId = ParseHex(doc.GetAttribute(u"vid"));
                    record.productId = ParseHex(doc.GetAttribute(u"pid"));
                    record.interfacePattern = doc.GetAttribute(u"hid_interface");
                    m_modes.push_back(record);
                }
                doc.LeaveElement();
            }
            doc.LeaveElement();
        }
        // The search continues after <device>: a <software> before it is not seen.
        if (doc.FindNextElement(u"software")) {
            m_software.caption = doc.GetAttribute(u"caption");
            m_software.version = doc.GetAttribute(u"version");
            doc.EnterElement();
            if (doc.FindNextElement(u"website")) {
                m_software.website = doc.GetAttribute(u"url");
            }
            if (doc.FindNextElement(u"store")) {
                m_software.store = doc.GetAttribute(u"url");
            }
            if (doc.FindNextElement(u"upgrade")) {
                m_software.upgrade = doc.GetAttribute(u"url");
            }
            if (doc.FindNextElement(u"copyright")) {
                m_software.copyright = doc.GetAttribute(u"info");
            }
        }
    }

    platform::WriteDeviceTypeSetting(kDeviceTypeInEffect);
    target.SetDeviceTypeFilter(kDeviceTypeInEffect);
    target.ClearActiveConnectionCache();
    return read;
}

int DeviceCatalogue::ParseDecimal(std::u16string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }
    int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > int64_t(INT_MAX) + 1) {
            value = int64_t(INT_MAX) + 1;  // saturated; keep reading the digits
        }
    }
    if (negative) {
        return static_cast<int>(-value < INT_MIN ? INT_MIN : -value);
    }
    return static_cast<int>(value > INT_MAX ? INT_MAX : value);
}

int DeviceCatalogue::ParseHex(std::u16string_view text) {
    size_t i = 0;
    if (text.size() >= 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        i = 2;
    }
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i];
        int digit;
        if (c >= u'0' && c <= u'9') {
            digit = c - u'0';
        } else if (c >= u'a' && c <= u'f') {
            digit = c - u'a' + 10;
        } else if (c >= u'A' && c <= u'F') {
            digit = c - u'A' + 10;
        } else {
            break;
        }
        value = value * 16 + digit;
        if (value > INT_MAX) {
            value = INT_MAX;
        }
    }
    return static_cast<int>(value);
}

}  // namespace device

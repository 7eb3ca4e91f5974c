#include "store/SelectDeviceDatabase.h"

#include "platform/Folders.h"
#include "platform/SettingsKey.h"

namespace store {

std::u16string DatabaseNameForDeviceType(const device::DeviceDescriptorList& mice, int deviceType,
                                         std::u16string_view fallback) {
    for (const device::DeviceDescriptor& mouse : mice) {
        if (mouse.deviceType == deviceType) {
            return mouse.databaseName;
        }
    }
    return std::u16string(fallback);
}

bool SelectDeviceDatabase(const device::DeviceDescriptorList& mice, ProfileDatabase& database) {
    const int deviceType = platform::ReadDeviceTypeSetting();
    const std::u16string name = DatabaseNameForDeviceType(mice, deviceType, u"");
    return database.SelectDatabase(platform::DataFolder(), name, deviceType);
}

bool ClearDeviceDatabase(const device::DeviceDescriptorList& mice, ProfileDatabase& database) {
    const std::u16string name =
        DatabaseNameForDeviceType(mice, platform::ReadDeviceTypeSetting(), u"Mouse");
    return database.OpenAndClear(platform::DataFolder(), name);
}

}  // namespace store

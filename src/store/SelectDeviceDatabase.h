#pragma once

#include <string>
#include <string_view>

#include "device/DeviceDescriptor.h"
#include "store/ProfileDatabase.h"

namespace store {

// The database name of the first mouse of `deviceType` in the catalogue's mice list, or
// `fallback` when no mouse has that type.
std::u16string DatabaseNameForDeviceType(const device::DeviceDescriptorList& mice, int deviceType,
                                         std::u16string_view fallback);

// Opens the profile database of the model in effect: reads the stored device type, takes the
// database name of the first mouse of that type in `mice` (empty when there is none), closes
// the database that is open and opens that model's file in DataFolder(), creating it when it
// does not exist; then remembers the device type in the store. Answers the open.
bool SelectDeviceDatabase(const device::DeviceDescriptorList& mice,
                          ProfileDatabase& database = ProfileDatabase::Instance());

// The factory reset of the database: the name is chosen as above but "Mouse" stands in when no
// mouse has the stored type; that database in DataFolder() is emptied, id counters included
// (ProfileDatabase::OpenAndClear). Answers the open.
bool ClearDeviceDatabase(const device::DeviceDescriptorList& mice,
                         ProfileDatabase& database = ProfileDatabase::Instance());

}  // namespace store

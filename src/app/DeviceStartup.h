#pragma once

#include "app/DeviceController.h"
#include "device/DeviceCatalogue.h"

namespace app {

// The device start of the main window, in order: the catalogue beside the executable is loaded
// (which hands the device type filter to the device manager), the model's database is selected
// in the data folder, the controller gets the catalogue's modes, and the first connection
// refresh shows the state. Queuing the first job and starting the worker follow separately
// (DeviceController::Start). Window thread.
void StartDeviceSide(DeviceController& controller, device::DeviceCatalogue& catalogue,
                     device::DeviceManager& manager, store::ProfileDatabase& database);

// Why a factory reset is refused: no mouse that can be configured (text 57), or a Bluetooth
// connection (text 56).
enum class FactoryResetRefusal { None, NotOnline, Bluetooth };
FactoryResetRefusal CheckFactoryReset(const DeviceController& controller);

// The store side of the factory reset, once the user confirmed: the database of the stored
// device type's model ("Mouse" when the catalogue has none) is emptied, JOB_FACTORY_RESET is
// queued and the read-done flag cleared.
void FactoryReset(DeviceController& controller, const device::DeviceCatalogue& catalogue,
                  store::ProfileDatabase& database);

}  // namespace app

#include "app/DeviceStartup.h"

#include "app/DeviceCommand.h"
#include "store/SelectDeviceDatabase.h"

namespace app {

void StartDeviceSide(DeviceController& controller, device::DeviceCatalogue& catalogue,
                     device::DeviceManager& manager, store::ProfileDatabase& database) {
    catalogue.Load(manager);
    store::SelectDeviceDatabase(catalogue.Mice(), database);
    database.SetConnectionKindQuery([&manager] { return manager.GetConnectionKind(); });
    controller.SetCatalogueModes(catalogue.Modes());
    controller.RefreshConnection();
    catalogue.SetSelectedModes(controller.SelectedModes());
}

FactoryResetRefusal CheckFactoryReset(const DeviceController& controller) {
    if (!controller.IsOnline()) {
        return FactoryResetRefusal::NotOnline;
    }
    if (controller.ConnectionKind() == 2) {
        return FactoryResetRefusal::Bluetooth;
    }
    return FactoryResetRefusal::None;
}

void FactoryReset(DeviceController& controller, const device::DeviceCatalogue& catalogue,
                  store::ProfileDatabase& database) {
    store::ClearDeviceDatabase(catalogue.Mice(), database);
    controller.QueueCommand(JOB_FACTORY_RESET);
    controller.ClearReadDone();
}

}  // namespace app

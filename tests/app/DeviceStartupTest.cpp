#include <gtest/gtest.h>

#include "app/DeviceCommand.h"
#include "app/DeviceStartup.h"
#include "app/RecordingView.h"
#include "app/Startup.h"
#include "platform/Folders.h"
#include "platform/SettingsKey.h"
#include "sim/VirtualHidBackend.h"
#include "support/FakeClock.h"

namespace {

// The shipped catalogue (copied beside the test program), the virtual mouse and the store in
// the test home's data folder: the device start the window makes.
class DeviceStartupTest : public testing::Test {
protected:
    void SetUp() override {
        // Start-up creates the settings key before the catalogue stores the device type in it.
        platform::ReadLanguageSetting();
        ASSERT_TRUE(app::PrepareDataFolder());
    }
    void TearDown() override { database.Close(); }

    testing_support::ScopedFakeClock clock;
    sim::VirtualHidBackend backend{sim::SimMode::Wired};
    device::DeviceManager manager{backend};
    store::ProfileDatabase database;
    app_test::RecordingView view;
    app::DeviceController controller{{manager, database, view, nullptr, nullptr}};
    device::DeviceCatalogue catalogue;
};

TEST_F(DeviceStartupTest, ShippedCatalogueFindsTheVirtualMouseInEveryMode) {
    struct Case {
        sim::SimMode mode;
        int status;
    };
    const Case cases[] = {{sim::SimMode::Wired, 51},
                          {sim::SimMode::Receiver, 52},
                          {sim::SimMode::ReceiverOffline, 53},
                          {sim::SimMode::Bluetooth, 54}};
    for (const Case& c : cases) {
        backend.Bus().SetMode(c.mode);
        app::StartDeviceSide(controller, catalogue, manager, database);
        EXPECT_EQ(view.LastDisplay().statusText, c.status) << sim::SimModeName(c.mode);
    }
    EXPECT_EQ(database.DatabasePath(), platform::DataFolder() + "db/VarnethM1_data_trq.db");
    EXPECT_EQ(catalogue.SelectedModes().size(), 3u);
    EXPECT_EQ(catalogue.Software().version, u"1.0.0");
}

TEST_F(DeviceStartupTest, FactoryResetIsRefusedWithoutAConfigurableMouse) {
    struct Case {
        std::optional<sim::SimMode> mode;
        app::FactoryResetRefusal refusal;
    };
    const Case cases[] = {
        {std::nullopt, app::FactoryResetRefusal::NotOnline},
        {sim::SimMode::ReceiverOffline, app::FactoryResetRefusal::NotOnline},
        {sim::SimMode::Bluetooth, app::FactoryResetRefusal::Bluetooth},
        {sim::SimMode::Wired, app::FactoryResetRefusal::None},
    };
    for (const Case& c : cases) {
        backend.Bus().ClearNodes();
        if (c.mode) {
            backend.Bus().SetMode(*c.mode);
        }
        app::StartDeviceSide(controller, catalogue, manager, database);
        EXPECT_EQ(app::CheckFactoryReset(controller), c.refusal);
    }
}

TEST_F(DeviceStartupTest, FactoryResetEmptiesTheStoreAndQueuesTheJob) {
    app::StartDeviceSide(controller, catalogue, manager, database);
    controller.QueueCommand(app::JOB_SYNC_ONCE);
    controller.WorkerStep();
    ASSERT_TRUE(controller.ReadDone());
    ASSERT_GT(database.AddMacro(u"Custom1"), 0);

    app::FactoryReset(controller, catalogue, database);
    EXPECT_FALSE(controller.ReadDone());
    EXPECT_EQ(controller.Queue().Snapshot(), std::vector<int>{app::JOB_FACTORY_RESET});
    std::vector<store::MacroInfo> macros;
    EXPECT_EQ(database.ListMacros(macros), 0);

    controller.WorkerStep();
    EXPECT_EQ(view.Calls().back(), "hide macro editing");
    std::u16string rate;
    database.GetConfigValue(controller.CurrentProfile(), "report_rate", rate);
    EXPECT_EQ(rate, u"4") << "wired: 1000 Hz";
    EXPECT_EQ(backend.Bus().Mouse().MacroDoneCount(), 1);
}

}  // namespace

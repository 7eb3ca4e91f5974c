// What the mouse reports by itself while the window is idle reaches the window: a DPI stage and
// report rate changed with its buttons, its light mode, its battery and its emoji buttons.
#include <algorithm>

#include "WindowFixture.h"
#include "protocol/CommandSet.h"
#include "sim/SimMode.h"
#include "views/peliskui/BatteryCtrl.h"

namespace gui_test {
namespace {

class MouseNotifications : public WindowFixture {
  protected:
    void SetUp() override {
        WindowFixture::SetUp();
        Bus().SetMode(sim::SimMode::Wired);
        Open();
        page.calls.clear();
    }
    bool PageShows(const std::string& call) {
        return WaitFor([&] {
            return std::find(page.calls.begin(), page.calls.end(), call) != page.calls.end();
        });
    }
    const PeliskUI::BatteryCtrl& Battery() {
        return *window->GetControlAs<PeliskUI::BatteryCtrl>(DeviceMainDlg::kBattery);
    }
};

TEST_F(MouseNotifications, ReachTheWindowAndTheStore) {
    ASSERT_TRUE(Bus().QueueNotification(0x10, 4, 3));
    ASSERT_TRUE(PageShows("rate 3"));
    EXPECT_EQ(page.calls, (std::vector<std::string>{"stage 4", "rate 3"}));
    EXPECT_EQ(Config("dpi_index"), u"3");
    EXPECT_EQ(Config("report_rate"), u"3");

    ASSERT_TRUE(Bus().QueueNotification(0x11, 5, 0));
    ASSERT_TRUE(PageShows("light 5"));
    EXPECT_EQ(Config("light_mode"), u"5");

    ASSERT_TRUE(Bus().QueueNotification(0xD0, 150, 1));
    ASSERT_TRUE(WaitFor([&] { return Battery().GetLevel() == 100; }));
    EXPECT_TRUE(Battery().IsCharging());

    ASSERT_TRUE(Bus().QueueNotification(0x50, 7, 0));
    ASSERT_TRUE(WaitFor([&] {
        std::lock_guard lock(typedMutex);
        return typed == std::vector<int>{7};
    }));
}

// A report with an 0xFF value asks for the stored DPI stages: the worker queues JOB_SEND_DPI
// itself, and the mouse gets the stored stage.
TEST_F(MouseNotifications, AskingForTheStagesSendsTheStoredOne) {
    Bus().ClearIoLog();
    ASSERT_TRUE(Bus().QueueNotification(0x10, 0xFF, 0));
    ASSERT_TRUE(WaitFor([&] {
        const std::vector<int> written = WrittenCommands();
        return std::find(written.begin(), written.end(), protocol::CMD_SET_DPI) != written.end();
    }));
    EXPECT_TRUE(page.calls.empty()) << "the report itself is not handled";
}

}  // namespace
}  // namespace gui_test

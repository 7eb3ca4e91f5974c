// The window shows the connection state of the virtual mouse in each of its modes, and follows
// it when the mouse is unplugged and plugged in again.
#include <optional>

#include "WindowFixture.h"
#include "protocol/CommandSet.h"
#include "sim/SimMode.h"
#include "support/FakeClock.h"
#include "views/peliskui/BatteryCtrl.h"
#include "views/peliskui/CDeviceState.h"
#include "views/peliskui/MTabCtrl.h"

namespace gui_test {
namespace {

using PeliskUI::BatteryCtrl;
using PeliskUI::CDeviceState;
using PeliskUI::MTabCtrl;

// What the frame shows of the connection.
struct Shown {
    QString status;
    int mark;
    bool tabsEnabled;
    int tabIndex;
    int currentTab;
    bool banner;
    bool profileBar;
    QString overlay;
    int battery;
    bool charging;

    bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Shown& s) {
    return out << "{status \"" << s.status.toStdString() << "\" mark " << s.mark << " tabs "
               << s.tabsEnabled << " index " << s.tabIndex << " tab " << s.currentTab << " banner "
               << s.banner << " bar " << s.profileBar << " overlay \"" << s.overlay.toStdString()
               << "\" battery " << s.battery << " charging " << s.charging << "}";
}

Shown ShownBy(const DeviceMainDlg& window) {
    const auto* state = window.GetControlAs<CDeviceState>(DeviceMainDlg::kDeviceState);
    const auto* strip = window.GetControlAs<MTabCtrl>(DeviceMainDlg::kTabStrip);
    const auto* battery = window.GetControlAs<BatteryCtrl>(DeviceMainDlg::kBattery);
    bool bar = true;
    for (int id = DeviceMainDlg::kApplyProfile; id <= DeviceMainDlg::kExportProfile; ++id) {
        bar = bar && window.GetControl(id)->GetVisible();
    }
    return {state->GetTitle(),
            state->GetState(),
            strip->GetEnabled(),
            strip->GetSelectItem(),
            window.CurrentTab(),
            window.GetControl(DeviceMainDlg::kBannerText)->GetVisible() &&
                window.GetControl(DeviceMainDlg::kBannerArea)->GetVisible(),
            bar,
            window.GetMessage(),
            battery->GetLevel(),
            battery->IsCharging()};
}

class ConnectionState : public WindowFixture {};

// The clock outlives the window and its worker (members go after TearDown).
class ConnectionStateFakeTime : public WindowFixture {
  protected:
    testing_support::ScopedFakeClock clock;
};

TEST_F(ConnectionState, EachModeOfTheVirtualMouseShowsItself) {
    using W = DeviceMainDlg;
    struct Case {
        const char* name;
        std::optional<sim::SimMode> mode;
        Shown shown;
        bool online;
    };
    // The battery is reset to "not known" by every refresh and shows the mouse's level only
    // where the mouse can be read (77 %, charging).
    const Case cases[] = {
        {"no mouse",
         std::nullopt,
         {Text(50), W::kStateNone, false, 0, W::kTabHome, true, false, {}, -1, false},
         false},
        {"wired",
         sim::SimMode::Wired,
         {Text(51), W::kStateWired, true, 1, W::kTabKeys, false, true, {}, 77, true},
         true},
        {"receiver",
         sim::SimMode::Receiver,
         {Text(52), W::kStateReceiver, true, 1, W::kTabKeys, false, true, {}, 77, true},
         true},
        {"receiver, mouse asleep",
         sim::SimMode::ReceiverOffline,
         {Text(53), W::kStateNone, false, 0, W::kTabHome, true, false, {}, -1, false},
         false},
        {"bluetooth",
         sim::SimMode::Bluetooth,
         {Text(54), W::kStateBluetooth, false, 0, W::kTabHome, true, false, Text(56), -1, false},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Bus().ClearNodes();
        if (c.mode) {
            Bus().SetMode(*c.mode);
        }
        Bus().EditMouse([](sim::VirtualMouse& mouse) {
            mouse.SetBattery(77, 1);
            mouse.SetFirmwareVersion("142");
        });
        page.calls.clear();
        Open();
        EXPECT_EQ(ShownBy(*window), c.shown);
        EXPECT_EQ(Controller().IsOnline(), c.online);
        if (c.mode == sim::SimMode::Wired) {
            // The first read's updates reach the pages in the worker's order.
            EXPECT_EQ(page.calls,
                      (std::vector<std::string>{"profiles 5 current 1", "keys cleared", "macros",
                                                "performance", "firmware 1.4.2"}));
        }
        Close();
    }
}

// Unplugging the mouse shows the no-device state; plugging it in again reads it afresh. The
// arrival job's settling second passes on a fake clock.
TEST_F(ConnectionStateFakeTime, UnplugAndReplugFollowTheMouse) {
    Bus().SetMode(sim::SimMode::Wired);
    Open();
    ASSERT_EQ(ShownBy(*window).status, Text(51));
    const int keyReads = Bus().Mouse().AcceptedCount(protocol::CMD_READ_KEYS);

    Bus().Unplug();
    ASSERT_TRUE(WaitFor([&] { return ShownBy(*window).status == Text(50); }));
    const Shown gone = ShownBy(*window);
    EXPECT_FALSE(gone.tabsEnabled);
    EXPECT_EQ(gone.tabIndex, 0);
    EXPECT_TRUE(gone.banner);
    EXPECT_FALSE(gone.profileBar);
    EXPECT_FALSE(Controller().IsConnected());

    // Meanwhile stage 1 of the mouse's first profile was set to 3200 elsewhere.
    Bus().EditMouse([](sim::VirtualMouse& mouse) {
        sim::VirtualMouse::SettingsBlock block = mouse.Settings(0);
        block[5] = 0x80;  // 3200, little-endian
        block[6] = 0x0C;
        mouse.SetSettings(0, block);
    });
    Bus().Replug();
    ASSERT_TRUE(WaitFor([&] { return ShownBy(*window).status == Text(51); }));
    ASSERT_TRUE(WaitFor([&] { return Config("dpi_group0_value") == u"3200"; }))
        << "the mouse is read again after its arrival";
    const Shown back = ShownBy(*window);
    EXPECT_TRUE(back.tabsEnabled);
    EXPECT_TRUE(back.profileBar);
    EXPECT_FALSE(back.banner);
    EXPECT_EQ(Bus().Mouse().AcceptedCount(protocol::CMD_READ_KEYS), keyReads + 5)
        << "every profile's buttons";
}

}  // namespace
}  // namespace gui_test

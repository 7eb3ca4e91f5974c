#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "app/DeviceView.h"

namespace cli {

// The device side's view of the command-line program. It prints nothing: it remembers what the
// jobs show (connection state, battery, firmware version, the confirmation after an upload or
// reset), so each command can report what matters to it. Thread-safe, although the program
// drives the worker on its own thread.
class CliView : public app::DeviceView {
  public:
    struct Battery {
        int level = 0;
        int state = 0;
    };

    app::ConnectionDisplay Display() const;
    // The last battery state shown since ForgetBattery. Jobs show one only when the mouse
    // answered (a connection refresh shows the empty indicator).
    std::optional<Battery> LastBattery() const;
    void ForgetBattery();
    std::optional<std::u16string> Firmware() const;
    // The lParam of the last confirmation (1 after an upload, 2 after a reset); 0 when none.
    int Synced() const;

    void ShowConnectionState(const app::ConnectionDisplay& display) override;
    void SetBatteryInfo(int level, int state) override;
    void ShowProfileList(const store::ProfileListState&) override {}
    void RefreshKeyPage(bool) override {}
    void RefreshMacroList() override {}
    void RefreshPerformancePage() override {}
    void ShowFirmwareVersion(const std::u16string& text) override;
    void SelectDpiStage(int) override {}
    void CheckReportRate(int) override {}
    void SelectLightMode(int) override {}
    void HideMacroEditing() override {}
    void EndWaitDialog(int) override {}
    void DeviceSynced(int lParam) override;

  private:
    mutable std::mutex m_mutex;
    app::ConnectionDisplay m_display;
    std::optional<Battery> m_battery;
    std::optional<std::u16string> m_firmware;
    int m_synced = 0;
};

}  // namespace cli

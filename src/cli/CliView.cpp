#include "cli/CliView.h"

namespace cli {

app::ConnectionDisplay CliView::Display() const {
    std::lock_guard lock(m_mutex);
    return m_display;
}

std::optional<CliView::Battery> CliView::LastBattery() const {
    std::lock_guard lock(m_mutex);
    return m_battery;
}

void CliView::ForgetBattery() {
    std::lock_guard lock(m_mutex);
    m_battery.reset();
}

std::optional<std::u16string> CliView::Firmware() const {
    std::lock_guard lock(m_mutex);
    return m_firmware;
}

int CliView::Synced() const {
    std::lock_guard lock(m_mutex);
    return m_synced;
}

void CliView::ShowConnectionState(const app::ConnectionDisplay& display) {
    std::lock_guard lock(m_mutex);
    m_display = display;
}

void CliView::SetBatteryInfo(int level, int state) {
    std::lock_guard lock(m_mutex);
    m_battery = Battery{level, state};
}

void CliView::ShowFirmwareVersion(const std::u16string& text) {
    std::lock_guard lock(m_mutex);
    m_firmware = text;
}

void CliView::DeviceSynced(int lParam) {
    std::lock_guard lock(m_mutex);
    m_synced = lParam;
}

}  // namespace cli

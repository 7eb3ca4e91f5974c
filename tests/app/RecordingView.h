#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "app/DeviceView.h"

namespace app_test {

// A view that writes down every call, in order, as short text lines.
class RecordingView : public app::DeviceView {
public:
    std::vector<std::string> Calls() const {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_calls.clear();
    }
    // The last connection state shown.
    app::ConnectionDisplay LastDisplay() const {
        std::lock_guard lock(m_mutex);
        return m_display;
    }
    int Count(const std::string& prefix) const {
        std::lock_guard lock(m_mutex);
        int count = 0;
        for (const std::string& call : m_calls) {
            count += call.rfind(prefix, 0) == 0;
        }
        return count;
    }

    void ShowConnectionState(const app::ConnectionDisplay& d) override {
        std::lock_guard lock(m_mutex);
        m_display = d;
        m_calls.push_back("state " + std::to_string(d.statusText));
    }
    void SetBatteryInfo(int level, int state) override {
        Add("battery " + std::to_string(level) + " " + std::to_string(state));
    }
    void ShowProfileList(const store::ProfileListState& p) override {
        Add("profiles " + std::to_string(p.items.size()) + " current " + std::to_string(p.current));
    }
    void RefreshKeyPage(bool clear) override { Add(clear ? "keys cleared" : "keys"); }
    void RefreshMacroList() override { Add("macros"); }
    void RefreshPerformancePage() override { Add("performance"); }
    void ShowFirmwareVersion(const std::u16string& text) override {
        Add("firmware " + std::string(text.begin(), text.end()));
    }
    void SelectDpiStage(int stage) override { Add("stage " + std::to_string(stage)); }
    void CheckReportRate(int code) override { Add("rate " + std::to_string(code)); }
    void SelectLightMode(int mode) override { Add("light " + std::to_string(mode)); }
    void HideMacroEditing() override { Add("hide macro editing"); }
    void EndWaitDialog(int code) override { Add("end wait " + std::to_string(code)); }
    void DeviceSynced(int lParam) override { Add("synced " + std::to_string(lParam)); }

private:
    void Add(std::string call) {
        std::lock_guard lock(m_mutex);
        m_calls.push_back(std::move(call));
    }
    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
    app::ConnectionDisplay m_display;
};

}  // namespace app_test

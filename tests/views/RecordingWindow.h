#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

#include "views/peliskui/MDialog.h"

// A plain window for the control-layer tests: records every control event and window message,
// and lets a test build its children in InitUI.
class RecordingWindow : public PeliskUI::MDialog {
  public:
    struct Event {
        int id;
        int event;
        int64_t param;
        bool operator==(const Event&) const = default;
    };
    struct Message {
        uint32_t message;
        uint64_t wparam;
        int64_t lparam;
        bool operator==(const Message&) const = default;
    };

    std::function<void(RecordingWindow&)> build;
    std::function<void(const Event&)> onEvent;
    std::vector<Event> events;
    std::vector<Message> messages;
    std::vector<PeliskUI::MRect> sizes;
    int destroyed = 0;
    int timerTicks = 0;

    // Creates a 600 x 400 window at the top left and shows it.
    bool CreateShown(const QString& title = QStringLiteral("test")) {
        if (!Create(nullptr, title, PeliskUI::kStylePopup, 0, {0, 0, 600, 400})) {
            return false;
        }
        GetSafeHwnd()->show();
        return true;
    }

  protected:
    void InitUI() override {
        if (build) {
            build(*this);
        }
    }
    void UISize(const PeliskUI::MRect& client) override { sizes.push_back(client); }
    void OnMessage(int id, int event, int64_t param) override {
        events.push_back({id, event, param});
        if (onEvent) {
            onEvent(events.back());
        }
    }
    int64_t OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) override {
        messages.push_back({message, wparam, lparam});
        return 0;
    }
    void OnTimer(int) override { ++timerTicks; }
    void OnDestroy() override { ++destroyed; }
};

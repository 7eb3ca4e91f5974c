#pragma once

#include "views/peliskui/MWindow.h"

namespace platform {
class SingleInstance;
}

// The main window. It owns the views and, in time, the device side (queue, worker, connection
// state). When its window is initialised it starts answering the single-instance channel, so a
// later start brings this window forward and other processes can deliver window messages.
class DeviceMainDlg : public PeliskUI::MDialog {
public:
    // `instance` may be null (tests); it must outlive the window.
    explicit DeviceMainDlg(platform::SingleInstance* instance);
    ~DeviceMainDlg() override;

protected:
    void OnInitDialog() override;
    void OnDestroy() override;

private:
    platform::SingleInstance* m_instance;
};

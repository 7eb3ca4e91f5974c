#pragma once

#include <cstdint>

namespace app {

// The device jobs the window queues for the worker.
enum DeviceCommand : int {
    JOB_SYNC_ONCE = 1,
    JOB_DEVICE_ARRIVED = 2,
    JOB_DEVICE_REMOVED = 3,
    JOB_RELOAD_PROFILE = 5,
    JOB_UPLOAD_PROFILE = 6,
    JOB_READ_DEVICE = 7,
    JOB_WRITE_LIGHT = 9,
    JOB_SEND_DPI = 10,
    JOB_RESET_PROFILE = 15,
    JOB_FACTORY_RESET = 16,
};

// The main window's own messages. Other processes of the same user can deliver them too.
inline constexpr uint32_t UM_TRAY_NOTIFY = 0x069A;
inline constexpr uint32_t UM_TRAY_EXIT = 0x069B;
inline constexpr uint32_t UM_PROFILE_MENU = 0x06A9;
inline constexpr uint32_t UM_MACRO_MENU = 0x06AD;
inline constexpr uint32_t UM_RECORD_INSERT_MENU = 0x06AE;
inline constexpr uint32_t UM_RECORD_EDIT_MENU = 0x06AF;
inline constexpr uint32_t UM_DEVICE_SYNCED = 0x06B2;
inline constexpr uint32_t UM_APPLY_TEXTS = 0x07E6;

// lParam of UM_TRAY_EXIT that ends the program, and of UM_DEVICE_SYNCED after an upload and
// after a profile reset.
inline constexpr int64_t kTrayExitParam = 610;
inline constexpr int64_t kSyncedAfterUpload = 1;
inline constexpr int64_t kSyncedAfterReset = 2;

}  // namespace app

#pragma once

#include <cstdint>

// The main window's own messages (window message numbers of the program). They reach
// DeviceMainDlg::OnWindowMessage whether they are posted by the program's threads or delivered
// by another process of the same user through the single-instance channel.
namespace views {

inline constexpr uint32_t UM_TRAY_NOTIFY = 0x069A;
inline constexpr uint32_t UM_TRAY_EXIT = 0x069B;
inline constexpr uint32_t UM_PROFILE_MENU = 0x06A9;
inline constexpr uint32_t UM_MACRO_MENU = 0x06AD;
inline constexpr uint32_t UM_RECORD_INSERT_MENU = 0x06AE;
inline constexpr uint32_t UM_RECORD_EDIT_MENU = 0x06AF;
inline constexpr uint32_t UM_DEVICE_SYNCED = 0x06B2;
inline constexpr uint32_t UM_APPLY_TEXTS = 0x07E6;

// lParam of UM_TRAY_EXIT that ends the program.
inline constexpr int64_t kTrayExitParam = 610;
// wParam of UM_PROFILE_MENU.
inline constexpr uint64_t kProfileMenuImport = 1;
inline constexpr uint64_t kProfileMenuExport = 2;
// lParam of UM_DEVICE_SYNCED after an upload (any other value: after a profile reset).
inline constexpr int64_t kSyncedAfterUpload = 1;

}  // namespace views

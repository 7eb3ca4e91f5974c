#pragma once

#include <array>
#include <string>
#include <string_view>

namespace store {

// The configuration keys of a profile. Every profile gets exactly one row per key when it is
// created; setting a value never creates a row.
namespace config_key {
inline constexpr std::string_view kVersion = "version";
inline constexpr std::string_view kLightMode = "light_mode";
inline constexpr std::string_view kSleepLight = "sleep_light";
inline constexpr std::string_view kReportRate = "report_rate";
inline constexpr std::string_view kButtonRespondTime = "button_respondtime";
inline constexpr std::string_view kSensorFlag = "sensor_flag";
inline constexpr std::string_view kLiftoffHeight = "liftoff_height";
inline constexpr std::string_view kScrollFlag = "scroll_flag";
inline constexpr std::string_view kEsportsFlag = "e-sports_flag";
inline constexpr std::string_view kLeftButtonLock = "leftbtn_lock";
inline constexpr std::string_view kDpiFlag = "dpi_flag";
inline constexpr std::string_view kDpiIndex = "dpi_index";
inline constexpr std::string_view kDpiCount = "dpi_count";
}  // namespace config_key

// One key with the value a new or reset profile gets.
struct ConfigDefault {
    std::string_view key;
    std::string_view value;
};

// Every key with its default, in the order the rows of a new profile are inserted.
// Colours are 0x00BBGGRR (red in the low byte).
inline constexpr std::array<ConfigDefault, 25> kConfigDefaults{{
    {"version", "1.0.1"},            // data version marker; resets leave it alone
    {"light_mode", "3"},             // lighting mode number as sent to the mouse
    {"sleep_light", "20"},           // light-off time in minutes
    {"report_rate", "2"},            // 1 125 Hz, 2 250 Hz, 3 500 Hz, 4 1000 Hz
    {"button_respondtime", "8"},     // button response time 0 to 20
    {"sensor_flag", "53"},           // sensor option bits 4, 8, 16 (and 1, 32)
    {"liftoff_height", "1"},         // 1 for 1.0 mm, 2 for 2.0 mm
    {"scroll_flag", "0"},            // scroll direction, 0 or 1
    {"e-sports_flag", "1"},          // 2 on, 1 off
    {"leftbtn_lock", "1"},           // left-button lock, 1 on, 0 off
    {"dpi_flag", "5"},               // number of DPI stages as read from the mouse
    {"dpi_index", "2"},              // current DPI stage, counted from 0
    {"dpi_count", "5"},              // number of DPI stages in use
    {"dpi_group0_value", "800"},     // DPI of stage 1
    {"dpi_group1_value", "1200"},    // DPI of stage 2
    {"dpi_group2_value", "1600"},    // DPI of stage 3
    {"dpi_group3_value", "3200"},    // DPI of stage 4
    {"dpi_group4_value", "6400"},    // DPI of stage 5
    {"dpi_group5_value", "12000"},   // DPI of stage 6
    {"dpi_group0_rgb", "255"},       // colour of stage 1, red
    {"dpi_group1_rgb", "65280"},     // colour of stage 2, green
    {"dpi_group2_rgb", "16711680"},  // colour of stage 3, blue
    {"dpi_group3_rgb", "65535"},     // colour of stage 4, yellow
    {"dpi_group4_rgb", "8388736"},   // colour of stage 5, purple
    {"dpi_group5_rgb", "16776960"},  // colour of stage 6, cyan
}};

// Report rate codes a reset profile gets: 1000 Hz over a cable, 250 Hz on every other
// connection and with no mouse.
inline constexpr std::string_view kReportRateWired = "4";
inline constexpr std::string_view kReportRateOther = "2";

// "dpi_group<stage>_value" and "dpi_group<stage>_rgb" for a stage index 0 to 5.
std::string DpiValueKey(int stage);
std::string DpiColourKey(int stage);

}  // namespace store

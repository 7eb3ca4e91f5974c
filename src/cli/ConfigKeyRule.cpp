#include "cli/ConfigKeyRule.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace cli {

namespace {

constexpr std::array<int, 7> kSleepMinutes{1, 3, 5, 10, 20, 30, 60};
constexpr int kMaxColour = 0xFFFFFF;
// DPI values the mouse keeps (it reports nothing outside these).
constexpr int kMinDpi = 50;
constexpr int kMaxDpi = 26000;

constexpr std::array<ConfigKeyRule, 24> kRules{{
    {"light_mode", 0, 6, {}, "light effect 0 to 6"},
    {"sleep_light", 1, 60, kSleepMinutes, "light-off time in minutes"},
    {"report_rate", 1, 4, {}, "1 125 Hz, 2 250 Hz, 3 500 Hz, 4 1000 Hz"},
    {"button_respondtime", 0, 20, {}, "button response time"},
    {"sensor_flag", 0, 255, {}, "sensor option bits"},
    {"liftoff_height", 1, 2, {}, "1 for 1.0 mm, 2 for 2.0 mm"},
    {"scroll_flag", 0, 1, {}, "scroll direction"},
    {"e-sports_flag", 1, 2, {}, "e-sports mode: 2 on, 1 off"},
    {"leftbtn_lock", 0, 1, {}, "left-button lock: 1 on, 0 off"},
    {"dpi_flag", 1, 6, {}, "number of DPI stages the mouse reported"},
    {"dpi_index", 0, 5, {}, "current DPI stage, counted from 0"},
    {"dpi_count", 1, 6, {}, "number of DPI stages in use"},
    {"dpi_group0_value", kMinDpi, kMaxDpi, {}, "DPI of stage 1"},
    {"dpi_group1_value", kMinDpi, kMaxDpi, {}, "DPI of stage 2"},
    {"dpi_group2_value", kMinDpi, kMaxDpi, {}, "DPI of stage 3"},
    {"dpi_group3_value", kMinDpi, kMaxDpi, {}, "DPI of stage 4"},
    {"dpi_group4_value", kMinDpi, kMaxDpi, {}, "DPI of stage 5"},
    {"dpi_group5_value", kMinDpi, kMaxDpi, {}, "DPI of stage 6"},
    {"dpi_group0_rgb", 0, kMaxColour, {}, "colour of stage 1 (0xBBGGRR)"},
    {"dpi_group1_rgb", 0, kMaxColour, {}, "colour of stage 2 (0xBBGGRR)"},
    {"dpi_group2_rgb", 0, kMaxColour, {}, "colour of stage 3 (0xBBGGRR)"},
    {"dpi_group3_rgb", 0, kMaxColour, {}, "colour of stage 4 (0xBBGGRR)"},
    {"dpi_group4_rgb", 0, kMaxColour, {}, "colour of stage 5 (0xBBGGRR)"},
    {"dpi_group5_rgb", 0, kMaxColour, {}, "colour of stage 6 (0xBBGGRR)"},
}};

bool IsColour(std::string_view key) {
    return key.ends_with("_rgb");
}

}  // namespace

std::span<const ConfigKeyRule> ConfigKeyRule::All() {
    return kRules;
}

const ConfigKeyRule* ConfigKeyRule::Find(std::string_view key) {
    for (const ConfigKeyRule& rule : kRules) {
        if (rule.key == key) {
            return &rule;
        }
    }
    return nullptr;
}

std::optional<std::string> ConfigKeyRule::Normalise(std::string_view text) const {
    int base = 10;
    if (IsColour(key) && (text.starts_with("0x") || text.starts_with("0X"))) {
        text.remove_prefix(2);
        base = 16;
    }
    if (text.empty() || text.size() > 8) {
        return std::nullopt;
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    if (!only.empty() && std::find(only.begin(), only.end(), value) == only.end()) {
        return std::nullopt;
    }
    return std::to_string(value);
}

std::string ConfigKeyRule::Allowed() const {
    if (!only.empty()) {
        std::string text = "one of";
        for (size_t i = 0; i < only.size(); ++i) {
            text += (i ? ", " : " ") + std::to_string(only[i]);
        }
        return text;
    }
    std::string text = "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    if (IsColour(key)) {
        text += " (or 0x and up to six hexadecimal digits)";
    }
    return text;
}

}  // namespace cli

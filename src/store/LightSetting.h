#pragma once

#include <string>

namespace store {

// One row of t_light_data: the parameters of one light effect of one profile. The store reads
// and updates such rows but never inserts one.
struct LightSetting {
    int light_id = 0;     // row id
    int profile = 0;      // owning profile
    std::u16string name;  // effect name
    int mode = 0;         // light effect number
    int brightness = 0;
    int speed = 0;
    int direction = 0;
    int colorful = 0;
    int colorindex = 0;
    int color_value = 0;
    int config_func = 0;
    int reserved = 0;
    int status = 0;  // 1 for the profile's active mode

    bool operator==(const LightSetting&) const = default;
};

}  // namespace store

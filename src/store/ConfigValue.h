#pragma once

#include <string>

namespace store {

// One row of t_configdata: a named value of one profile, kept as text.
struct ConfigValue {
    int config_id = 0;     // row id
    int profile = 0;       // the owning profile's id
    std::string key;       // configuration key (ASCII, see ConfigDefaults.h)
    std::u16string value;  // the value as text; integers in decimal

    bool operator==(const ConfigValue&) const = default;
};

}  // namespace store

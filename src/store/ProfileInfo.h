#pragma once

#include <string>

namespace store {

// One row of t_profile_data. The id is also the mouse's onboard profile number counted from 1.
struct ProfileInfo {
    int profile = 0;      // id
    std::u16string name;  // stored name: a language text number in decimal ("800" ...)
    std::u16string app;   // stored empty
    int type = 0;         // stored 0
    int status = 0;       // 1 for the active profile, 0 otherwise

    bool operator==(const ProfileInfo&) const = default;
};

}  // namespace store

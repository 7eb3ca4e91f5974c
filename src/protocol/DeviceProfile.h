#pragma once

#include <cstdint>

namespace protocol {

// The mouse keeps five onboard profiles. The store and the window number them 1..5; the mouse
// numbers them from 0, so every command carries the profile number minus 1 as its index.
inline constexpr int kDeviceProfiles = 5;

// Whether `profile` names one of the mouse's profiles. The device jobs send nothing for any
// other number: the mouse would refuse the index, or worse, take it for another profile.
constexpr bool IsDeviceProfile(int profile) {
    return profile >= 1 && profile <= kDeviceProfiles;
}

// The index the mouse knows `profile` by (valid for IsDeviceProfile numbers).
constexpr uint8_t ProfileIndexOf(int profile) {
    return static_cast<uint8_t>(profile - 1);
}

}  // namespace protocol

#pragma once

#include <string>

namespace store {

// One row of t_macro_data. Macros belong to the whole database, not to a profile.
struct MacroInfo {
    int macro_id = 0;     // row id; the mouse numbers macros by their place in ListMacros
    std::u16string name;  // the macro's name
    int play_type = 0;    // 0 plays it play_times times; 1 and 2 are the other play modes
    int play_times = 0;   // repetitions for play_type 0
    int delay_type = 0;   // 0, 1 or 2; 2 uses delay_time
    int delay_time = 0;   // the fixed delay of delay choice 2

    bool operator==(const MacroInfo&) const = default;
};

}  // namespace store

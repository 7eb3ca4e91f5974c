#pragma once

#include <string>

namespace store {

// One row of t_key_macro_data: the function assigned to one mouse button of one profile.
// A button whose macro_value and macro_value2 are both 0 has no row and uses its default.
struct KeyMapping {
    int key_id = 0;              // row id
    int profile = 0;             // owning profile
    int fn_layer = 0;            // always 0 in this system
    int key_code = 0;            // the mouse button number, counted from 1
    int layout_value = 0;        // stored 0
    std::u16string layout_desc;  // stored empty
    int macro_type = 0;          // kind of function assigned to the button
    int macro_value = 0;         // first parameter (a key code, a macro id ...)
    int macro_value2 = 0;        // second parameter (a modifier mask ...)
    int macro_value3 = 0;        // third parameter
    std::u16string macro_desc;   // display text: a text number, a key text or a macro's name

    bool operator==(const KeyMapping&) const = default;
};

}  // namespace store

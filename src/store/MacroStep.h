#pragma once

#include <string>

namespace store {

// One row of t_macrorecord: one recorded event of a macro. Fields in memory order; the table's
// column order is record_id, macro_id, type, record_index, desc, value, delay_time.
struct MacroStep {
    int record_id = 0;     // row id
    int macro_id = 0;      // owning macro
    int type = 0;          // event kind
    int record_index = 0;  // position within the macro; steps read back ordered by it
    int value = 0;         // key or button code; for a delay step the delay in milliseconds
    int delay_time = 0;    // the step's row stamp, shared by rows created together
    std::u16string desc;   // display text of the event

    bool operator==(const MacroStep&) const = default;
};

}  // namespace store

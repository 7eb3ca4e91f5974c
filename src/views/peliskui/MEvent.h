#pragma once

namespace PeliskUI {

// Event codes a control reports to its window's OnMessage(id, event, param).
inline constexpr int kEventClick = 2;       // click, or a new selection; param: index or 0
inline constexpr int kEventRowMenu = 9;     // a list row asks for its menu; param: row
inline constexpr int kEventEditing = 26;    // the text or value is being changed
inline constexpr int kEventEditEnd = 29;    // in-place editing finished; param: row or 0
inline constexpr int kEventEditBegin = 30;  // in-place editing started

// Text alignment values, as the views pass them (the values of the Windows text flags).
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignCenter = 1;
inline constexpr int kAlignRight = 2;
inline constexpr int kAlignTop = 0;
inline constexpr int kAlignVCenter = 4;
inline constexpr int kAlignBottom = 8;

}  // namespace PeliskUI

#pragma once

#include <QColor>
#include <cstdint>

// The colours of the program's dark look. The skin images are drawn from the same values, and
// every control falls back to them when its skin image is missing, so a control without its
// image still fits the window.
namespace PeliskUI::Theme {

// ARGB values, as the views pass them to the controls.
inline constexpr uint32_t kText = 0xFFB8D3EF;          // default text
inline constexpr uint32_t kTextBright = 0xFFFFFFFF;    // button captions, selected items
inline constexpr uint32_t kTextDim = 0xFF6F869C;       // hints, inactive captions
inline constexpr uint32_t kTextDisabled = 0xFF4A5B6B;  // disabled captions
inline constexpr uint32_t kPanelOuter = 0xE60F161E;    // outer page panel
inline constexpr uint32_t kPanelInner = 0xE61F2C37;    // inner group panel
inline constexpr uint32_t kWindow = 0xFF0B1117;        // window ground
inline constexpr uint32_t kWindowHigh = 0xFF15212C;    // upper end of the window gradient
inline constexpr uint32_t kField = 0xFF16212B;         // edit and list fields
inline constexpr uint32_t kFieldHigh = 0xFF1C2A36;     // hovered field
inline constexpr uint32_t kBorder = 0xFF2C3E4F;        // field and button outlines
inline constexpr uint32_t kBorderHigh = 0xFF3F5870;    // hovered outlines
inline constexpr uint32_t kAccent = 0xFF27B5FF;        // selection, checked state, focus
inline constexpr uint32_t kAccentDeep = 0xFF1279C9;    // lower end of accent gradients
inline constexpr uint32_t kAccentGlow = 0x5527B5FF;    // halo around accented items
inline constexpr uint32_t kDanger = 0xFFE5484D;        // close button hover, low battery
inline constexpr uint32_t kGood = 0xFF3DD68C;          // connected state, charging

// The ARGB value as a QColor.
inline QColor Argb(uint32_t argb) {
    return QColor((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, (argb >> 24) & 0xFF);
}

// A Windows COLORREF (0x00BBGGRR), as the DPI stage colours and area colours are stored, as an
// opaque QColor.
inline QColor ColorRef(uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace PeliskUI::Theme

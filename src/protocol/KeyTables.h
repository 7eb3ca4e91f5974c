#pragma once

#include <string>

namespace protocol {

// Name of a keyboard usage ID (USB HID keyboard page) as the key page and the button reader
// show it; empty for codes without a name.
std::u16string KeyUsageName(int usage);

// Windows virtual-key code to keyboard usage ID, as recorded keys and captured keys are sent to
// the mouse; 0 for codes without a usage. Virtual keys 136 to 139 pass through unchanged.
int VirtualKeyToUsage(int virtualKey);

// The modifier usages 224..231 (left Ctrl, Shift, Alt, Win, right Ctrl, Shift, Alt, Win) as the
// modifier bits 0x01..0x80 of a keyboard button entry; every other value is returned unchanged.
int ModifierUsageToBits(int usage);

}  // namespace protocol

#pragma once

#include "views/peliskui/MWindow.h"

namespace PeliskUI {

// A dialog is a window with the same behaviour; kept as its own type because the program's
// windows (main window, message box, wait dialog...) derive from it.
class MDialog : public MWindow {};

}  // namespace PeliskUI

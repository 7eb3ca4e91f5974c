#pragma once

#include "device/DeviceManager.h"
#include "protocol/MacroImage.h"
#include "store/ProfileDatabase.h"

namespace protocol {

// The macro image of every macro in the store, in listing order (ascending id) with each
// macro's steps in record_index order; built with BuildMacroImage, so it keeps to the image's
// limits. The listing is read in one hold of the store's lock.
MacroImage MacroImageOf(store::ProfileDatabase& db);

// Sends MacroImageOf to the mouse: one CMD_MACRO_DATA per 56-byte chunk (the last one shorter),
// with the chunk's offset in the image, then CMD_MACRO_DONE. Results are not used. Worker
// thread.
void UploadMacros(device::DeviceManager& dm, store::ProfileDatabase& db);

}  // namespace protocol

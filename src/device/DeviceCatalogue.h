#pragma once

#include <string>
#include <string_view>

#include "device/CatalogueTarget.h"
#include "device/DeviceDescriptor.h"

namespace device {

// The device catalogue "config.xml" beside the executable: which mice the program supports
// (device type, profile database name, and per connection mode the USB identifiers and the
// pattern that recognises the HID interface), and the software information shown in the
// window. The main window owns one and loads it once while it initialises.
//
// Three ordered lists:
// - mice: one record per <mouse>, with name, device type and database name only;
// - modes: one record per <mode>, carrying the mode's own fields and those of its mouse;
// - selected modes: the modes of device type 101, rebuilt by every connection refresh;
//   loading only empties it.
class DeviceCatalogue {
  public:
    // Software information; only the version text is shown (the settings page's software
    // version label), the rest is kept for completeness.
    struct SoftwareInfo {
        std::u16string caption;
        std::u16string version;
        std::u16string website;
        std::u16string store;
        std::u16string upgrade;
        std::u16string copyright;
    };

    // ExeFolder() followed by "config.xml".
    static std::string DefaultPath();

    // Load of DefaultPath().
    bool Load(CatalogueTarget& target);

    // Reads the catalogue:
    // 1. empties the selected modes, mice and modes lists and the target's table of supported
    //    identifiers;
    // 2. loads the file; when it cannot be read, is malformed, has not exactly one top-level
    //    element or that element is not <config>, the lists stay empty;
    // 3. reads every <mouse> of <config>/<device> and every <mode> of each mouse, in file order;
    // 4. reads <software> if it follows <device> (else the software information keeps its
    //    previous values), and its <website>, <store>, <upgrade> and <copyright> in that order
    //    (a missing or out-of-order one keeps its previous value);
    // 5. whatever happened: stores the device type 101 in the settings (an existing settings
    //    file only), sets the target's device type filter to 101 and clears its cached active
    //    connection.
    // No message is shown for any problem. True when the catalogue was read (step 3 ran).
    bool Load(const std::string& path, CatalogueTarget& target);

    const DeviceDescriptorList& Mice() const { return m_mice; }
    const DeviceDescriptorList& Modes() const { return m_modes; }
    const DeviceDescriptorList& SelectedModes() const { return m_selectedModes; }
    // The connection refresh replaces the selected modes.
    void SetSelectedModes(DeviceDescriptorList modes) { m_selectedModes = std::move(modes); }
    const SoftwareInfo& Software() const { return m_software; }

    // Decimal attribute: optional sign, then digits; anything after them is ignored, no digits
    // give 0. Values beyond the int range stop at INT_MAX or INT_MIN.
    static int ParseDecimal(std::u16string_view text);
    // Hexadecimal attribute ("vid", "pid"): an optional "0x" or "0X", then hexadecimal digits
    // in either case up to the first other character; none give 0. Values beyond the int range
    // stop at INT_MAX.
    static int ParseHex(std::u16string_view text);

  private:
    DeviceDescriptorList m_mice;
    DeviceDescriptorList m_modes;
    DeviceDescriptorList m_selectedModes;
    SoftwareInfo m_software;
};

}  // namespace device

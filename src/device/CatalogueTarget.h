#pragma once

namespace device {

// What loading the catalogue hands to the device manager: the table of supported identifiers
// is emptied before loading, and afterwards the device type filter is set and the cached active
// connection forgotten. The device manager implements it; tests use a recorder.
class CatalogueTarget {
public:
    virtual ~CatalogueTarget() = default;
    // Empties the table of supported identifiers.
    virtual void ClearSupportedIds() = 0;
    // Sets the device type whose connections count.
    virtual void SetDeviceTypeFilter(int deviceType) = 0;
    // Forgets the cached active connection, so the next use chooses again.
    virtual void ClearActiveConnectionCache() = 0;
};

}  // namespace device

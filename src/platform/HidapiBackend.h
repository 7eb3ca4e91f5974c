#pragma once

#include "platform/HidBackend.h"

namespace platform {

// The computer's real HID interfaces, through hidapi on hidraw.
//
// hidapi reports one record per hidraw node (or per usage, depending on its version); this
// backend lists one record per top-level collection from the node's report descriptor (read
// through udev/sysfs), so a node whose vendor collection is not its first is still found by
// that collection. Every record carries the identity text of HidIdentity.h.
//
// hidapi is initialised by the constructor and finalised by the destructor; a program has one
// instance. Enumerate() and Open() may be called from any thread, one at a time.
class HidapiBackend final : public HidBackend {
  public:
    HidapiBackend();
    ~HidapiBackend() override;
    HidapiBackend(const HidapiBackend&) = delete;
    HidapiBackend& operator=(const HidapiBackend&) = delete;

    HidEnumeration Enumerate() override;
    HidOpenResult Open(const std::string& path) override;

  private:
    bool m_initialised = false;
    std::string m_initError;
};

}  // namespace platform

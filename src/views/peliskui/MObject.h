#pragma once

namespace PeliskUI {

// Root of every window and control of the layer.
class MObject {
  public:
    MObject() = default;
    virtual ~MObject() = default;
    MObject(const MObject&) = delete;
    MObject& operator=(const MObject&) = delete;
};

}  // namespace PeliskUI

#pragma once

#include <optional>
#include <string>

namespace platform {

// The desktop's own pointer settings that a profile or factory reset puts back to their
// defaults: pointer speed, pointer acceleration, wheel scroll lines and double-click time. A
// desktop may offer only some of them; a setting it does not offer reads as nothing and is left
// alone. Only the settings of the user running the program are ever read or written.
class PointerSettings {
public:
    virtual ~PointerSettings() = default;

    // Each reads the current value, or nothing when the desktop has no such setting.
    virtual std::optional<bool> IsSpeedDefault() = 0;
    virtual std::optional<bool> IsAccelerationOn() = 0;
    virtual std::optional<bool> IsWheelLinesDefault() = 0;
    virtual std::optional<bool> IsDoubleClickDefault() = 0;

    // Each puts one setting back to the desktop's default.
    virtual void RestoreSpeed() = 0;
    virtual void RestoreAcceleration() = 0;
    virtual void RestoreWheelLines() = 0;
    virtual void RestoreDoubleClick() = 0;
};

// Puts the four settings back to their defaults, each only when the desktop offers it and its
// current value differs. With no desktop settings at all, one log line says so.
void RestorePointerDefaults(PointerSettings& settings);

// The desktop's settings: GNOME's mouse settings through the gsettings tool (schema
// org.gnome.desktop.peripherals.mouse: speed 0, the default acceleration profile, the default
// double-click time; GNOME has no wheel-lines setting). Where gsettings or the schema is
// missing, every setting reads as not offered.
PointerSettings& DesktopPointerSettings();

// The GNOME implementation on a given gsettings program (tests run a stand-in).
class GnomePointerSettings : public PointerSettings {
public:
    explicit GnomePointerSettings(std::string gsettingsProgram = "gsettings");

    std::optional<bool> IsSpeedDefault() override;
    std::optional<bool> IsAccelerationOn() override;
    std::optional<bool> IsWheelLinesDefault() override { return std::nullopt; }
    std::optional<bool> IsDoubleClickDefault() override;
    void RestoreSpeed() override;
    void RestoreAcceleration() override;
    void RestoreWheelLines() override {}
    void RestoreDoubleClick() override;

private:
    // Output of `gsettings get <schema> <key>` without the line end; nothing on failure.
    std::optional<std::string> Get(const char* key);
    void Reset(const char* key);

    std::string m_program;
};

}  // namespace platform

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "platform/PointerSettings.h"
#include "support/TempHome.h"

namespace {

using testing_support::MakeTempFolder;
using testing_support::ReadFile;
using testing_support::WriteFile;

// A recording desktop whose settings start at the given values.
class FakeSettings : public platform::PointerSettings {
public:
    std::optional<bool> speed, acceleration, wheel, doubleClick;
    std::vector<std::string> restored;

    std::optional<bool> IsSpeedDefault() override { return speed; }
    std::optional<bool> IsAccelerationOn() override { return acceleration; }
    std::optional<bool> IsWheelLinesDefault() override { return wheel; }
    std::optional<bool> IsDoubleClickDefault() override { return doubleClick; }
    void RestoreSpeed() override { restored.push_back("speed"); }
    void RestoreAcceleration() override { restored.push_back("acceleration"); }
    void RestoreWheelLines() override { restored.push_back("wheel"); }
    void RestoreDoubleClick() override { restored.push_back("double-click"); }
};

TEST(PointerDefaults, OnlySettingsThatDifferAreRestored) {
    FakeSettings atDefaults;
    atDefaults.speed = atDefaults.acceleration = atDefaults.wheel = atDefaults.doubleClick = true;
    platform::RestorePointerDefaults(atDefaults);
    EXPECT_TRUE(atDefaults.restored.empty());

    FakeSettings changed;
    changed.speed = false;
    changed.acceleration = true;
    changed.wheel = false;
    changed.doubleClick = false;
    platform::RestorePointerDefaults(changed);
    EXPECT_EQ(changed.restored, (std::vector<std::string>{"speed", "wheel", "double-click"}));

    FakeSettings missing;  // a desktop without these settings: nothing happens
    missing.acceleration = false;
    platform::RestorePointerDefaults(missing);
    EXPECT_EQ(missing.restored, std::vector<std::string>{"acceleration"});
}

// A stand-in gsettings that answers from files and logs every call.
class GnomeSettingsTest : public testing::Test {
protected:
    void SetUp() override {
        m_folder = MakeTempFolder("gsettings");
        m_program = m_folder + "/gsettings";
        ASSERT_TRUE(WriteFile(m_program,
                              "#!/bin/sh\n"
                              "echo \"$*\" >> '" + m_folder + "/calls'\n"
                              "if [ \"$1\" = get ]; then\n"
                              "  [ -f '" + m_folder + "/'\"$3\" ] || exit 1\n"
                              "  cat '" + m_folder + "/'\"$3\"\n"
                              "fi\n"));
        chmod(m_program.c_str(), 0755);
    }
    void Value(const std::string& key, const std::string& value) {
        ASSERT_TRUE(WriteFile(m_folder + "/" + key, value + "\n"));
    }
    std::string Calls() { return ReadFile(m_folder + "/calls"); }

    std::string m_folder;
    std::string m_program;
};

TEST_F(GnomeSettingsTest, ResetsOnlyTheKeysAwayFromTheirDefaults) {
    Value("speed", "0.5");
    Value("accel-profile", "'flat'");
    Value("double-click", "400");
    platform::GnomePointerSettings settings(m_program);
    platform::RestorePointerDefaults(settings);
    const std::string calls = Calls();
    EXPECT_NE(calls.find("reset org.gnome.desktop.peripherals.mouse speed"), std::string::npos);
    EXPECT_NE(calls.find("reset org.gnome.desktop.peripherals.mouse accel-profile"), std::string::npos);
    EXPECT_EQ(calls.find("reset org.gnome.desktop.peripherals.mouse double-click"), std::string::npos);
}

TEST_F(GnomeSettingsTest, WithoutTheSchemaNothingIsWritten) {
    platform::GnomePointerSettings settings(m_program);
    platform::RestorePointerDefaults(settings);
    EXPECT_EQ(Calls().find("reset"), std::string::npos);
    platform::GnomePointerSettings absent(m_folder + "/no-such-program");
    platform::RestorePointerDefaults(absent);  // no crash, no call
}

}  // namespace

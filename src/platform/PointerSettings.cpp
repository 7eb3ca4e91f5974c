#include "platform/PointerSettings.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <vector>

#include "base/Log.h"

extern char** environ;

namespace platform {

namespace {

constexpr char kMouseSchema[] = "org.gnome.desktop.peripherals.mouse";

// Runs a program with arguments (no shell) and returns its standard output when it exits 0.
std::optional<std::string> Run(const std::vector<std::string>& arguments) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }
    std::string output;
    std::array<char, 256> chunk;
    for (;;) {
        const ssize_t n = read(out[0], chunk.data(), chunk.size());
        if (n <= 0 || output.size() > 4096) {
            break;
        }
        output.append(chunk.data(), static_cast<size_t>(n));
    }
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) {
        output.pop_back();
    }
    return output;
}

}  // namespace

void RestorePointerDefaults(PointerSettings& settings) {
    bool offered = false;
    if (const auto value = settings.IsSpeedDefault()) {
        offered = true;
        if (!*value) {
            settings.RestoreSpeed();
        }
    }
    if (const auto value = settings.IsAccelerationOn()) {
        offered = true;
        if (!*value) {
            settings.RestoreAcceleration();
        }
    }
    if (const auto value = settings.IsWheelLinesDefault()) {
        offered = true;
        if (!*value) {
            settings.RestoreWheelLines();
        }
    }
    if (const auto value = settings.IsDoubleClickDefault()) {
        offered = true;
        if (!*value) {
            settings.RestoreDoubleClick();
        }
    }
    if (!offered) {
        base::LogLine("pointer settings: this desktop offers none to restore; left as they are");
    }
}

GnomePointerSettings::GnomePointerSettings(std::string gsettingsProgram)
    : m_program(std::move(gsettingsProgram)) {}

std::optional<std::string> GnomePointerSettings::Get(const char* key) {
    return Run({m_program, "get", kMouseSchema, key});
}

void GnomePointerSettings::Reset(const char* key) { Run({m_program, "reset", kMouseSchema, key}); }

std::optional<bool> GnomePointerSettings::IsSpeedDefault() {
    const auto value = Get("speed");
    if (!value) {
        return std::nullopt;
    }
    return *value == "0.0" || *value == "0";
}

std::optional<bool> GnomePointerSettings::IsAccelerationOn() {
    const auto value = Get("accel-profile");
    if (!value) {
        return std::nullopt;
    }
    return *value != "'flat'";
}

std::optional<bool> GnomePointerSettings::IsDoubleClickDefault() {
    const auto value = Get("double-click");
    if (!value) {
        return std::nullopt;
    }
    return *value == "400" || *value == "int32 400";
}

void GnomePointerSettings::RestoreSpeed() { Reset("speed"); }
void GnomePointerSettings::RestoreAcceleration() { Reset("accel-profile"); }
void GnomePointerSettings::RestoreDoubleClick() { Reset("double-click"); }

PointerSettings& DesktopPointerSettings() {
    static GnomePointerSettings settings;
    return settings;
}

}  // namespace platform

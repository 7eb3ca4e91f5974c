// The GUI program: one instance per user, the language chosen, the data folder prepared, and the
// main window run modally until it ends. With --screenshot DIR it instead renders the main
// window once per tab into DIR, without a display, and exits.
#include <QApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Startup.h"
#include "platform/Folders.h"
#include "platform/SingleInstance.h"
#include "views/DeviceMainDlg.h"
#include "views/TabScreenshots.h"
#include "views/peliskui/Manager.h"

namespace {

// True when Qt can open a window here: a platform was chosen explicitly, or an X11 or Wayland
// display is reachable.
bool HasDisplay() {
    for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            return true;
        }
    }
    return false;
}

constexpr uint32_t kMainWindowStyle = PeliskUI::kStylePopup | PeliskUI::kStyleVisible |
                                      PeliskUI::kStyleClipSiblings | PeliskUI::kStyleClipChildren;

// The folder after "--screenshot", or null when the switch is absent. `missing` is set when
// the switch has no folder.
const char* ScreenshotFolder(int argc, char** argv, bool& missing) {
    missing = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--screenshot") == 0) {
            if (i + 1 < argc && argv[i + 1][0] != '\0') {
                return argv[i + 1];
            }
            missing = true;
            return nullptr;
        }
    }
    return nullptr;
}

// Renders the main window once per tab on Qt's offscreen platform. No single-instance lock is
// taken, so it works beside a running program.
int RenderScreenshots(int argc, char** argv, const char* folder) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app::ChooseLanguage();
    PeliskUI::Manager::SetFontName(QStringLiteral("Open Sans Semibold"));
    QApplication application(argc, argv);
    PeliskUI::Manager::SetInstance(&application);

    DeviceMainDlg window(nullptr);
    window.Create(nullptr, QString::fromUtf8(platform::kProductName), kMainWindowStyle, 0,
                  PeliskUI::MRect{0, 0, 1121, 780});
    window.CenterWindow(nullptr);
    const QStringList files = views::RenderTabScreenshots(window, QString::fromLocal8Bit(folder));
    if (files.isEmpty()) {
        std::fprintf(stderr, "varneth: could not write the screenshots to %s\n", folder);
        return 1;
    }
    for (const QString& file : files) {
        std::printf("%s\n", file.toLocal8Bit().constData());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool folderMissing = false;
    if (const char* folder = ScreenshotFolder(argc, argv, folderMissing)) {
        return RenderScreenshots(argc, argv, folder);
    }
    if (folderMissing) {
        std::fprintf(stderr, "varneth: --screenshot needs a folder: varneth --screenshot DIR\n");
        return 2;
    }

    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        commandLine += (i > 1 ? " " : "");
        commandLine += argv[i];
    }

    platform::SingleInstance instance;
    if (!instance.Acquire()) {
        platform::SingleInstance::ActivateRunning();
        return 0;
    }

    app::ChooseLanguage();
    PeliskUI::Manager::SetFontName(QStringLiteral("Open Sans Semibold"));

    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "varneth: no display to open the window on (neither DISPLAY nor "
                     "WAYLAND_DISPLAY is set).\n"
                     "  Run it inside a desktop session, or on a virtual display:\n"
                     "    xvfb-run -a %s\n"
                     "  To render the window into pictures instead: %s --screenshot DIR\n",
                     argv[0], argv[0]);
        return 1;
    }

    QApplication application(argc, argv);
    PeliskUI::Manager::SetInstance(&application);
    app::PrepareDataFolder();
    const bool hide = app::HasHideSwitch(commandLine);

    DeviceMainDlg window(&instance);
    window.Create(nullptr, QString::fromUtf8(platform::kProductName), kMainWindowStyle, 0,
                  PeliskUI::MRect{0, 0, 1121, 780});
    window.CenterWindow(nullptr);
    window.ShowModal(hide ? 0 : 1);
    return 0;
}

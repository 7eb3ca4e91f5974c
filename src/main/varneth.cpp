// The GUI program: one instance per user, the language chosen, the data folder prepared, and the
// main window run modally until it ends.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/Startup.h"
#include "platform/Folders.h"
#include "platform/SingleInstance.h"
#include "views/DeviceMainDlg.h"
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

}  // namespace

int main(int argc, char** argv) {
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
                     "    xvfb-run -a %s\n",
                     argv[0]);
        return 1;
    }

    QApplication application(argc, argv);
    PeliskUI::Manager::SetInstance(&application);
    app::PrepareDataFolder();
    const bool hide = app::HasHideSwitch(commandLine);

    DeviceMainDlg window(&instance);
    window.Create(nullptr, QString::fromUtf8(platform::kProductName),
                  PeliskUI::kStylePopup | PeliskUI::kStyleVisible | PeliskUI::kStyleClipSiblings |
                      PeliskUI::kStyleClipChildren,
                  0, PeliskUI::MRect{0, 0, 1121, 780});
    window.CenterWindow(nullptr);
    window.ShowModal(hide ? 0 : 1);
    return 0;
}

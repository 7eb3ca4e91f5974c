// The GUI program: one instance per user, the language chosen, the data folder prepared, and the
// main window run modally until it ends, with its device side (catalogue, database, worker,
// hot-plug notices) on the HID devices or, with --simulate, on the virtual mouse. With
// --screenshot DIR it instead renders the main window once per tab into DIR, without a
// display, and exits.
#include <unistd.h>
#include <CLI/CLI.hpp>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/Startup.h"
#include "device/DeviceManager.h"
#include "platform/Folders.h"
#include "platform/SingleInstance.h"
#include "sim/SimMode.h"
#include "sim/VirtualHidBackend.h"
#include "views/DeviceMainDlg.h"
#include "views/MainWindowDevice.h"
#include "views/TabScreenshots.h"
#include "views/peliskui/Manager.h"

namespace {

constexpr int kExitUsage = 2;

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

// What the command line asks for. Anything it does not know ("-hide", Qt's own switches) is
// left for the program's own checks and for Qt.
struct ProgramOptions {
    std::optional<sim::SimMode> simulate;  // the virtual mouse and how it is attached
    std::string simStateFile;              // keeps the virtual mouse between runs
    std::string traceFile;                 // every report exchanged, appended here
    std::string screenshotFolder;          // render the tabs into this folder and exit
};

// Reads the command line into `options`. Returns the exit status when the program must end now
// (help shown, or a wrong command line explained on standard error), otherwise nothing.
std::optional<int> ParseOptions(int argc, char** argv, ProgramOptions& options) {
    CLI::App parser("The settings window of the mouse.", "varneth");
    parser.allow_extras();
    // "-hide" must reach the program's own check, so only the long form asks for help.
    parser.set_help_flag("--help", "Show these options and exit");
    std::string simulateMode;
    CLI::Option* simulate =
        parser
            .add_flag("--simulate", simulateMode,
                      "Use the virtual mouse instead of the HID devices, attached as MODE: wired "
                      "(the default), receiver, receiver-offline or bluetooth")
            ->option_text("[=MODE]");
    parser
        .add_option("--sim-state", options.simStateFile,
                    "Keep the virtual mouse in this file, so separate runs see one mouse")
        ->type_name("FILE")
        ->needs(simulate);
    parser
        .add_option("--trace", options.traceFile,
                    "Append every report exchanged with the mouse to this file")
        ->type_name("FILE");
    parser
        .add_option("--screenshot", options.screenshotFolder,
                    "Render the window once per tab into this folder as PNG files, without a "
                    "display, and exit")
        ->type_name("DIR");
    parser.footer("Start with -hide to keep the window hidden until it is activated.");
    // "--simulate receiver" reads as "--simulate=receiver": the flag's value is optional, so a
    // kind written after a blank would otherwise be left over and the cable used silently.
    std::vector<std::string> words(argv, argv + argc);
    for (size_t i = 1; i + 1 < words.size(); ++i) {
        if (words[i] == "--simulate" && sim::ParseSimMode(words[i + 1])) {
            words[i] += "=" + words[i + 1];
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        }
    }
    std::vector<const char*> wordPointers;
    for (const std::string& word : words) {
        wordPointers.push_back(word.c_str());
    }
    try {
        parser.parse(static_cast<int>(wordPointers.size()), wordPointers.data());
    } catch (const CLI::ParseError& error) {
        const int status = parser.exit(error);
        return status == 0 ? 0 : kExitUsage;
    }
    if (simulate->count() > 0) {
        // A bare --simulate gives "true", which stands for the cable.
        options.simulate =
            sim::ParseSimMode(simulateMode == "true" ? std::string_view("wired") : simulateMode);
        if (!options.simulate) {
            std::fprintf(stderr,
                         "varneth: %s is not a kind of virtual mouse: wired, receiver, "
                         "receiver-offline or bluetooth\n",
                         simulateMode.c_str());
            return kExitUsage;
        }
    }
    if (parser.count("--screenshot") > 0 && options.screenshotFolder.empty()) {
        std::fprintf(stderr, "varneth: --screenshot needs a folder: varneth --screenshot DIR\n");
        return kExitUsage;
    }
    return std::nullopt;
}

// The device manager's backend for this run: the virtual mouse when asked for, with its state
// file, and the protocol trace. The process-wide manager outlives this object, so it is given
// back its own backend before the virtual one goes.
class DeviceBackendSetup {
  public:
    DeviceBackendSetup() = default;
    DeviceBackendSetup(const DeviceBackendSetup&) = delete;
    DeviceBackendSetup& operator=(const DeviceBackendSetup&) = delete;
    ~DeviceBackendSetup() {
        if (m_virtualMouse) {
            device::DeviceManager::Instance().SetBackend(nullptr);
        }
    }

    // False with the reason in plain words when the run cannot go on.
    bool Install(const ProgramOptions& options, std::string& error) {
        if (options.simulate) {
            m_virtualMouse = std::make_unique<sim::VirtualHidBackend>(*options.simulate);
            if (!options.simStateFile.empty()) {
                std::string why;
                if (!m_virtualMouse->Bus().SetStateFile(options.simStateFile, why)) {
                    error = "cannot use " + options.simStateFile +
                            " as the virtual mouse's state file: " + why;
                    return false;
                }
            }
            device::DeviceManager::Instance().SetBackend(m_virtualMouse.get());
        }
        if (!options.traceFile.empty() &&
            !device::DeviceManager::Instance().Trace().Open(options.traceFile)) {
            error = "cannot write the protocol trace to " + options.traceFile;
            return false;
        }
        return true;
    }

    sim::VirtualHidBackend* VirtualMouse() const { return m_virtualMouse.get(); }

  private:
    std::unique_ptr<sim::VirtualHidBackend> m_virtualMouse;
};

// Ends a run whose worker did not stop within its second: the process ends at once, after
// flushing what was written, without returning from main. Returning would destroy the window's
// device side, the device manager and the store while the worker still uses them.
[[noreturn]] void EndWithWorkerRunning() {
    std::fflush(nullptr);
    _exit(0);
}

// Lets the window thread run until the first read of the mouse is done and shown: the worker
// has run JOB_SYNC_ONCE (or dropped it, with no mouse), and every view update it handed over
// has been applied. False when that took more than `limitMs`.
bool WaitForFirstSync(views::MainWindowDevice& device, int limitMs) {
    app::DeviceController& controller = device.Controller();
    QElapsedTimer timer;
    timer.start();
    while (!(controller.Queue().Empty() && (controller.ReadDone() || !controller.IsConnected()))) {
        if (timer.elapsed() > limitMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    return true;
}

// Renders the main window once per tab on Qt's offscreen platform. No single-instance lock is
// taken, so it works beside a running program. With --simulate the window first connects to
// the virtual mouse and reads it, so the pictures show the connected state.
int RenderScreenshots(int argc, char** argv, const ProgramOptions& options) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app::ChooseLanguage();
    PeliskUI::Manager::SetFontName(QStringLiteral("Open Sans Semibold"));
    QApplication application(argc, argv);
    PeliskUI::Manager::SetInstance(&application);

    DeviceBackendSetup backend;
    std::string error;
    if (!backend.Install(options, error)) {
        std::fprintf(stderr, "varneth: %s\n", error.c_str());
        return 1;
    }
    std::unique_ptr<views::MainWindowDevice> device;
    if (backend.VirtualMouse()) {
        app::PrepareDataFolder();
        device = std::make_unique<views::MainWindowDevice>(
            views::MainWindowDevice::Options{backend.VirtualMouse(), nullptr});
    }

    DeviceMainDlg window(nullptr);
    window.SetDeviceSide(device.get());
    window.Create(nullptr, QString::fromUtf8(platform::kProductName), kMainWindowStyle, 0,
                  PeliskUI::MRect{0, 0, 1121, 780});
    window.CenterWindow(nullptr);
    if (device && !WaitForFirstSync(*device, 10000)) {
        std::fprintf(stderr, "varneth: the virtual mouse was not read within ten seconds\n");
    }
    const QStringList files =
        views::RenderTabScreenshots(window, QString::fromLocal8Bit(options.screenshotFolder));
    if (device && !device->Stop()) {
        EndWithWorkerRunning();
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "varneth: could not write the screenshots to %s\n",
                     options.screenshotFolder.c_str());
        return 1;
    }
    for (const QString& file : files) {
        std::printf("%s\n", file.toLocal8Bit().constData());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    ProgramOptions options;
    if (const std::optional<int> status = ParseOptions(argc, argv, options)) {
        return *status;
    }
    if (!options.screenshotFolder.empty()) {
        return RenderScreenshots(argc, argv, options);
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

    DeviceBackendSetup backend;
    std::string error;
    if (!backend.Install(options, error)) {
        std::fprintf(stderr, "varneth: %s\n", error.c_str());
        return 1;
    }
    views::MainWindowDevice device(
        views::MainWindowDevice::Options{backend.VirtualMouse(), nullptr});
    DeviceMainDlg window(&instance);
    window.SetDeviceSide(&device);
    window.Create(nullptr, QString::fromUtf8(platform::kProductName), kMainWindowStyle, 0,
                  PeliskUI::MRect{0, 0, 1121, 780});
    window.CenterWindow(nullptr);
    window.ShowModal(hide ? 0 : 1);  // the worker is stopped when the run ends
    if (!device.StoppedInTime()) {
        EndWithWorkerRunning();
    }
    return 0;
}

#include "cli/CliSession.h"

#include "app/DeviceStartup.h"
#include "app/Startup.h"
#include "platform/PointerSettings.h"
#include "sim/SimMode.h"

namespace cli {

CliSession::CliSession(GlobalOptions options) : m_options(std::move(options)) {
    m_controller = std::make_unique<app::DeviceController>(app::DeviceController::Services{
        Manager(), Database(), m_view, nullptr, [this] { RestorePointerDefaults(); }});
}

CliSession::~CliSession() {
    m_controller.reset();
    if (m_backend) {
        // The process-wide manager outlives this session: give it back its own backend first.
        Manager().SetBackend(nullptr);
    }
    Database().Close();
}

bool CliSession::Start(std::string& error) {
    if (m_options.simulate) {
        const std::optional<sim::SimMode> mode = sim::ParseSimMode(m_options.simulateMode);
        if (!mode) {
            error = "unknown kind of virtual mouse " + m_options.simulateMode;
            return false;
        }
        m_backend = std::make_unique<sim::VirtualHidBackend>(*mode);
        if (!m_options.simStateFile.empty()) {
            std::string why;
            if (!m_backend->Bus().SetStateFile(m_options.simStateFile, why)) {
                error = "cannot use " + m_options.simStateFile +
                        " as the virtual mouse's state file: " + why;
                return false;
            }
        }
        Manager().SetBackend(m_backend.get());
    }
    if (!m_options.traceFile.empty() && !Manager().Trace().Open(m_options.traceFile)) {
        error = "cannot write the protocol trace to " + m_options.traceFile;
        return false;
    }

    app::ChooseLanguage();
    app::PrepareDataFolder();
    app::StartDeviceSide(*m_controller, m_catalogue, Manager(), Database());
    if (!Database().IsOpen()) {
        error = "cannot open the settings database " + Database().DatabasePath();
        return false;
    }
    m_controller->RefreshProfileList();
    return true;
}

void CliSession::RunJob(int code) {
    m_controller->QueueCommand(code);
    RunQueuedJobs();
}

void CliSession::RunQueuedJobs() {
    while (!m_controller->Queue().Empty()) {
        m_controller->WorkerStep();
    }
}

std::string CliSession::DeviceRefusal() const {
    if (!m_controller->IsConnected()) {
        return "no mouse is connected";
    }
    if (!m_controller->IsOnline()) {
        return "the mouse is not reachable: its receiver is connected, but the mouse is off or "
               "asleep";
    }
    if (m_controller->ConnectionKind() == 2) {
        return "the mouse is connected over Bluetooth, where its settings cannot be changed; "
               "connect it by cable or with its receiver";
    }
    return {};
}

void CliSession::RestorePointerDefaults() {
    // The virtual mouse is not the desktop's pointer: its resets leave the desktop alone.
    if (!m_options.simulate) {
        platform::RestorePointerDefaults(platform::DesktopPointerSettings());
    }
}

}  // namespace cli

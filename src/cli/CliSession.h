#pragma once

#include <memory>
#include <string>

#include "app/DeviceController.h"
#include "cli/CliView.h"
#include "cli/GlobalOptions.h"
#include "device/DeviceCatalogue.h"
#include "device/DeviceManager.h"
#include "sim/VirtualHidBackend.h"
#include "store/ProfileDatabase.h"

namespace cli {

// One run of the program: the same start-up and device side as the window (language, data
// folder, catalogue, the model's database, the first connection refresh, the profile list), on
// the HID devices or on the virtual mouse. Device jobs are queued like the window queues them
// and the worker is driven on this thread until its queue is empty, so each command waits for
// its job instead of showing a wait dialog.
class CliSession {
  public:
    explicit CliSession(GlobalOptions options);
    ~CliSession();
    CliSession(const CliSession&) = delete;
    CliSession& operator=(const CliSession&) = delete;

    // Runs the start-up. False with the reason in plain words when the program cannot go on
    // (the virtual mouse's state file, the trace file or the settings database is unusable).
    bool Start(std::string& error);

    const GlobalOptions& Options() const { return m_options; }
    device::DeviceManager& Manager() { return device::DeviceManager::Instance(); }
    store::ProfileDatabase& Database() { return store::ProfileDatabase::Instance(); }
    app::DeviceController& Controller() { return *m_controller; }
    device::DeviceCatalogue& Catalogue() { return m_catalogue; }
    CliView& View() { return m_view; }
    int CurrentProfile() const { return m_controller->CurrentProfile(); }

    // Queues a device job and runs the worker until the queue is empty.
    void RunJob(int code);
    // Runs the worker until its queue is empty.
    void RunQueuedJobs();
    // Why the mouse cannot be configured now, in plain words; empty when it can (connected by
    // cable or through an awake receiver), as the window shows its profile bar only then.
    std::string DeviceRefusal() const;

  private:
    void RestorePointerDefaults();

    GlobalOptions m_options;
    std::unique_ptr<sim::VirtualHidBackend> m_backend;  // with --simulate
    CliView m_view;
    device::DeviceCatalogue m_catalogue;
    std::unique_ptr<app::DeviceController> m_controller;
};

}  // namespace cli

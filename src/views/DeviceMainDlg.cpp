#include "views/DeviceMainDlg.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>

#include "app/DeviceCommand.h"
#include "i18n/LanguageFile.h"
#include "platform/SingleInstance.h"
#include "views/CUIMessageBox.h"
#include "views/MainWindowDevice.h"
#include "views/MainWindowPage.h"
#include "views/WaitDlg.h"
#include "views/peliskui/BatteryCtrl.h"
#include "views/peliskui/CDeviceState.h"
#include "views/peliskui/CImageButton.h"
#include "views/peliskui/MButton.h"
#include "views/peliskui/MEvent.h"
#include "views/peliskui/MPicture.h"
#include "views/peliskui/MTabCtrl.h"
#include "views/peliskui/MTabLayout.h"
#include "views/peliskui/MText.h"
#include "views/peliskui/Theme.h"

using namespace PeliskUI;

namespace {

QString Text(int key) {
    return QString::fromStdU16String(i18n::LoadText(key));
}

const QString kDefaultFace = QStringLiteral("Open Sans Semibold");

// wParam of UM_PROFILE_MENU.
constexpr uint64_t kProfileMenuImport = 1;
constexpr uint64_t kProfileMenuExport = 2;
constexpr uint32_t kBatteryTextColor = 0xFF3E556D;

// The tab strip, in strip order: item identifier, caption text, icon, page container.
struct TabEntry {
    int item;
    int textKey;
    const char* icon;
    int page;
};
constexpr TabEntry kTabs[] = {
    {DeviceMainDlg::kTabHome, 71, "icon\\tab_home.png", DeviceMainDlg::kHomePage},
    {DeviceMainDlg::kTabKeys, 72, "icon\\tab_key.png", DeviceMainDlg::kKeyPage},
    {DeviceMainDlg::kTabPerformance, 73, "icon\\tab_dpi.png", DeviceMainDlg::kPerformancePage},
    {DeviceMainDlg::kTabMacros, 74, "icon\\tab_macro.png", DeviceMainDlg::kMacroPage},
    {DeviceMainDlg::kTabSettings, 76, "icon\\tab_set.png", DeviceMainDlg::kSettingsPage},
};

// The page containers in creation order, and which start visible.
struct PageEntry {
    int id;
    bool visible;
};
constexpr PageEntry kPageContainers[] = {
    {DeviceMainDlg::kKeyPage, true},    {DeviceMainDlg::kPerformancePage, false},
    {DeviceMainDlg::kMacroPage, false}, {DeviceMainDlg::kSettingsPage, false},
    {DeviceMainDlg::kHomePage, true},
};

// The profile bar: button, caption text, left edge and right edge as distances from the
// client's right edge.
struct ProfileBarEntry {
    int id;
    int textKey;
    int fromRightLeft;
    int fromRightRight;
};
constexpr ProfileBarEntry kProfileBar[] = {
    {DeviceMainDlg::kApplyProfile, 22, 640, 540},
    {DeviceMainDlg::kReadDevice, 21, 520, 420},
    {DeviceMainDlg::kRestoreDefaults, 112, 400, 300},
    {DeviceMainDlg::kImportProfile, 113, 280, 180},
    {DeviceMainDlg::kExportProfile, 114, 160, 60},
};

// Pages whose own controls the window builds from plugged-in pages, in building order.
constexpr int kPageBuildOrder[] = {DeviceMainDlg::kTabKeys, DeviceMainDlg::kTabPerformance,
                                   DeviceMainDlg::kTabMacros, DeviceMainDlg::kTabSettings};

// The connection indicator's mark for each state text.
struct StatusEntry {
    int textKey;
    int frame;
};
constexpr StatusEntry kStatusMarks[] = {
    {50, DeviceMainDlg::kStateNone},      {51, DeviceMainDlg::kStateWired},
    {52, DeviceMainDlg::kStateReceiver},  {53, DeviceMainDlg::kStateNone},
    {54, DeviceMainDlg::kStateBluetooth},
};

int PageContainerOf(int tabItem) {
    for (const TabEntry& tab : kTabs) {
        if (tab.item == tabItem) {
            return tab.page;
        }
    }
    return 0;
}

}  // namespace

DeviceMainDlg::DeviceMainDlg(platform::SingleInstance* instance)
    : m_instance(instance), m_titleFontName(kDefaultFace), m_textFontName(kDefaultFace) {}

DeviceMainDlg::~DeviceMainDlg() {
    if (m_instance) {
        m_instance->StopListening();
    }
}

void DeviceMainDlg::SetPage(int tabItem, MainWindowPage* page) {
    m_pages[tabItem] = page;
}

void DeviceMainDlg::ForEachPage(const std::function<void(MainWindowPage&)>& visit) const {
    for (int item : kPageBuildOrder) {
        if (MainWindowPage* page = PageOf(item)) {
            visit(*page);
        }
    }
}

MainWindowPage* DeviceMainDlg::PageOf(int tabItem) const {
    const auto found = m_pages.find(tabItem);
    return found == m_pages.end() ? nullptr : found->second;
}

void DeviceMainDlg::SetFontNames(const QString& title, const QString& text) {
    m_titleFontName = title;
    m_textFontName = text;
}

void DeviceMainDlg::OnInitDialog() {
    EnableWndDrag(true);
    MDialog::OnInitDialog();
    SetIcon(QStringLiteral("icon\\app_icon.png"));

    // From now on a second start finds this window.
    if (m_instance) {
        QPointer<QWidget> target = GetSafeHwnd();
        m_instance->Listen([this, target](const platform::InstanceRequest& request) {
            if (!target) {
                return;
            }
            if (request.kind == platform::InstanceRequest::Kind::Activate) {
                QMetaObject::invokeMethod(
                    target.data(), [this] { Activate(); }, Qt::QueuedConnection);
            } else {
                PostWindowMessage(request.message, request.wparam, request.lparam);
            }
        });
    }
    // Catalogue, database, hot-plug notices, first refresh, first job, worker.
    if (m_device) {
        m_device->Start(*this);
    }
    SetMTimer(10);
}

void DeviceMainDlg::InitUI() {
    m_titleFontName = kDefaultFace;
    m_textFontName = kDefaultFace;
    CreateFrame();

    auto* strip =
        static_cast<MTabCtrl*>(CreateControl(QStringLiteral("MTabCtrl"), kTabStrip, {}, QString()));
    strip->SetItemSize(60, 60);
    strip->SetPadding(0, 60, 0, 360);
    for (const PageEntry& entry : kPageContainers) {
        CreateControl(QStringLiteral("MTabLayout"), entry.id, {}, QString(), entry.visible);
    }
    for (const TabEntry& tab : kTabs) {
        strip->InsertItem(tab.item, Text(tab.textKey), QString::fromLatin1(tab.icon),
                          GetControlAs<MTabLayout>(tab.page));
    }
    CreateHome();
    for (int item : kPageBuildOrder) {
        if (MainWindowPage* page = PageOf(item)) {
            page->InitUI(*this, *GetControlAs<MTabLayout>(PageContainerOf(item)));
        }
    }
    SelectTab(0);

    // Until the device side reports a mouse, the window shows the no-device state.
    ShowDeviceStatus(50);
    SetTabsEnabled(false, 0);
    ShowNoDeviceBanner(true);
    ShowProfileBar(false);
    SetBatteryInfo(-1, false);

    UISize(GetClientRect());
}

void DeviceMainDlg::CreateFrame() {
    auto* background =
        static_cast<MPicture*>(CreateArea(QStringLiteral("MPicture"), kBackground, {}, QString()));
    background->SetImage(QStringLiteral("background.png"));
    background->SetShowMode(2, 4);

    auto* title = static_cast<MText*>(
        CreateArea(QStringLiteral("MText"), kTitle, {}, QStringLiteral("Varneth")));
    title->SetAlignment(kAlignCenter);
    title->SetVAlignment(kAlignVCenter);
    title->SetFont(18);
    title->SetFontName(m_titleFontName);

    auto* close = CreateControl(QStringLiteral("CImageButton"), kClose, {}, QString());
    close->SetImage(QStringLiteral("sysbtn_close.png"), 4);
    close->SetTooltip(Text(5));
    auto* minimise = CreateControl(QStringLiteral("CImageButton"), kMinimise, {}, QString());
    minimise->SetImage(QStringLiteral("sysbtn_min.png"), 4);
    minimise->SetTooltip(Text(6));

    auto* battery = static_cast<BatteryCtrl*>(
        CreateArea(QStringLiteral("BatteryCtrl"), kBattery, {}, QString()));
    battery->SetBatteryIcon(QStringLiteral("icon\\icon_battery_bkg.png"),
                            QStringLiteral("icon\\icon_batteryvalue.png"),
                            QStringLiteral("icon\\icon_charge.png"));
    battery->SetTextColor(kBatteryTextColor);

    auto* state = static_cast<CDeviceState*>(
        CreateArea(QStringLiteral("CDeviceState"), kDeviceState, {}, Text(50)));
    state->SetImage(QStringLiteral("img_state.png"), 4);
    state->SetFontName(m_titleFontName);
    state->SetFont(14);

    for (const ProfileBarEntry& entry : kProfileBar) {
        auto* button = static_cast<MButton*>(
            CreateControl(QStringLiteral("MButton"), entry.id, {}, Text(entry.textKey)));
        button->SetImage(QStringLiteral("img_button.png"), 4);
        button->SetFontName(m_titleFontName);
    }
}

void DeviceMainDlg::CreateHome() {
    auto* home = GetControlAs<MTabLayout>(kHomePage);
    auto* mouse = static_cast<MPicture*>(
        home->CreateArea(QStringLiteral("MPicture"), kHomeMouse, {}, QString()));
    mouse->SetImage(QStringLiteral("device\\img_mouse.png"));
    mouse->SetShowMode(1);
    auto* area = static_cast<MPicture*>(
        home->CreateArea(QStringLiteral("MPicture"), kBannerArea, {}, QString()));
    area->SetImage(QStringLiteral("img_area3.png"));
    area->SetShowMode(3, 10);
    auto* text =
        static_cast<MText*>(home->CreateArea(QStringLiteral("MText"), kBannerText, {}, Text(57)));
    text->SetFont(20);
    text->SetAlignment(kAlignCenter);
    text->SetVAlignment(kAlignVCenter);
    text->SetFontName(m_titleFontName);
}

void DeviceMainDlg::UISize(const MRect& client) {
    if (!GetControl(kTabStrip)) {
        return;  // a resize before the controls exist
    }
    m_client = client;
    m_scale = client.Height() > 0 ? float(client.Height()) / 780.0f : 1.0f;
    PlaceFrame(client);
    for (int item : kPageBuildOrder) {
        if (MainWindowPage* page = PageOf(item)) {
            page->UISize(client, m_scale);
        }
    }
    UpdateOverlay();
}

void DeviceMainDlg::PlaceFrame(const MRect& client) {
    const int w = client.Width();
    const int h = client.Height();
    const int r = client.right;
    const int b = client.bottom;

    GetControl(kBackground)->SetRect({0, 0, w, h});
    const int titleLeft = (w - 300) / 2;
    GetControl(kTitle)->SetRect({titleLeft, 5, titleLeft + 350, 35});
    GetControl(kClose)->SetRect({r - 50, 10, r - 30, 30});
    GetControl(kMinimise)->SetRect({r - 86, 10, r - 66, 30});
    GetControl(kBattery)->SetRect({21, 6, 86, 34});
    GetControl(kDeviceState)->SetRect({91, 5, 191, 32});
    for (const ProfileBarEntry& entry : kProfileBar) {
        GetControl(entry.id)->SetRect({r - entry.fromRightLeft, 55, r - entry.fromRightRight, 85});
    }
    GetControl(kTabStrip)->SetRect({20, 40, 380, 100});
    for (const PageEntry& entry : kPageContainers) {
        GetControl(entry.id)->SetRect({1, 110, r - 1, b - 50});
    }

    // Home page: the mouse at its natural size, centred; the banner over it.
    auto* mouse = GetControlAs<MPicture>(kHomeMouse);
    const QSize natural = mouse->GetImageSize();
    const int mouseLeft = (w - natural.width()) / 2;
    const int mouseTop = (h - natural.height()) / 2 + 20;
    mouse->SetRect({mouseLeft, mouseTop, mouseLeft + natural.width(), mouseTop + natural.height()});
    const MRect banner{w / 2 - 190, h / 2 - 100, w / 2 + 210, h / 2 - 40};
    GetControl(kBannerArea)->SetRect(banner);
    GetControl(kBannerText)->SetRect(banner);
}

void DeviceMainDlg::UpdateOverlay() {
    const int left = (m_client.Width() - 350) / 2;
    const MRect rect{left, 200, left + 350, 280};
    SetMessage(m_bluetoothNotice ? Text(56) : QString(), rect, int(16 * m_scale));
}

void DeviceMainDlg::OnMessage(int id, int event, int64_t param) {
    switch (id) {
        case kTabStrip:
            if (auto* strip = GetControlAs<MTabCtrl>(kTabStrip)) {
                const int item = strip->GetItemID(int(param));
                if (item > 0) {
                    m_currentTab = item;
                }
            }
            return;
        case kClose:
            if (event == kEventClick) {
                ExitProgram();
            }
            return;
        case kMinimise:
            if (event == kEventClick) {
                OnMinimize();
            }
            return;
        case kApplyProfile:
            if (event == kEventClick && QueueDeviceJob(app::JOB_UPLOAD_PROFILE)) {
                ShowWaitDialog(app::JOB_UPLOAD_PROFILE);
            }
            return;
        case kReadDevice:
            if (event == kEventClick && QueueDeviceJob(app::JOB_READ_DEVICE)) {
                ShowWaitDialog(app::JOB_READ_DEVICE);
            }
            return;
        case kRestoreDefaults:
            if (event == kEventClick &&
                ShowMessageBox(200, 201, CUIMessageBox::kStyleOkCancel) != kEndCancel) {
                OnRestoreDefaults();
                if (QueueDeviceJob(app::JOB_RESET_PROFILE)) {
                    ShowWaitDialog(app::JOB_RESET_PROFILE);
                }
            }
            return;
        case kImportProfile:
            if (event == kEventClick) {
                OnImportProfile();
            }
            return;
        case kExportProfile:
            if (event == kEventClick) {
                OnExportProfile();
            }
            return;
        default:
            break;
    }
    for (int item : kPageBuildOrder) {
        if (MainWindowPage* page = PageOf(item); page && page->OnMessage(id, event, param)) {
            return;
        }
    }
}

int64_t DeviceMainDlg::OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) {
    using namespace app;
    switch (message) {
        case UM_TRAY_EXIT:
            if (lparam == kTrayExitParam) {
                ExitProgram();
            }
            return 0;
        case UM_PROFILE_MENU:
            if (wparam == kProfileMenuImport) {
                OnImportProfile();
            } else if (wparam == kProfileMenuExport) {
                OnExportProfile();
            }
            return 1;
        case UM_DEVICE_SYNCED:
            if (lparam == kSyncedAfterUpload) {
                ShowMessageBox(210, 115, CUIMessageBox::kStyleOk);
            } else {
                ShowMessageBox(212, 112, CUIMessageBox::kStyleOk);
            }
            return 0;
        case UM_APPLY_TEXTS:
            ApplyTexts();
            break;
        default: {
            for (int item : kPageBuildOrder) {
                int64_t result = 0;
                if (MainWindowPage* page = PageOf(item);
                    page && page->OnWindowMessage(message, wparam, lparam, result)) {
                    return result;
                }
            }
            break;
        }
    }
    return MDialog::OnWindowMessage(message, wparam, lparam);
}

int DeviceMainDlg::OnNcActivate(bool) {
    return 0;
}

void DeviceMainDlg::OnTimer(int) {}

void DeviceMainDlg::OnDestroy() {
    if (m_instance) {
        m_instance->StopListening();
    }
    // The worker is stopped, waiting up to a second for a job still running.
    if (m_device) {
        m_device->Stop();
    }
}

void DeviceMainDlg::OnCloseRequest() {
    ExitProgram();
}

bool DeviceMainDlg::QueueDeviceJob(int code) {
    return m_device && m_device->QueueJob(code);
}

void DeviceMainDlg::OnRestoreDefaults() {
    if (m_device) {
        m_device->RestoreProfileDefaults(*this);
    }
}

int DeviceMainDlg::ShowMessageBox(int messageKey, int captionKey, int style) {
    return CUIMessageBox::Show(this, Text(messageKey), Text(captionKey), style);
}

void DeviceMainDlg::ExitProgram() {
    // The process ends at once, as a close of the program does: no window teardown, no
    // shutdown steps. The activation socket is removed first so the next start finds no stale
    // channel.
    if (m_instance) {
        m_instance->StopListening();
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

int DeviceMainDlg::StateFrameOf(int textKey) {
    for (const StatusEntry& entry : kStatusMarks) {
        if (entry.textKey == textKey) {
            return entry.frame;
        }
    }
    return kStateNone;
}

void DeviceMainDlg::ShowDeviceStatus(int textKey) {
    m_statusKey = textKey;
    if (auto* state = GetControlAs<CDeviceState>(kDeviceState)) {
        state->SetTitle(Text(textKey));
        state->SetState(StateFrameOf(textKey));
    }
}

void DeviceMainDlg::SetTabsEnabled(bool enabled, int index) {
    if (auto* strip = GetControlAs<MTabCtrl>(kTabStrip)) {
        strip->SetEnabled(enabled);
        SelectTab(index);
    }
}

void DeviceMainDlg::SelectTab(int index) {
    if (auto* strip = GetControlAs<MTabCtrl>(kTabStrip); strip && strip->SetSelectItem(index)) {
        m_currentTab = strip->GetItemID(index);
    }
}

void DeviceMainDlg::ShowNoDeviceBanner(bool shown) {
    for (int id : {kBannerArea, kBannerText}) {
        if (MControl* control = GetControl(id)) {
            control->SetVisible(shown);
        }
    }
}

void DeviceMainDlg::ShowProfileBar(bool shown) {
    for (const ProfileBarEntry& entry : kProfileBar) {
        if (MControl* button = GetControl(entry.id)) {
            button->SetVisible(shown);
        }
    }
}

void DeviceMainDlg::ShowBluetoothNotice(bool shown) {
    m_bluetoothNotice = shown;
    UpdateOverlay();
}

void DeviceMainDlg::SetBatteryInfo(int level, bool charging) {
    if (auto* battery = GetControlAs<BatteryCtrl>(kBattery)) {
        battery->SetBatteryInfo(level, charging);
    }
}

void DeviceMainDlg::EndWaitDialogFor(int code) {
    if (m_waitDialog && (m_waitCode == 0 || m_waitCode == code)) {
        EndWaitDialog();
    }
}

void DeviceMainDlg::ShowWaitDialog(int code) {
    // A dialog still shown is closed and forgotten first; its own run (further down the stack)
    // deletes it when it returns.
    if (m_waitDialog) {
        m_waitDialog->DoCancel();
        if (QWidget* old = m_waitDialog->GetSafeHwnd()) {
            old->hide();
        }
        m_waitDialog = nullptr;
    }
    auto dialog = std::make_unique<WaitDlg>();
    WaitDlg* shown = dialog.get();
    m_waitDialog = shown;
    m_waitCode = code;
    shown->Run(this);
    if (m_waitDialog == shown) {
        m_waitDialog = nullptr;
    }
}

void DeviceMainDlg::EndWaitDialog() {
    QCoreApplication* app = QCoreApplication::instance();
    QWidget* widget = GetSafeHwnd();
    if (!app || !widget) {
        return;
    }
    if (QThread::currentThread() != widget->thread()) {
        // Handed to the UI thread, where the recorded dialog lives.
        QMetaObject::invokeMethod(widget, [this] { EndWaitDialog(); }, Qt::QueuedConnection);
        return;
    }
    if (!m_waitDialog) {
        return;
    }
    // Its run returns only once the UI thread gets back to it; whatever is handled meanwhile
    // (the job's confirmation box) must find the dialog neither on screen nor recorded.
    WaitDlg* ending = std::exchange(m_waitDialog, nullptr);
    ending->DoOK();
    if (QWidget* shown = ending->GetSafeHwnd()) {
        shown->hide();
    }
}

void DeviceMainDlg::ApplyTexts() {
    if (auto* state = GetControlAs<CDeviceState>(kDeviceState)) {
        state->SetFontName(m_titleFontName);
        state->SetTitle(Text(m_statusKey));
    }
    if (auto* banner = GetControlAs<MText>(kBannerText)) {
        banner->SetTitle(Text(57));
    }
    if (auto* title = GetControlAs<MText>(kTitle)) {
        title->SetTitle(QStringLiteral("Varneth"));
    }
    if (auto* strip = GetControlAs<MTabCtrl>(kTabStrip)) {
        for (int i = 0; i < int(std::size(kTabs)); ++i) {
            strip->SetItemText(i, Text(kTabs[i].textKey));
        }
    }
    for (const ProfileBarEntry& entry : kProfileBar) {
        if (auto* button = GetControlAs<MButton>(entry.id)) {
            button->SetTitle(Text(entry.textKey));
        }
    }
    if (MControl* close = GetControl(kClose)) {
        close->SetTooltip(Text(5));
    }
    if (MControl* minimise = GetControl(kMinimise)) {
        minimise->SetTooltip(Text(6));
    }
    for (int item : kPageBuildOrder) {
        if (MainWindowPage* page = PageOf(item)) {
            page->ApplyTexts();
        }
    }
    UpdateOverlay();
}

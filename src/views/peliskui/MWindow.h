#pragma once

#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "views/peliskui/MObject.h"
#include "views/peliskui/MRect.h"
#include "views/peliskui/SkinImage.h"

class QEventLoop;
class QTimer;

namespace PeliskUI {

class MControl;

// Window style bits the program uses, with their Windows values so call sites read the same.
inline constexpr uint32_t kStylePopup = 0x80000000u;
inline constexpr uint32_t kStyleVisible = 0x10000000u;
inline constexpr uint32_t kStyleClipSiblings = 0x04000000u;
inline constexpr uint32_t kStyleClipChildren = 0x02000000u;
inline constexpr uint32_t kExStyleTopmost = 0x00000008u;
inline constexpr uint32_t kExStyleToolWindow = 0x00000080u;
inline constexpr uint32_t kExStyleLayered = 0x00080000u;

// End codes of a modal run.
inline constexpr int kEndOK = 1;
inline constexpr int kEndCancel = 2;

// Identifier the window timer (SetMTimer) reports to OnTimer.
inline constexpr int kWindowTimerId = 1;

// A top-level skinned window. Create() makes the widget and runs the initialisation hooks;
// ShowModal() runs a local event loop until DoOK() or DoCancel() ends it. Children are made by
// kind name with CreateArea (passive) and CreateControl (reports events to OnMessage). Window
// messages (the program's UM_ numbers) reach OnWindowMessage on the UI thread whether they were
// posted from another thread or delivered from another process.
//
// Hooks, in order: OnWindowMessage, OnInitDialog (which runs InitUI and then UISize with the
// client rectangle), InitUI, UISize (also at every resize), OnMessage, OnNcActivate, OnTimer,
// OnDestroy (when the modal run ends).
class MWindow : public MObject {
  public:
    MWindow();
    ~MWindow() override;

    // Creates the window. `rect` is in screen coordinates; `parent` (may be null) owns it, and
    // a modal run of an owned window blocks input to the other windows. Calls OnInitDialog once
    // the widget exists. Returns false when the window already exists.
    bool Create(MWindow* parent, const QString& title, uint32_t style, uint32_t exStyle,
                const MRect& rect);

    // Centres the window on the reference window, or on its screen when there is none.
    void CenterWindow(MWindow* reference = nullptr);

    // Runs the window modally: shows it when `show` is non-zero (else it stays hidden until
    // activated) and returns the end code given to DoOK (1) or DoCancel (2), or 0 when the
    // window was never created. An end requested before the run started ends it at once, so a
    // dialog ended early (a fast job) never blocks. The window object may be deleted while the
    // run is on the stack; the run then returns the code it was ended with.
    int ShowModal(int show = 1);
    // End the modal run. Safe from any thread: from another thread the end is handed to the UI
    // thread.
    void DoOK();
    void DoCancel();
    void EndModal(int code);
    bool IsInModalLoop() const;

    // Brings the window to the front: shows it in normal size, raises and focuses it.
    void Activate();
    // Shows (non-zero) or hides (0) the window.
    void ShowWindow(int show);
    // Minimises the window.
    void OnMinimize();

    // Queues a window message for OnWindowMessage on the UI thread. Safe from any thread; a
    // message posted to a destroyed window is dropped.
    void PostWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam);
    // Delivers a window message at once. UI thread only.
    int64_t SendWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam);

    // The underlying widget (null before Create).
    QWidget* GetSafeHwnd() const;
    QString Title() const;
    uint32_t Style() const { return m_style; }
    uint32_t ExStyle() const { return m_exStyle; }
    // The client rectangle (0, 0, width, height) and the window's rectangle on the screen.
    MRect GetClientRect() const;
    MRect GetWindowRect() const;
    QPoint ClientToScreen(const QPoint& point) const;

    // The window's look: a background picture and how it fills the window (mode 0 stretched,
    // 1 stretched around corners of `param` pixels), or a plain colour (ARGB); layered windows
    // are see-through where nothing is drawn and get rounded corners; topmost windows stay
    // above the others.
    bool LoadBKImage(const QString& name);
    void SetBackMode(int mode, int param = 0);
    void SetBKColor(uint32_t argb);
    void SetLayeredWindow(bool layered);
    void SetTopmost(bool topmost);
    // Lets the user move the window by dragging any place that is not a control.
    void EnableWndDrag(bool enable);
    bool IsWndDragEnabled() const { return m_drag; }
    // The window's icon, a skin picture.
    void SetIcon(const QString& imageName);
    // Starts (or restarts) the window timer: OnTimer(kWindowTimerId) every `intervalMs`.
    void SetMTimer(int intervalMs);
    void KillMTimer();

    // The overlay message: a notice drawn above every control in `rect` at `size` pixels.
    // Empty text removes it.
    void SetMessage(const QString& text, const MRect& rect, int size);
    QString GetMessage() const;

    // Children. CreateArea makes a passive element, CreateControl one that reports events; both
    // return null for an unknown kind or before Create.
    MControl* CreateArea(const QString& kind, int id, const MRect& rect, const QString& title,
                         bool visible = true, bool enabled = true);
    MControl* CreateControl(const QString& kind, int id, const MRect& rect, const QString& title,
                            bool visible = true, bool enabled = true);
    // Creates a child inside `container` (a page of this window, or the window itself when
    // null). Used by the page containers.
    MControl* CreateIn(QWidget* container, const QString& kind, int id, const MRect& rect,
                       const QString& title, bool visible, bool enabled, bool notify);
    // The first control with this identifier, or null.
    MControl* GetControl(int id) const;
    template <class T>
    T* GetControlAs(int id) const {
        return qobject_cast<T*>(GetControl(id));
    }
    // Every living control, in creation order.
    std::vector<MControl*> Controls() const;

    // A control's event, delivered to OnMessage. Called by the controls.
    void ControlMessage(int id, int event, int64_t param);

  protected:
    // Hooks, in this order of declaration.
    virtual int64_t OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam);
    virtual void OnInitDialog();
    virtual void InitUI() {}
    virtual void UISize(const MRect& client) { (void)client; }
    virtual void OnMessage(int id, int event, int64_t param) { (void)id, (void)event, (void)param; }
    virtual int OnNcActivate(bool active) {
        (void)active;
        return 1;
    }
    virtual void OnTimer(int id) { (void)id; }
    virtual void OnDestroy() {}

    // Called when the user or the system asks the window to close. The default ends the modal
    // run with DoCancel.
    virtual void OnCloseRequest();

  private:
    class Widget;
    class Overlay;
    friend class Widget;

    // What other threads and late callers may reach: cleared when the window object dies.
    struct Mailbox {
        MWindow* window = nullptr;
        int endCode = 0;
    };

    QPointer<QWidget> m_widget;
    Overlay* m_overlay = nullptr;
    QTimer* m_timer = nullptr;
    std::shared_ptr<Mailbox> m_mailbox;
    std::vector<QPointer<MControl>> m_controls;
    QEventLoop* m_loop = nullptr;
    std::optional<int> m_pendingEnd;
    SkinImage m_background;
    uint32_t m_backColor = 0;
    int m_backMode = 0;
    int m_backParam = 0;
    int m_endCode = 0;
    uint32_t m_style = 0;
    uint32_t m_exStyle = 0;
    bool m_layered = false;
    bool m_drag = false;
};

}  // namespace PeliskUI

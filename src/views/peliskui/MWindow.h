#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "views/peliskui/MObject.h"
#include "views/peliskui/MRect.h"

class QEventLoop;

namespace PeliskUI {

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

// A top-level skinned window. Create() makes the widget and runs the initialisation hooks;
// ShowModal() runs a local event loop until DoOK() or DoCancel() ends it. Window messages
// (the program's UM_ numbers) reach OnWindowMessage on the UI thread whether they were posted
// from another thread or delivered from another process.
class MWindow : public MObject {
public:
    MWindow();
    ~MWindow() override;

    // Creates the window. `rect` is in screen coordinates; `parent` may be null. Calls
    // OnInitDialog once the widget exists. Returns false when the window already exists.
    bool Create(MWindow* parent, const QString& title, uint32_t style, uint32_t exStyle,
                const MRect& rect);

    // Centres the window on the reference window, or on its screen when there is none.
    void CenterWindow(MWindow* reference = nullptr);

    // Runs the window modally: shows it when `show` is non-zero (else it stays hidden until
    // activated) and returns the end code given to DoOK (1) or DoCancel (2), or 0 when the
    // window was never created or was destroyed.
    int ShowModal(int show = 1);
    void DoOK();
    void DoCancel();
    void EndModal(int code);
    bool IsInModalLoop() const;

    // Brings the window to the front: shows it in normal size, raises and focuses it.
    void Activate();

    // Queues a window message for OnWindowMessage on the UI thread. Safe from any thread; a
    // message posted to a destroyed window is dropped.
    void PostWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam);

    // The underlying widget (null before Create).
    QWidget* GetSafeHwnd() const;

    QString Title() const;

protected:
    // Hooks, in this order of declaration.
    virtual int64_t OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam);
    virtual void OnInitDialog();
    virtual void InitUI() {}
    virtual void UISize(const MRect& client) { (void)client; }
    virtual void OnMessage(int id, int event, int64_t param) { (void)id, (void)event, (void)param; }
    virtual void OnNcActivate(bool active) { (void)active; }
    virtual void OnTimer(int id) { (void)id; }
    virtual void OnDestroy() {}

    // Called when the user or the system asks the window to close. The default ends the modal
    // run with DoCancel.
    virtual void OnCloseRequest();

private:
    class Widget;
    friend class Widget;

    QPointer<QWidget> m_widget;
    QEventLoop* m_loop = nullptr;
    int m_endCode = 0;
    uint32_t m_style = 0;
    uint32_t m_exStyle = 0;
};

// A dialog is a window with the same behaviour; kept as its own type because windows of the
// program derive from it.
class MDialog : public MWindow {};

}  // namespace PeliskUI

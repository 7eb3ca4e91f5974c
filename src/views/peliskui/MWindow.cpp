#include "views/peliskui/MWindow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMetaObject>
#include <QResizeEvent>
#include <QScreen>

namespace PeliskUI {

// The widget of a window: forwards the events the window's hooks care about.
class MWindow::Widget : public QWidget {
public:
    Widget(MWindow* owner, QWidget* parent, Qt::WindowFlags flags)
        : QWidget(parent, flags), m_owner(owner) {}

    void Detach() { m_owner = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        if (m_owner) {
            m_owner->OnCloseRequest();
        }
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (m_owner) {
            m_owner->UISize(MRect{0, 0, event->size().width(), event->size().height()});
        }
    }
    void changeEvent(QEvent* event) override {
        QWidget::changeEvent(event);
        if (m_owner && event->type() == QEvent::ActivationChange) {
            m_owner->OnNcActivate(isActiveWindow());
        }
    }

private:
    MWindow* m_owner;
};

MWindow::MWindow() = default;

MWindow::~MWindow() {
    if (m_loop) {
        m_loop->exit(0);
    }
    if (m_widget) {
        static_cast<Widget*>(m_widget.data())->Detach();
        delete m_widget.data();
    }
}

bool MWindow::Create(MWindow* parent, const QString& title, uint32_t style, uint32_t exStyle,
                     const MRect& rect) {
    if (m_widget) {
        return false;
    }
    m_style = style;
    m_exStyle = exStyle;
    Qt::WindowFlags flags = Qt::Window;
    if (style & kStylePopup) {
        flags |= Qt::FramelessWindowHint;
    }
    if (exStyle & kExStyleToolWindow) {
        flags |= Qt::Tool;
    }
    if (exStyle & kExStyleTopmost) {
        flags |= Qt::WindowStaysOnTopHint;
    }
    auto* widget = new Widget(this, parent ? parent->GetSafeHwnd() : nullptr, flags);
    if (exStyle & kExStyleLayered) {
        widget->setAttribute(Qt::WA_TranslucentBackground);
    }
    widget->setWindowTitle(title);
    widget->setGeometry(rect.ToQRect());
    m_widget = widget;
    OnInitDialog();
    return true;
}

void MWindow::OnInitDialog() {
    InitUI();
    if (m_widget) {
        UISize(MRect{0, 0, m_widget->width(), m_widget->height()});
    }
}

void MWindow::CenterWindow(MWindow* reference) {
    if (!m_widget) {
        return;
    }
    QRect area;
    if (reference && reference->GetSafeHwnd()) {
        area = reference->GetSafeHwnd()->frameGeometry();
    } else if (QScreen* screen = m_widget->screen() ? m_widget->screen() : QGuiApplication::primaryScreen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) {
        QRect frame = m_widget->geometry();
        frame.moveCenter(area.center());
        m_widget->move(frame.topLeft());
    }
}

int MWindow::ShowModal(int show) {
    if (!m_widget || m_loop) {
        return 0;
    }
    if (show) {
        m_widget->show();
    }
    QEventLoop loop;
    m_loop = &loop;
    m_endCode = 0;
    loop.exec(QEventLoop::DialogExec);
    m_loop = nullptr;
    if (m_widget) {
        m_widget->hide();
        OnDestroy();
    }
    return m_endCode;
}

void MWindow::EndModal(int code) {
    m_endCode = code;
    if (m_loop) {
        m_loop->exit(code);
    }
}

void MWindow::DoOK() { EndModal(kEndOK); }
void MWindow::DoCancel() { EndModal(kEndCancel); }
bool MWindow::IsInModalLoop() const { return m_loop != nullptr; }

void MWindow::Activate() {
    if (!m_widget) {
        return;
    }
    m_widget->showNormal();
    m_widget->raise();
    m_widget->activateWindow();
}

void MWindow::PostWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) {
    QPointer<QWidget> target = m_widget;
    if (!target) {
        return;
    }
    QMetaObject::invokeMethod(
        target.data(),
        [this, target, message, wparam, lparam] {
            if (target) {
                OnWindowMessage(message, wparam, lparam);
            }
        },
        Qt::QueuedConnection);
}

int64_t MWindow::OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) {
    (void)message, (void)wparam, (void)lparam;
    return 0;
}

void MWindow::OnCloseRequest() { DoCancel(); }

QWidget* MWindow::GetSafeHwnd() const { return m_widget.data(); }

QString MWindow::Title() const { return m_widget ? m_widget->windowTitle() : QString(); }

}  // namespace PeliskUI

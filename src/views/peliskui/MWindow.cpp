#include "views/peliskui/MWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QWindow>

#include "views/peliskui/ControlFactory.h"
#include "views/peliskui/MControl.h"
#include "views/peliskui/MControlFont.h"
#include "views/peliskui/PlainDraw.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {

bool OnUiThread() {
    QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

// Tooltips in the program's look, set up once.
void StyleTooltips() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, Theme::Argb(0xFF1A2733));
    palette.setColor(QPalette::ToolTipText, Theme::Argb(Theme::kText));
    palette.setColor(QPalette::Window, Theme::Argb(0xFF1A2733));
    palette.setColor(QPalette::WindowText, Theme::Argb(Theme::kText));
    QToolTip::setPalette(palette);
    QToolTip::setFont(MControlFont::ResolveFont(QString(), 13));
}

constexpr int kLayeredRadius = 12;

}  // namespace

// The widget of a window: paints the background and forwards the events the window's hooks
// care about.
class MWindow::Widget : public QWidget {
  public:
    Widget(MWindow* owner, QWidget* parent, Qt::WindowFlags flags)
        : QWidget(parent, flags), m_owner(owner) {}

    void Detach() { m_owner = nullptr; }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_owner) {
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRect area = rect();
        if (!m_owner->m_background.IsNull()) {
            if (m_owner->m_backMode == 1) {
                m_owner->m_background.Draw(painter, area, 0, SkinImage::Fit::NineSlice,
                                           m_owner->m_backParam);
            } else {
                m_owner->m_background.Draw(painter, area, 0, SkinImage::Fit::Stretch);
            }
        } else if (m_owner->m_backColor != 0) {
            const QColor fill = Theme::Argb(m_owner->m_backColor);
            if (m_owner->m_layered) {
                PlainDraw::Panel(painter, area, fill, kLayeredRadius,
                                 Theme::Argb(Theme::kBorderHigh));
            } else {
                painter.fillRect(area, fill);
            }
        } else if (m_owner->m_layered) {
            // A layered window without a background still needs a body.
            PlainDraw::Panel(painter, area, Theme::Argb(0xF2141D26), kLayeredRadius,
                             Theme::Argb(Theme::kBorderHigh));
        }
    }
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
    void mousePressEvent(QMouseEvent* event) override {
        if (!m_owner || !m_owner->m_drag || event->button() != Qt::LeftButton) {
            QWidget::mousePressEvent(event);
            return;
        }
        event->accept();
        // Let the window manager move the window where it can; else follow the pointer.
        if (windowHandle() && windowHandle()->startSystemMove()) {
            return;
        }
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_dragging) {
            move(event->globalPosition().toPoint() - m_dragOffset);
            event->accept();
            return;
        }
        QWidget::mouseMoveEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        m_dragging = false;
        QWidget::mouseReleaseEvent(event);
    }

  private:
    MWindow* m_owner;
    QPoint m_dragOffset;
    bool m_dragging = false;
};

// The overlay message: drawn above every control, never taking the mouse.
class MWindow::Overlay : public QWidget {
  public:
    explicit Overlay(QWidget* parent) : QWidget(parent) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        hide();
    }

    void Set(const QString& text, int size) {
        m_text = text;
        m_size = size > 0 ? size : 16;
        update();
    }
    const QString& Text() const { return m_text; }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (m_text.isEmpty()) {
            return;
        }
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QFont font = MControlFont::ResolveFont(QString(), m_size);
        painter.setFont(font);
        const QRect textArea = rect().adjusted(16, 8, -16, -8);
        const QRect needed =
            painter.boundingRect(textArea, Qt::AlignCenter | Qt::TextWordWrap, m_text);
        QRectF band = QRectF(needed.adjusted(-18, -10, 18, 10))
                          .intersected(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
        QColor fill = Theme::Argb(0xF0141D26);
        QColor edge = Theme::Argb(Theme::kAccent);
        edge.setAlpha(200);
        PlainDraw::Panel(painter, band, fill, std::min<qreal>(band.height() / 2, 14), edge);
        painter.setPen(Theme::Argb(Theme::kTextBright));
        painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap, m_text);
    }

  private:
    QString m_text;
    int m_size = 16;
};

MWindow::MWindow() : m_mailbox(std::make_shared<Mailbox>()) {
    m_mailbox->window = this;
}

MWindow::~MWindow() {
    m_mailbox->window = nullptr;
    m_mailbox->endCode = m_endCode ? m_endCode : kEndCancel;
    if (m_loop) {
        m_loop->exit(m_mailbox->endCode);
    }
    // Controls going down with the widget (an edit losing its focus...) report to nobody.
    for (const QPointer<MControl>& control : m_controls) {
        if (control) {
            control->SetOwner(nullptr);
        }
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
    StyleTooltips();
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
    widget->setWindowTitle(title);
    widget->setGeometry(rect.ToQRect());
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, Theme::Argb(Theme::kWindow));
    widget->setPalette(palette);
    m_widget = widget;
    if (exStyle & kExStyleLayered) {
        SetLayeredWindow(true);
    }
    m_overlay = new Overlay(widget);
    OnInitDialog();
    return true;
}

void MWindow::OnInitDialog() {
    InitUI();
    if (m_widget) {
        UISize(GetClientRect());
    }
}

void MWindow::CenterWindow(MWindow* reference) {
    if (!m_widget) {
        return;
    }
    QRect area;
    if (reference && reference->GetSafeHwnd()) {
        area = reference->GetSafeHwnd()->frameGeometry();
    } else if (QScreen* screen =
                   m_widget->screen() ? m_widget->screen() : QGuiApplication::primaryScreen()) {
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
    if (m_pendingEnd) {
        m_endCode = *m_pendingEnd;
        m_pendingEnd.reset();
        OnDestroy();
        return m_endCode;
    }
    if (m_widget->parentWidget()) {
        m_widget->setWindowModality(Qt::ApplicationModal);
    }
    if (show) {
        m_widget->show();
        m_widget->raise();
        m_widget->activateWindow();
    }
    QEventLoop loop;
    m_loop = &loop;
    m_endCode = 0;
    const std::shared_ptr<Mailbox> mailbox = m_mailbox;
    loop.exec(QEventLoop::DialogExec);
    if (!mailbox->window) {
        return mailbox->endCode;  // the window object was deleted during its own run
    }
    m_loop = nullptr;
    if (m_widget) {
        m_widget->hide();
    }
    OnDestroy();
    return m_endCode;
}

void MWindow::EndModal(int code) {
    if (!OnUiThread()) {
        const std::shared_ptr<Mailbox> mailbox = m_mailbox;
        if (QCoreApplication* app = QCoreApplication::instance()) {
            QMetaObject::invokeMethod(
                app,
                [mailbox, code] {
                    if (mailbox->window) {
                        mailbox->window->EndModal(code);
                    }
                },
                Qt::QueuedConnection);
        }
        return;
    }
    m_endCode = code;
    m_mailbox->endCode = code;
    if (m_loop) {
        m_loop->exit(code);
    } else {
        m_pendingEnd = code;
    }
}

void MWindow::DoOK() {
    EndModal(kEndOK);
}
void MWindow::DoCancel() {
    EndModal(kEndCancel);
}
bool MWindow::IsInModalLoop() const {
    return m_loop != nullptr;
}

void MWindow::Activate() {
    if (!m_widget) {
        return;
    }
    m_widget->showNormal();
    m_widget->raise();
    m_widget->activateWindow();
}

void MWindow::ShowWindow(int show) {
    if (!m_widget) {
        return;
    }
    if (show) {
        m_widget->showNormal();
    } else {
        m_widget->hide();
    }
}

void MWindow::OnMinimize() {
    if (m_widget) {
        m_widget->showMinimized();
    }
}

void MWindow::PostWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) {
    const std::shared_ptr<Mailbox> mailbox = m_mailbox;
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        return;
    }
    QMetaObject::invokeMethod(
        app,
        [mailbox, message, wparam, lparam] {
            if (mailbox->window && mailbox->window->m_widget) {
                mailbox->window->OnWindowMessage(message, wparam, lparam);
            }
        },
        Qt::QueuedConnection);
}

int64_t MWindow::SendWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) {
    return OnWindowMessage(message, wparam, lparam);
}

int64_t MWindow::OnWindowMessage(uint32_t message, uint64_t wparam, int64_t lparam) {
    (void)message, (void)wparam, (void)lparam;
    return 0;
}

void MWindow::OnCloseRequest() {
    DoCancel();
}

QWidget* MWindow::GetSafeHwnd() const {
    return m_widget.data();
}

QString MWindow::Title() const {
    return m_widget ? m_widget->windowTitle() : QString();
}

MRect MWindow::GetClientRect() const {
    return m_widget ? MRect{0, 0, m_widget->width(), m_widget->height()} : MRect{};
}

MRect MWindow::GetWindowRect() const {
    return m_widget ? MRect::FromQRect(m_widget->frameGeometry()) : MRect{};
}

QPoint MWindow::ClientToScreen(const QPoint& point) const {
    return m_widget ? m_widget->mapToGlobal(point) : point;
}

bool MWindow::LoadBKImage(const QString& name) {
    const bool loaded = m_background.Load(name, 1);
    if (m_widget) {
        m_widget->update();
    }
    return loaded;
}

void MWindow::SetBackMode(int mode, int param) {
    m_backMode = mode;
    m_backParam = param;
    if (m_widget) {
        m_widget->update();
    }
}

void MWindow::SetBKColor(uint32_t argb) {
    m_backColor = argb;
    if (m_widget) {
        m_widget->update();
    }
}

void MWindow::SetLayeredWindow(bool layered) {
    m_layered = layered;
    if (m_widget) {
        m_widget->setAttribute(Qt::WA_TranslucentBackground, layered);
        m_widget->setAutoFillBackground(!layered);
        m_widget->update();
    }
}

void MWindow::SetTopmost(bool topmost) {
    if (!m_widget) {
        return;
    }
    const bool wasVisible = m_widget->isVisible();
    m_widget->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
    if (wasVisible) {
        m_widget->show();  // changing window flags hides the window
    }
}

void MWindow::EnableWndDrag(bool enable) {
    m_drag = enable;
}

void MWindow::SetIcon(const QString& imageName) {
    if (m_widget) {
        const QPixmap icon = SkinImage::LoadPixmap(imageName);
        if (!icon.isNull()) {
            m_widget->setWindowIcon(QIcon(icon));
        }
    }
}

void MWindow::SetMTimer(int intervalMs) {
    if (!m_widget) {
        return;
    }
    if (!m_timer) {
        m_timer = new QTimer(m_widget);
        const std::shared_ptr<Mailbox> mailbox = m_mailbox;
        QObject::connect(m_timer, &QTimer::timeout, m_widget, [mailbox] {
            if (mailbox->window) {
                mailbox->window->OnTimer(kWindowTimerId);
            }
        });
    }
    m_timer->start(std::max(1, intervalMs));
}

void MWindow::KillMTimer() {
    if (m_timer) {
        m_timer->stop();
    }
}

void MWindow::SetMessage(const QString& text, const MRect& rect, int size) {
    if (!m_overlay) {
        return;
    }
    m_overlay->Set(text, size);
    m_overlay->setGeometry(rect.ToQRect());
    m_overlay->setVisible(!text.isEmpty());
    m_overlay->raise();
}

QString MWindow::GetMessage() const {
    return m_overlay ? m_overlay->Text() : QString();
}

MControl* MWindow::CreateArea(const QString& kind, int id, const MRect& rect, const QString& title,
                              bool visible, bool enabled) {
    return CreateIn(nullptr, kind, id, rect, title, visible, enabled, false);
}

MControl* MWindow::CreateControl(const QString& kind, int id, const MRect& rect,
                                 const QString& title, bool visible, bool enabled) {
    return CreateIn(nullptr, kind, id, rect, title, visible, enabled, true);
}

MControl* MWindow::CreateIn(QWidget* container, const QString& kind, int id, const MRect& rect,
                            const QString& title, bool visible, bool enabled, bool notify) {
    if (!m_widget) {
        return nullptr;
    }
    QWidget* parent = container ? container : m_widget.data();
    MControl* control = ControlFactory::Make(kind, parent);
    if (!control) {
        return nullptr;
    }
    control->SetKind(kind);
    control->SetOwner(this);
    control->SetID(id);
    control->SetNotify(notify);
    if (auto* font = qobject_cast<MControlFont*>(control)) {
        font->SetTitle(title);
    }
    control->SetRect(rect);
    control->SetEnabled(enabled);
    control->setVisible(visible);
    m_controls.emplace_back(control);
    if (m_overlay && m_overlay->isVisible()) {
        m_overlay->raise();
    }
    return control;
}

MControl* MWindow::GetControl(int id) const {
    for (const QPointer<MControl>& control : m_controls) {
        if (control && control->GetID() == id) {
            return control.data();
        }
    }
    return nullptr;
}

std::vector<MControl*> MWindow::Controls() const {
    std::vector<MControl*> living;
    living.reserve(m_controls.size());
    for (const QPointer<MControl>& control : m_controls) {
        if (control) {
            living.push_back(control.data());
        }
    }
    return living;
}

void MWindow::ControlMessage(int id, int event, int64_t param) {
    OnMessage(id, event, param);
}

}  // namespace PeliskUI

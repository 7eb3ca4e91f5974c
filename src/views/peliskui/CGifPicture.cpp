#include "views/peliskui/CGifPicture.h"

#include <QImageReader>
#include <QPainter>
#include <QTimer>

#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {
// Frames of at most this many and this long are read; larger files are cut.
constexpr int kMaxFrames = 240;
constexpr int kDefaultDelay = 40;
}  // namespace

CGifPicture::CGifPicture(QWidget* parent) : MControl(parent) {}

bool CGifPicture::SetImage(const QString& name, int states) {
    (void)states;
    m_frames.clear();
    m_delays.clear();
    m_frame = 0;
    m_elapsed = 0;
    m_image.Clear();
    QImageReader reader(SkinImage::PathOf(name));
    while (m_frames.size() < kMaxFrames) {
        QImage frame = reader.read();
        if (frame.isNull()) {
            break;
        }
        m_frames.push_back(frame);
        const int delay = reader.nextImageDelay();
        m_delays.push_back(delay > 0 ? delay : kDefaultDelay);
        if (!reader.canRead()) {
            break;
        }
    }
    update();
    return !m_frames.isEmpty();
}

void CGifPicture::SetRunState(bool running) {
    m_running = running;
    update();
}

void CGifPicture::AddMTimer(int intervalMs) {
    m_interval = std::max(1, intervalMs);
    if (!m_timer) {
        m_timer = new QTimer(this);
        connect(m_timer, &QTimer::timeout, this, [this] { Advance(m_interval); });
    }
    m_timer->start(m_interval);
}

void CGifPicture::Advance(int elapsedMs) {
    if (!m_running || elapsedMs <= 0) {
        return;
    }
    if (m_frames.isEmpty()) {
        m_spin = (m_spin + elapsedMs * 360 / 1000) % 360;  // one turn a second
        update();
        return;
    }
    m_elapsed += elapsedMs;
    const int before = m_frame;
    // Bounded loop: a long pause skips at most one round of frames.
    for (int guard = 0; guard < m_frames.size() && m_elapsed >= m_delays[m_frame]; ++guard) {
        m_elapsed -= m_delays[m_frame];
        m_frame = (m_frame + 1) % int(m_frames.size());
    }
    if (m_elapsed >= m_delays[m_frame]) {
        m_elapsed = 0;
    }
    if (m_frame != before) {
        update();
    }
}

void CGifPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!m_frames.isEmpty()) {
        const QImage& frame = m_frames[m_frame];
        QSize shown = frame.size();
        if (shown.width() > width() || shown.height() > height()) {
            shown.scale(size(), Qt::KeepAspectRatio);
        }
        QRect place(QPoint(0, 0), shown);
        place.moveCenter(rect().center());
        painter.drawImage(place, frame);
        return;
    }
    const qreal side = std::min(width(), height()) * 0.5;
    QRectF ring(0, 0, side, side);
    ring.moveCenter(QRectF(rect()).center());
    QColor groove = Theme::Argb(Theme::kBorder);
    painter.setPen(QPen(groove, 4.0));
    painter.drawEllipse(ring);
    painter.setPen(QPen(Theme::Argb(Theme::kAccent), 4.0, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, (90 - m_spin) * 16, -100 * 16);
}

}  // namespace PeliskUI

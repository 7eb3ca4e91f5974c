#include "views/peliskui/SkinImage.h"

#include <QtWidgets/qdrawutil.h>
#include <QFileInfo>
#include <QHash>
#include <QMargins>
#include <QPainter>
#include <algorithm>

#include "views/peliskui/Manager.h"

namespace PeliskUI {

namespace {

QHash<QString, QPixmap>& Cache() {
    static QHash<QString, QPixmap> cache;
    return cache;
}

}  // namespace

QString SkinImage::PathOf(const QString& name) {
    QString relative = name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (relative.startsWith(QLatin1Char('/'))) {
        relative.remove(0, 1);
    }
    return Manager::SkinFolder() + relative;
}

QPixmap SkinImage::LoadPixmap(const QString& name) {
    if (name.isEmpty()) {
        return {};
    }
    const QString path = PathOf(name);
    auto& cache = Cache();
    if (auto found = cache.find(path); found != cache.end()) {
        return *found;
    }
    QPixmap pixmap;
    if (QFileInfo(path).isFile()) {
        pixmap.load(path);
    }
    cache.insert(path, pixmap);
    return pixmap;
}

void SkinImage::ClearCache() {
    Cache().clear();
}

bool SkinImage::Load(const QString& name, int states) {
    m_name = name;
    m_states = std::max(1, states);
    m_pixmap = LoadPixmap(name);
    if (!m_pixmap.isNull() && m_pixmap.width() < m_states) {
        m_pixmap = QPixmap();  // too narrow to hold its frames: treat as unreadable
    }
    return !m_pixmap.isNull();
}

void SkinImage::Clear() {
    m_pixmap = QPixmap();
    m_name.clear();
    m_states = 1;
}

QSize SkinImage::FrameSize() const {
    if (m_pixmap.isNull()) {
        return {};
    }
    return {m_pixmap.width() / m_states, m_pixmap.height()};
}

QPixmap SkinImage::Frame(int state) const {
    if (m_pixmap.isNull()) {
        return {};
    }
    const QSize size = FrameSize();
    const int index = std::clamp(state, 0, m_states - 1);
    return m_pixmap.copy(index * size.width(), 0, size.width(), size.height());
}

void SkinImage::Draw(QPainter& painter, const QRect& target, int state, Fit fit, int margin) const {
    if (m_pixmap.isNull() || target.isEmpty()) {
        return;
    }
    const QSize size = FrameSize();
    const int index = std::clamp(state, 0, m_states - 1);
    const QRect source(index * size.width(), 0, size.width(), size.height());
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (target.size() == size) {
        painter.drawPixmap(target, m_pixmap, source);
    } else if (fit == Fit::Stretch) {
        painter.drawPixmap(target, m_pixmap, source);
    } else if (fit == Fit::Center) {
        QSize shown = size;
        if (shown.width() > target.width() || shown.height() > target.height()) {
            shown.scale(target.size(), Qt::KeepAspectRatio);
        }
        QRect place(QPoint(0, 0), shown);
        place.moveCenter(target.center());
        painter.drawPixmap(place, m_pixmap, source);
    } else {
        int m = margin >= 0 ? margin : std::min(size.width(), size.height()) / 2 - 1;
        m = std::clamp(m, 0, std::min(size.width(), size.height()) / 2);
        // The corners may not be larger than half the target either.
        const int t = std::min(m, std::min(target.width(), target.height()) / 2);
        qDrawBorderPixmap(&painter, target, QMargins(t, t, t, t), m_pixmap, source,
                          QMargins(m, m, m, m));
    }
    painter.restore();
}

}  // namespace PeliskUI

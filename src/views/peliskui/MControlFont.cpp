#include "views/peliskui/MControlFont.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>

#include "views/peliskui/MEvent.h"
#include "views/peliskui/Manager.h"
#include "views/peliskui/Theme.h"

namespace PeliskUI {

namespace {

// Weight words a face name may end in, with the weight they stand for.
struct WeightWord {
    const char* word;
    QFont::Weight weight;
};
constexpr WeightWord kWeightWords[] = {
    {" Semibold", QFont::DemiBold}, {" SemiBold", QFont::DemiBold}, {" Bold", QFont::Bold},
    {" Light", QFont::Light},       {" Medium", QFont::Medium},     {" Regular", QFont::Normal},
};

}  // namespace

MControlFont::MControlFont(QWidget* parent) : MControl(parent) {}

void MControlFont::SetTitle(const QString& title) {
    if (title == m_title) {
        return;
    }
    m_title = title;
    update();
}

void MControlFont::SetFont(int size) {
    m_fontSize = size > 0 ? size : 14;
    update();
}

void MControlFont::SetFontName(const QString& name) {
    m_fontName = name;
    update();
}

void MControlFont::SetFontWidth(int weight) {
    m_fontWeight = weight;
    update();
}

void MControlFont::SetAlignment(int align) {
    m_align = align;
    update();
}

void MControlFont::SetVAlignment(int align) {
    m_valign = align;
    update();
}

QFont MControlFont::ResolveFont(const QString& name, int pixelSize, int weight) {
    QString family = name.isEmpty() ? Manager::FontName() : name;
    QFont::Weight faceWeight = QFont::Normal;
    if (!QFontDatabase::hasFamily(family)) {
        for (const WeightWord& word : kWeightWords) {
            const QString suffix = QString::fromLatin1(word.word);
            if (family.endsWith(suffix)) {
                family.chop(suffix.size());
                faceWeight = word.weight;
                break;
            }
        }
    }
    QFont font(family);
    font.setPixelSize(pixelSize > 0 ? pixelSize : 14);
    font.setWeight(weight > 0 ? QFont::Weight(weight) : faceWeight);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont MControlFont::TitleFont() const {
    return ResolveFont(m_fontName, m_fontSize, m_fontWeight);
}

QFont MControlFont::FittingFont(const QString& text, int width, int minimum) const {
    QFont font = TitleFont();
    for (int size = m_fontSize; size > minimum; --size) {
        // Measured unrounded, as the elision that follows measures it.
        if (QFontMetricsF(font).horizontalAdvance(text) <= width - 0.5) {
            break;
        }
        font.setPixelSize(size - 1);
    }
    return font;
}

Qt::Alignment MControlFont::TitleAlignment() const {
    Qt::Alignment align = m_align == kAlignCenter  ? Qt::AlignHCenter
                          : m_align == kAlignRight ? Qt::AlignRight
                                                   : Qt::AlignLeft;
    align |= (m_valign & kAlignBottom)    ? Qt::AlignBottom
             : (m_valign & kAlignVCenter) ? Qt::AlignVCenter
                                          : Qt::AlignTop;
    return align;
}

QColor MControlFont::TitleColor() const {
    QColor color = Theme::Argb(GetTextColor());
    if (!isEnabled()) {
        color.setAlphaF(color.alphaF() * 0.4);
    }
    return color;
}

void MControlFont::DrawTitle(QPainter& painter, const QRect& area, const QColor& color) const {
    DrawText(painter, area, m_title, color);
}

void MControlFont::DrawText(QPainter& painter, const QRect& area, const QString& text,
                            const QColor& color) const {
    if (text.isEmpty() || area.isEmpty()) {
        return;
    }
    painter.save();
    QFont font = TitleFont();
    painter.setPen(color);
    const Qt::Alignment align = TitleAlignment();
    const bool roomForLines = area.height() >= QFontMetrics(font).lineSpacing() * 2;
    if (roomForLines || text.contains(QLatin1Char('\n'))) {
        // Wrapped text that needs more lines than the area holds (a longer translation) is set
        // smaller, down to 10 pixels, rather than spilling over the area.
        const int flags = int(align) | Qt::TextWordWrap;
        while (font.pixelSize() > 10 &&
               QFontMetrics(font).boundingRect(area, flags, text).height() > area.height()) {
            font.setPixelSize(font.pixelSize() - 1);
        }
        painter.setFont(font);
        painter.setClipRect(area, Qt::IntersectClip);
        painter.drawText(area, flags, text);
    } else {
        painter.setFont(font);
        painter.drawText(area, int(align),
                         QFontMetrics(font).elidedText(text, Qt::ElideRight, area.width()));
    }
    painter.restore();
}

}  // namespace PeliskUI

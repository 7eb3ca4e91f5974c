#pragma once

#include <QFont>
#include <QString>

#include "views/peliskui/MControl.h"

namespace PeliskUI {

// A control that shows a title: text, font face, size, weight and alignment. Sizes are pixel
// heights (titles 18, headings 16, other texts 14). Alignment values are the Windows text flags:
// horizontal 0 left, 1 centred, 2 right; vertical 0 top, 4 centred, 8 bottom.
class MControlFont : public MControl {
    Q_OBJECT
  public:
    explicit MControlFont(QWidget* parent = nullptr);

    virtual void SetTitle(const QString& title);
    const QString& GetTitle() const { return m_title; }

    void SetFont(int size);
    int GetFontSize() const { return m_fontSize; }
    // The face name; empty uses the layer's default (Manager::SetFontName).
    void SetFontName(const QString& name);
    const QString& GetFontName() const { return m_fontName; }
    // Stroke weight on the 100...900 scale (400 regular, 600 semibold, 700 bold); 0 uses the
    // face's own weight.
    void SetFontWidth(int weight);
    void SetAlignment(int align);
    void SetVAlignment(int align);
    int GetAlignment() const { return m_align; }
    int GetVAlignment() const { return m_valign; }

    // The font the title is drawn with.
    QFont TitleFont() const;
    // The title font, made smaller one pixel at a time (not below `minimum`) until `text` fits
    // `width`.
    QFont FittingFont(const QString& text, int width, int minimum) const;
    // Qt alignment flags of the title.
    Qt::Alignment TitleAlignment() const;

    // A font for a face name such as "Open Sans Semibold": the family when it exists, else the
    // family without its weight word at that weight. Fonts that lack a glyph (Chinese, Cyrillic)
    // fall back to the system's fonts.
    static QFont ResolveFont(const QString& name, int pixelSize, int weight = 0);

  protected:
    // Draws the title into `area` with the control's font, alignment and the given colour;
    // text that does not fit is wrapped when the area has room for more lines, else elided.
    void DrawTitle(QPainter& painter, const QRect& area, const QColor& color) const;
    void DrawText(QPainter& painter, const QRect& area, const QString& text,
                  const QColor& color) const;
    // The colour for the title in the current state: the text colour, dimmed when disabled.
    QColor TitleColor() const;

  private:
    QString m_title;
    QString m_fontName;
    int m_fontSize = 14;
    int m_fontWeight = 0;
    int m_align = 0;
    int m_valign = 4;
};

}  // namespace PeliskUI

#pragma once

#include <QPixmap>
#include <QRect>
#include <QString>

class QPainter;

namespace PeliskUI {

// One skin image: a picture file beside the executable, cut into `states` frames of equal width
// laid side by side (normal, hover, pressed, disabled, and for check boxes the same four again
// while checked). Files are read once per name and shared. A missing or unreadable file gives a
// null image; controls then draw their plain fallback.
class SkinImage {
  public:
    // How a frame fills a rectangle that is not its own size.
    enum class Fit {
        NineSlice,  // corners kept, edges and centre stretched (buttons, panels, fields)
        Stretch,    // scaled to the rectangle
        Center,     // natural size, centred (scaled down, keeping proportions, if larger)
    };

    SkinImage() = default;

    // Loads `name`, a path relative to the skin folder ("icon\tab_home.png" and
    // "icon/tab_home.png" name the same file), cut into `states` frames (at least 1). Returns
    // false and leaves the image null when the file cannot be read.
    bool Load(const QString& name, int states = 1);
    void Clear();

    bool IsNull() const { return m_pixmap.isNull(); }
    const QString& Name() const { return m_name; }
    int States() const { return m_states; }
    QSize FrameSize() const;

    // The frame of `state`; a state beyond the last frame uses the last one.
    QPixmap Frame(int state) const;

    // Draws the frame of `state` into `target`. `margin` is the corner size for NineSlice; a
    // negative value picks one from the frame size. Does nothing for a null image.
    void Draw(QPainter& painter, const QRect& target, int state, Fit fit = Fit::NineSlice,
              int margin = -1) const;

    // The whole picture of a skin file, read once and kept; null when missing.
    static QPixmap LoadPixmap(const QString& name);
    // The full path of a skin file name.
    static QString PathOf(const QString& name);
    // Forgets every picture read so far (after the skin folder changed).
    static void ClearCache();

  private:
    QPixmap m_pixmap;
    QString m_name;
    int m_states = 1;
};

}  // namespace PeliskUI

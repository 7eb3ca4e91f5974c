#pragma once

#include <QImage>
#include <QString>
#include <QVector>

namespace skins {

// Writes an animated GIF that loops for ever. Every frame is drawn over `background`; pixels
// of exactly that colour become transparent, the rest are mapped to the nearest colour of a
// palette made of ramps between the background, `accent` and white, which is all an
// anti-aliased drawing in one accent colour needs.
class GifWriter {
  public:
    GifWriter(QColor background, QColor accent);

    void AddFrame(const QImage& frame, int delayMs);
    // Writes the file; false (with nothing or a partial file written) on failure.
    bool Save(const QString& path) const;

  private:
    QVector<QRgb> m_palette;  // 255 colours; index 255 is transparent
    QRgb m_background;
    QVector<QImage> m_frames;
    QVector<int> m_delays;
};

}  // namespace skins

#include "GifWriter.h"

#include <gif_lib.h>

#include <array>
#include <vector>

namespace skins {

namespace {

constexpr int kTransparent = 255;

QRgb Mix(QRgb a, QRgb b, double t) {
    return qRgb(int(qRed(a) + (qRed(b) - qRed(a)) * t + 0.5),
                int(qGreen(a) + (qGreen(b) - qGreen(a)) * t + 0.5),
                int(qBlue(a) + (qBlue(b) - qBlue(a)) * t + 0.5));
}

int Nearest(const QVector<QRgb>& palette, QRgb colour) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < palette.size(); ++i) {
        const long dr = qRed(colour) - qRed(palette[i]);
        const long dg = qGreen(colour) - qGreen(palette[i]);
        const long db = qBlue(colour) - qBlue(palette[i]);
        const long distance = dr * dr * 3 + dg * dg * 4 + db * db * 2;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace

GifWriter::GifWriter(QColor background, QColor accent) : m_background(background.rgb()) {
    const QRgb bg = background.rgb();
    const QRgb ac = accent.rgb();
    const QRgb white = qRgb(255, 255, 255);
    for (int i = 0; i < 150; ++i) {
        m_palette.push_back(Mix(bg, ac, i / 149.0));
    }
    for (int i = 1; i <= 50; ++i) {
        m_palette.push_back(Mix(ac, white, i / 50.0));
    }
    for (int i = 1; i <= 55; ++i) {
        m_palette.push_back(Mix(bg, white, i / 56.0));
    }
}

void GifWriter::AddFrame(const QImage& frame, int delayMs) {
    m_frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
    m_delays.push_back(delayMs);
}

bool GifWriter::Save(const QString& path) const {
    if (m_frames.isEmpty()) {
        return false;
    }
    const int width = m_frames.front().width();
    const int height = m_frames.front().height();
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.toLocal8Bit().constData(), false, &error);
    if (!gif) {
        return false;
    }
    EGifSetGifVersion(gif, true);
    std::array<GifColorType, 256> colours{};
    for (int i = 0; i < m_palette.size(); ++i) {
        colours[i] = {GifByteType(qRed(m_palette[i])), GifByteType(qGreen(m_palette[i])),
                      GifByteType(qBlue(m_palette[i]))};
    }
    colours[kTransparent] = {GifByteType(qRed(m_background)), GifByteType(qGreen(m_background)),
                             GifByteType(qBlue(m_background))};
    ColorMapObject* map = GifMakeMapObject(256, colours.data());
    bool ok = map && EGifPutScreenDesc(gif, width, height, 8, kTransparent, map) == GIF_OK;
    GifFreeMapObject(map);

    // Loop for ever.
    if (ok) {
        const GifByteType loop[] = {1, 0, 0};
        ok = EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE) == GIF_OK &&
             EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0") == GIF_OK &&
             EGifPutExtensionBlock(gif, 3, loop) == GIF_OK &&
             EGifPutExtensionTrailer(gif) == GIF_OK;
    }
    std::vector<GifPixelType> line(size_t(width), 0);
    for (int f = 0; ok && f < m_frames.size(); ++f) {
        GraphicsControlBlock control{};
        control.DisposalMode = DISPOSE_BACKGROUND;
        control.UserInputFlag = false;
        control.DelayTime = std::max(1, m_delays[f] / 10);
        control.TransparentColor = kTransparent;
        GifByteType extension[4];
        EGifGCBToExtension(&control, extension);
        ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, extension) == GIF_OK &&
             EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr) == GIF_OK;
        const QImage& frame = m_frames[f];
        for (int y = 0; ok && y < height; ++y) {
            const auto* pixels = reinterpret_cast<const QRgb*>(frame.constScanLine(y));
            for (int x = 0; x < width; ++x) {
                const QRgb colour = pixels[x] | 0xFF000000u;
                line[size_t(x)] = (colour == (m_background | 0xFF000000u))
                                      ? GifPixelType(kTransparent)
                                      : GifPixelType(Nearest(m_palette, colour));
            }
            ok = EGifPutLine(gif, line.data(), width) == GIF_OK;
        }
    }
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    return ok && closed;
}

}  // namespace skins

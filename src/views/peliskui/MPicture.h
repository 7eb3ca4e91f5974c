#pragma once

#include <QSize>

#include "views/peliskui/MControl.h"

namespace PeliskUI {

// A picture ("MPicture"). Show modes: 0 natural size at the top left, 1 natural size centred,
// 2 filling the rectangle with its corners rounded by `param` pixels, 3 stretched around corners
// of `param` pixels that keep their size (panels); any other mode stretches the picture.
// Without its image it draws the plain shape of its mode.
class MPicture : public MControl {
    Q_OBJECT
  public:
    explicit MPicture(QWidget* parent = nullptr);

    void SetShowMode(int mode, int param = 0);
    int GetShowMode() const { return m_mode; }
    // The picture's own size; empty without an image.
    QSize GetImageSize() const { return m_image.FrameSize(); }
    bool SetImage(const QString& name, int states = 1) override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int m_mode = 0;
    int m_param = 0;
};

}  // namespace PeliskUI

#pragma once

#include "views/peliskui/MControlFont.h"

namespace PeliskUI {

// A button with an icon and a caption ("CIconButton"), such as the record button. The icon
// sits at the left; the caption fills the text rectangle (relative to the button), by default
// the rest of the button. A click reports event 2.
class CIconButton : public MControlFont {
    Q_OBJECT
  public:
    explicit CIconButton(QWidget* parent = nullptr);

    bool SetIconImage(const QString& name, int states = 1);
    void SetTextRect(const MRect& rect);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    SkinImage m_icon;
    MRect m_textRect;
    bool m_hasTextRect = false;
};

}  // namespace PeliskUI

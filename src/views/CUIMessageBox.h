#pragma once

#include <QString>

#include "views/peliskui/MDialog.h"

// The program's message box: a caption, a message and one button (style 0, notices) or two
// buttons (style 4, confirmations). The run ends with 1 when the first button (OK) is pressed
// and 2 when the second (Cancel) is. Any other style shows no button.
class CUIMessageBox : public PeliskUI::MDialog {
  public:
    static constexpr int kStyleOk = 0;
    static constexpr int kStyleOkCancel = 4;

    CUIMessageBox(const QString& caption, const QString& message, int style);

    // Creates a box over `owner` (may be null), runs it modally and returns its end code: 1 for
    // OK, 2 for Cancel. The box is gone when the call returns.
    static int Show(PeliskUI::MWindow* owner, const QString& message, const QString& caption,
                    int style);

    // Creates the box's window, centred on the screen, ready for ShowModal.
    bool CreateBox(PeliskUI::MWindow* owner);

    int Style() const { return m_style; }

  protected:
    void OnInitDialog() override;
    void InitUI() override;
    void UISize(const PeliskUI::MRect& client) override;
    void OnMessage(int id, int event, int64_t param) override;

  private:
    QString m_caption;
    QString m_message;
    int m_style;
};

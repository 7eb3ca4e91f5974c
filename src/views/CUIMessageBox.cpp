#include "views/CUIMessageBox.h"

#include "i18n/LanguageFile.h"
#include "views/peliskui/MButton.h"
#include "views/peliskui/MEvent.h"
#include "views/peliskui/MText.h"
#include "views/peliskui/Theme.h"

using namespace PeliskUI;

namespace {

constexpr int kWidth = 430;
constexpr int kHeight = 230;

enum ControlId { kCaption = 31, kMessage = 32, kFirstButton = 33, kSecondButton = 34 };

QString Text(int key) {
    return QString::fromStdU16String(i18n::LoadText(key));
}

}  // namespace

CUIMessageBox::CUIMessageBox(const QString& caption, const QString& message, int style)
    : m_caption(caption), m_message(message), m_style(style) {}

int CUIMessageBox::Show(MWindow* owner, const QString& message, const QString& caption, int style) {
    CUIMessageBox box(caption, message, style);
    if (!box.CreateBox(owner)) {
        return 0;
    }
    return box.ShowModal(1);
}

bool CUIMessageBox::CreateBox(MWindow* owner) {
    LoadBKImage(QStringLiteral("bk_prompt.png"));
    SetBackMode(1, 30);
    if (!Create(owner, QStringLiteral("MessageBox"),
                kStylePopup | kStyleVisible | kStyleClipSiblings | kStyleClipChildren,
                kExStyleToolWindow, MRect{0, 0, kWidth, kHeight})) {
        return false;
    }
    CenterWindow(nullptr);
    return true;
}

void CUIMessageBox::OnInitDialog() {
    SetLayeredWindow(true);
    SetTopmost(true);
    MDialog::OnInitDialog();
}

void CUIMessageBox::InitUI() {
    const MRect client = GetClientRect();
    const int w = client.Width();
    const int h = client.Height();

    auto* caption = static_cast<MText*>(
        CreateArea(QStringLiteral("MText"), kCaption, {20, 15, w - 20, 45}, m_caption));
    caption->SetFont(16);
    caption->SetAlignment(kAlignCenter);
    caption->SetVAlignment(kAlignVCenter);
    caption->SetTextColor(Theme::kText);

    auto* message = static_cast<MText*>(
        CreateArea(QStringLiteral("MText"), kMessage, {20, 50, w - 20, h - 50}, m_message));
    message->SetFont(16);
    message->SetAlignment(kAlignCenter);
    message->SetVAlignment(kAlignVCenter);
    message->SetTextColor(Theme::kText);

    if (m_style == kStyleOk) {
        auto* ok = static_cast<MButton*>(CreateControl(QStringLiteral("MButton"), kFirstButton,
                                                       {60, h - 50, w - 60, h - 14}, Text(20)));
        ok->SetTextColor(Theme::kText);
        ok->SetImage(QStringLiteral("img_button.png"), 4);
        ok->SetFont(16);
    } else if (m_style == kStyleOkCancel) {
        auto* ok = static_cast<MButton*>(CreateControl(QStringLiteral("MButton"), kFirstButton,
                                                       {w / 2 - 120, h - 50, w / 2 - 20, h - 14},
                                                       Text(23)));
        ok->SetTextColor(Theme::kTextBright);
        ok->SetImage(QStringLiteral("img_button.png"), 4);
        ok->SetFont(16);
        auto* cancel = static_cast<MButton*>(
            CreateControl(QStringLiteral("MButton"), kSecondButton,
                          {w / 2 + 20, h - 50, w / 2 + 120, h - 14}, Text(25)));
        cancel->SetTextColor(Theme::kTextBright);
        cancel->SetImage(QStringLiteral("img_button.png"), 4);
        cancel->SetFont(16);
    }
}

void CUIMessageBox::UISize(const MRect&) {
    // The box is never resized; its controls keep the places InitUI gave them.
}

void CUIMessageBox::OnMessage(int id, int event, int64_t) {
    if (event != kEventClick) {
        return;
    }
    if (id == kFirstButton) {
        DoOK();
    } else if (id == kSecondButton) {
        DoCancel();
    }
}

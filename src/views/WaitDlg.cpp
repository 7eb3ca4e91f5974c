#include "views/WaitDlg.h"

#include "views/peliskui/CGifPicture.h"

using namespace PeliskUI;

namespace {
constexpr int kPictureId = 30;
constexpr uint32_t kBackground = 0xF2333333;
}  // namespace

bool WaitDlg::CreateOver(MWindow* owner) {
    MRect rect{0, 0, kSize, kSize};
    const MRect area = owner ? owner->GetWindowRect() : MRect{};
    if (area.Width() > 0) {
        rect.left = area.left + (area.Width() - kSize) / 2;
        rect.top = area.top + (area.Height() - kSize) / 2;
        rect.right = rect.left + kSize;
        rect.bottom = rect.top + kSize;
    }
    if (!Create(owner, QStringLiteral("WaitDlg"),
                kStylePopup | kStyleVisible | kStyleClipSiblings | kStyleClipChildren,
                kExStyleToolWindow, rect)) {
        return false;
    }
    if (area.Width() <= 0) {
        CenterWindow(nullptr);
    }
    return true;
}

int WaitDlg::Run(MWindow* owner) {
    if (!CreateOver(owner)) {
        return 0;
    }
    return ShowModal(1);
}

void WaitDlg::OnInitDialog() {
    SetLayeredWindow(true);
    SetBKColor(kBackground);
    SetTopmost(true);
    EnableWndDrag(true);
    SetMTimer(10);
    MDialog::OnInitDialog();
}

void WaitDlg::InitUI() {
    auto* picture = static_cast<CGifPicture*>(
        CreateArea(QStringLiteral("CGifPicture"), kPictureId, {1, 1, 101, 101}, QString()));
    picture->SetImage(QStringLiteral("loading.gif"));
    picture->SetRunState(true);
    picture->AddMTimer(10);
}

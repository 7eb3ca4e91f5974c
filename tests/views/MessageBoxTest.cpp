// The message box's buttons per style and its end codes; the wait dialog's window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <thread>

#include "i18n/Language.h"
#include "i18n/LanguageFile.h"
#include "views/CUIMessageBox.h"
#include "views/WaitDlg.h"
#include "views/peliskui/CGifPicture.h"
#include "views/peliskui/MButton.h"
#include "views/peliskui/MText.h"

using namespace PeliskUI;

namespace {

QString Text(int key) {
    return QString::fromStdU16String(i18n::LoadText(key));
}

// The buttons of the message box that is open now, by identifier.
std::map<int, MButton*> OpenBoxButtons() {
    std::map<int, MButton*> buttons;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->isVisible() && top->windowTitle() == QStringLiteral("MessageBox")) {
            for (MButton* button : top->findChildren<MButton*>()) {
                buttons[button->GetID()] = button;
            }
        }
    }
    return buttons;
}

}  // namespace

TEST(MessageBox, ButtonsPerStyleAndTheirEndCodes) {
    i18n::SetCurrentLanguage(i18n::kEnglish);
    struct Case {
        int style;
        std::vector<int> buttons;
        int press;
        int result;
    };
    const Case cases[] = {
        {0, {33}, 33, kEndOK},
        {4, {33, 34}, 33, kEndOK},
        {4, {33, 34}, 34, kEndCancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "style " << c.style << " press " << c.press);
        std::vector<int> seen;
        QTimer::singleShot(0, qApp, [&] {
            const auto buttons = OpenBoxButtons();
            for (const auto& [id, button] : buttons) {
                seen.push_back(id);
            }
            if (buttons.count(c.press)) {
                QTest::mouseClick(buttons.at(c.press), Qt::LeftButton);
            }
        });
        EXPECT_EQ(CUIMessageBox::Show(nullptr, QStringLiteral("message"), QStringLiteral("caption"),
                                      c.style),
                  c.result);
        EXPECT_EQ(seen, c.buttons);
        EXPECT_TRUE(OpenBoxButtons().empty());  // the box is gone
    }
}

TEST(MessageBox, WindowTextsAndButtonCaptions) {
    i18n::SetCurrentLanguage(i18n::kEnglish);
    for (int style : {0, 4, 7}) {
        SCOPED_TRACE(style);
        CUIMessageBox box(QStringLiteral("Restore defaults"), QStringLiteral("Restore?"), style);
        ASSERT_TRUE(box.CreateBox(nullptr));
        QWidget* window = box.GetSafeHwnd();
        EXPECT_EQ(window->size(), QSize(430, 230));
        EXPECT_EQ(window->windowTitle(), QStringLiteral("MessageBox"));
        EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
        EXPECT_EQ((window->windowFlags() & Qt::WindowType_Mask), Qt::Tool);
        EXPECT_TRUE(window->testAttribute(Qt::WA_TranslucentBackground));
        EXPECT_EQ(box.GetControlAs<MText>(31)->GetTitle(), QStringLiteral("Restore defaults"));
        EXPECT_EQ(box.GetControlAs<MText>(32)->GetTitle(), QStringLiteral("Restore?"));
        EXPECT_EQ(box.GetControl(32)->GetRect(), (MRect{20, 50, 410, 180}));
        auto* first = box.GetControlAs<MButton>(33);
        auto* second = box.GetControlAs<MButton>(34);
        if (style == 0) {
            ASSERT_NE(first, nullptr);
            EXPECT_EQ(first->GetTitle(), Text(20));
            EXPECT_EQ(first->GetRect(), (MRect{60, 180, 370, 216}));
            EXPECT_EQ(second, nullptr);
        } else if (style == 4) {
            ASSERT_NE(second, nullptr);
            EXPECT_EQ(first->GetTitle(), Text(23));
            EXPECT_EQ(second->GetTitle(), Text(25));
            EXPECT_EQ(first->GetRect(), (MRect{95, 180, 195, 216}));
            EXPECT_EQ(second->GetRect(), (MRect{235, 180, 335, 216}));
        } else {
            EXPECT_EQ(first, nullptr);  // any other style has no button
            EXPECT_EQ(second, nullptr);
        }
    }
}

TEST(WaitDialog, CentredOverItsOwnerAnimatedAndEndedByTheWorker) {
    CUIMessageBox owner(QString(), QString(), 0);  // any window serves as owner
    ASSERT_TRUE(owner.CreateBox(nullptr));
    owner.GetSafeHwnd()->move(100, 200);
    owner.GetSafeHwnd()->show();

    WaitDlg dialog;
    ASSERT_TRUE(dialog.CreateOver(&owner));
    const QRect area = owner.GetSafeHwnd()->frameGeometry();
    EXPECT_EQ(dialog.GetSafeHwnd()->geometry(),
              QRect(area.left() + (area.width() - 102) / 2, area.top() + (area.height() - 102) / 2,
                    102, 102));
    EXPECT_EQ(dialog.GetSafeHwnd()->windowTitle(), QStringLiteral("WaitDlg"));
    EXPECT_TRUE(dialog.GetSafeHwnd()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(dialog.IsWndDragEnabled());
    auto* picture = dialog.GetControlAs<CGifPicture>(30);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetRect(), (MRect{1, 1, 101, 101}));
    EXPECT_GT(picture->FrameCount(), 1);
    EXPECT_TRUE(picture->GetRunState());

    std::thread worker;
    int framesSeen = -1;
    QTimer::singleShot(0, qApp, [&] {
        const int start = picture->CurrentFrame();
        QTimer::singleShot(0, qApp, [&, start] {
            QTRY_VERIFY(picture->CurrentFrame() != start);  // the control's timer animates it
            framesSeen = picture->CurrentFrame();
            worker = std::thread([&] { dialog.DoOK(); });
        });
    });
    EXPECT_EQ(dialog.ShowModal(1), kEndOK);
    worker.join();
    EXPECT_GE(framesSeen, 0);
}

// The box and the wait dialog draw their own bodies (they are see-through windows); written out
// for a look when VARNETH_VIEWS_GALLERY names a folder.
TEST(MessageBox, BoxAndWaitDialogDrawTheirBodies) {
    i18n::SetCurrentLanguage(i18n::kEnglish);
    CUIMessageBox box(Text(201), Text(200), 4);
    ASSERT_TRUE(box.CreateBox(nullptr));
    box.GetSafeHwnd()->show();
    const QImage boxPicture = box.GetSafeHwnd()->grab().toImage();
    WaitDlg wait;
    ASSERT_TRUE(wait.CreateOver(nullptr));
    wait.GetSafeHwnd()->show();
    const QImage waitPicture = wait.GetSafeHwnd()->grab().toImage();
    // Opaque in the middle, see-through at the rounded corners.
    for (const QImage& picture : {boxPicture, waitPicture}) {
        EXPECT_GE(picture.pixelColor(picture.width() / 2, picture.height() / 2).alpha(), 230);
        EXPECT_LT(picture.pixelColor(0, 0).alpha(), 128);
    }
    if (const char* folder = std::getenv("VARNETH_VIEWS_GALLERY")) {
        boxPicture.save(QString::fromLocal8Bit(folder) + QStringLiteral("/messagebox.png"));
        waitPicture.save(QString::fromLocal8Bit(folder) + QStringLiteral("/wait.png"));
    }
}

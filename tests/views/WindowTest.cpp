// Modal runs, window messages from other threads, groups, containers and the overlay message.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <thread>

#include "RecordingWindow.h"
#include "views/peliskui/CRadioButton.h"
#include "views/peliskui/ColorButtonEx.h"
#include "views/peliskui/DPIControl.h"
#include "views/peliskui/MEvent.h"
#include "views/peliskui/MTabLayout.h"

using namespace PeliskUI;

TEST(ModalRun, EndCodesOfOkAndCancel) {
    struct Case {
        void (MWindow::*end)();
        int code;
    };
    for (const Case& c : {Case{&MWindow::DoOK, kEndOK}, Case{&MWindow::DoCancel, kEndCancel}}) {
        RecordingWindow window;
        window.CreateShown();
        QTimer::singleShot(0, window.GetSafeHwnd(), [&] {
            EXPECT_TRUE(window.IsInModalLoop());
            (window.*c.end)();
        });
        EXPECT_EQ(window.ShowModal(1), c.code);
        EXPECT_FALSE(window.IsInModalLoop());
        EXPECT_FALSE(window.GetSafeHwnd()->isVisible());
        EXPECT_EQ(window.destroyed, 1);
    }
}

TEST(ModalRun, EndedFromAnotherThread) {
    RecordingWindow window;
    window.CreateShown();
    std::thread worker;
    QTimer::singleShot(0, window.GetSafeHwnd(),
                       [&] { worker = std::thread([&] { window.DoOK(); }); });
    EXPECT_EQ(window.ShowModal(1), kEndOK);
    worker.join();
}

TEST(ModalRun, AnEndBeforeTheRunEndsItAtOnce) {
    RecordingWindow window;
    window.CreateShown();
    window.DoCancel();
    EXPECT_EQ(window.ShowModal(1), kEndCancel);
    // The early end is used once: a later run waits for its own end.
    QTimer::singleShot(0, window.GetSafeHwnd(), [&] { window.DoOK(); });
    EXPECT_EQ(window.ShowModal(1), kEndOK);
}

TEST(ModalRun, WindowDeletedDuringItsRunReturnsWithoutTouchingIt) {
    auto* window = new RecordingWindow;
    window->CreateShown();
    QTimer::singleShot(0, qApp, [window] { delete window; });
    EXPECT_EQ(window->ShowModal(1), kEndCancel);
}

TEST(ModalRun, NestedRunsEndInnerFirst) {
    RecordingWindow outer;
    outer.CreateShown();
    RecordingWindow inner;
    ASSERT_TRUE(inner.Create(&outer, QStringLiteral("inner"), kStylePopup, kExStyleToolWindow,
                             {0, 0, 100, 100}));
    int innerCode = -1;
    QTimer::singleShot(0, qApp, [&] {
        QTimer::singleShot(0, qApp, [&] { inner.DoOK(); });
        innerCode = inner.ShowModal(1);
        outer.DoCancel();
    });
    EXPECT_EQ(outer.ShowModal(1), kEndCancel);
    EXPECT_EQ(innerCode, kEndOK);
    EXPECT_EQ(inner.GetSafeHwnd()->windowModality(), Qt::ApplicationModal);
}

TEST(WindowMessages, PostedFromAnotherThreadArriveInOrderOnTheUiThread) {
    RecordingWindow window;
    window.CreateShown();
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i) {
            window.PostWindowMessage(0x06B2, 0, i);
        }
    });
    worker.join();
    QTRY_COMPARE(window.messages.size(), size_t(3));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window.messages[i], (RecordingWindow::Message{0x06B2, 0, i}));
    }
}

TEST(WindowMessages, MessagesToADeletedWindowAreDropped) {
    auto* window = new RecordingWindow;
    window->CreateShown();
    window->PostWindowMessage(0x07E6, 0, 0);
    delete window;
    QCoreApplication::processEvents();  // must not reach the deleted window
    SUCCEED();
}

TEST(WindowTimer, TicksReachOnTimerUntilKilled) {
    RecordingWindow window;
    window.CreateShown();
    window.SetMTimer(5);
    QTRY_VERIFY(window.timerTicks >= 2);
    window.KillMTimer();
    const int ticks = window.timerTicks;
    QTest::qWait(30);
    EXPECT_EQ(window.timerTicks, ticks);
}

// Options with the same group name keep one checked member across the whole window, also when
// they sit on different pages; other groups are independent.
TEST(Groups, OneCheckedPerGroup) {
    RecordingWindow window;
    std::vector<MCheckable*> rates;
    std::vector<MCheckable*> scroll;
    std::vector<MCheckable*> stages;
    window.build = [&](RecordingWindow& w) {
        auto* page = static_cast<MTabLayout*>(
            w.CreateControl(QStringLiteral("MTabLayout"), 47, {0, 100, 600, 400}, QString()));
        for (int i = 0; i < 4; ++i) {
            auto* rate = static_cast<ColorButtonEx*>(
                page->CreateControl(QStringLiteral("ColorButtonEx"), 114 + i,
                                    {10 + 90 * i, 110, 90 + 90 * i, 138}, QString()));
            rate->SetGroupName(QStringLiteral("REPORTRATE"));
            rates.push_back(rate);
        }
        for (int i = 0; i < 2; ++i) {
            auto* option = static_cast<CRadioButton*>(
                w.CreateControl(QStringLiteral("CRadioButton"), 141 + i,
                                {10 + 120 * i, 10, 120 + 120 * i, 40}, QString()));
            option->SetGroupName(QStringLiteral("IDC_SYS_STC_SROLL"));
            scroll.push_back(option);
        }
        for (int i = 0; i < 3; ++i) {
            auto* stage = static_cast<DPIControl*>(
                page->CreateControl(QStringLiteral("DPIControl"), 101 + i,
                                    {10 + 110 * i, 150, 110 + 110 * i, 250}, QString()));
            stage->SetGroupName(QStringLiteral("MOUSE_DPICTRL"));
            stages.push_back(stage);
        }
    };
    window.CreateShown();
    const auto checked = [](const std::vector<MCheckable*>& group) {
        std::vector<int> ids;
        for (MCheckable* member : group) {
            if (member->GetCheck()) {
                ids.push_back(member->GetID());
            }
        }
        return ids;
    };
    rates[0]->SetCheck(true);
    scroll[0]->SetCheck(true);
    stages[2]->SetCheck(true);
    QTest::mouseClick(rates[3], Qt::LeftButton, {}, rates[3]->rect().center());
    EXPECT_EQ(checked(rates), std::vector<int>{117});
    EXPECT_EQ(checked(scroll), std::vector<int>{141});
    rates[1]->SetCheck(true);
    EXPECT_EQ(checked(rates), std::vector<int>{115});
    QTest::mouseClick(scroll[1], Qt::LeftButton, {}, scroll[1]->rect().center());
    EXPECT_EQ(checked(scroll), std::vector<int>{142});
    QTest::mouseClick(stages[0], Qt::LeftButton, {}, stages[0]->rect().center());
    EXPECT_EQ(checked(stages), std::vector<int>{101});
    EXPECT_EQ(checked(rates), std::vector<int>{115});
    // Unchecking from code leaves the group without a checked member.
    stages[0]->SetCheck(false);
    EXPECT_TRUE(checked(stages).empty());
}

TEST(Containers, ChildRectanglesStayInWindowCoordinatesWhenThePageMoves) {
    RecordingWindow window;
    MTabLayout* page = nullptr;
    MControl* child = nullptr;
    window.build = [&](RecordingWindow& w) {
        page = static_cast<MTabLayout*>(
            w.CreateControl(QStringLiteral("MTabLayout"), 46, {1, 110, 599, 350}, QString()));
        child = page->CreateControl(QStringLiteral("MButton"), 88, {20, 120, 120, 150}, QString());
    };
    window.CreateShown();
    EXPECT_EQ(child->mapTo(window.GetSafeHwnd(), QPoint(0, 0)), QPoint(20, 120));
    page->SetRect({5, 130, 599, 390});
    EXPECT_EQ(child->mapTo(window.GetSafeHwnd(), QPoint(0, 0)), QPoint(20, 120));
    EXPECT_EQ(child->size(), QSize(100, 30));
    // Events of page children reach the window.
    QTest::mouseClick(child, Qt::LeftButton, {}, child->rect().center());
    EXPECT_EQ(window.events, (std::vector<RecordingWindow::Event>{{88, kEventClick, 0}}));
}

TEST(Overlay, MessageShowsAboveControlsAndGoesWithEmptyText) {
    RecordingWindow window;
    window.build = [](RecordingWindow& w) {
        w.CreateControl(QStringLiteral("MButton"), 1, {0, 0, 600, 400}, QString());
    };
    window.CreateShown();
    window.SetMessage(QStringLiteral("Over Bluetooth..."), {125, 200, 475, 280}, 16);
    EXPECT_EQ(window.GetMessage(), QStringLiteral("Over Bluetooth..."));
    QWidget* top = window.GetSafeHwnd()->childAt(300, 240);
    ASSERT_NE(top, nullptr);
    // The overlay lets the mouse through: the control below is what a click reaches.
    EXPECT_EQ(top, window.GetControl(1));
    window.SetMessage(QString(), {125, 200, 475, 280}, 16);
    EXPECT_TRUE(window.GetMessage().isEmpty());
}

TEST(WindowGeometry, ClientRectResizeAndScreenMapping) {
    RecordingWindow window;
    window.CreateShown();
    ASSERT_FALSE(window.sizes.empty());
    EXPECT_EQ(window.sizes.front(), (MRect{0, 0, 600, 400}));
    window.GetSafeHwnd()->resize(800, 500);
    QTRY_VERIFY(window.sizes.back() == (MRect{0, 0, 800, 500}));
    EXPECT_EQ(window.ClientToScreen({10, 20}), window.GetSafeHwnd()->mapToGlobal(QPoint(10, 20)));
}

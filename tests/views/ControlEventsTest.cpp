// Controls created by kind report the events the views rely on to the window's OnMessage.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "RecordingWindow.h"
#include "views/peliskui/CCheckButton.h"
#include "views/peliskui/CRadioButton.h"
#include "views/peliskui/CRecordList.h"
#include "views/peliskui/CSwitchButton.h"
#include "views/peliskui/ColorButtonEx.h"
#include "views/peliskui/ControlFactory.h"
#include "views/peliskui/DPIControl.h"
#include "views/peliskui/DPISlider.h"
#include "views/peliskui/MComboBox.h"
#include "views/peliskui/MEdit.h"
#include "views/peliskui/MEvent.h"
#include "views/peliskui/MTabCtrl.h"
#include "views/peliskui/MTabLayout.h"
#include "views/peliskui/MacroList.h"
#include "views/peliskui/MenuWnd.h"
#include "views/peliskui/NumberEdit.h"

using namespace PeliskUI;
using Event = RecordingWindow::Event;

namespace {

constexpr int kId = 77;

// A shown window holding one control of `kind`, made with CreateControl.
struct OneControl {
    RecordingWindow window;
    MControl* control = nullptr;

    explicit OneControl(const QString& kind, MRect rect = {20, 20, 220, 60}) {
        window.build = [&, kind, rect](RecordingWindow& w) {
            control = w.CreateControl(kind, kId, rect, QStringLiteral("caption"));
        };
        window.CreateShown();
        QApplication::setActiveWindow(window.GetSafeHwnd());
    }
    template <class T>
    T* As() const {
        return qobject_cast<T*>(control);
    }
};

void ClickCentre(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

}  // namespace

TEST(ControlFactory, EveryKindIsCreatedWithItsIdRectangleTitleAndState) {
    for (const QString& kind : ControlFactory::Kinds()) {
        SCOPED_TRACE(kind.toStdString());
        RecordingWindow window;
        MControl* visible = nullptr;
        MControl* hidden = nullptr;
        window.build = [&](RecordingWindow& w) {
            visible = w.CreateControl(kind, 5, {10, 20, 110, 60}, QStringLiteral("t"), true, true);
            hidden = w.CreateArea(kind, 6, {0, 0, 10, 10}, QString(), false, false);
        };
        ASSERT_TRUE(window.CreateShown());
        ASSERT_NE(visible, nullptr);
        EXPECT_EQ(visible->Kind(), kind);
        EXPECT_EQ(window.GetControl(5), visible);
        EXPECT_EQ(visible->geometry(), QRect(10, 20, 100, 40));
        EXPECT_TRUE(visible->isVisible());
        EXPECT_TRUE(visible->GetEnabled());
        EXPECT_TRUE(visible->Notifies());
        EXPECT_FALSE(hidden->GetVisible());
        EXPECT_FALSE(hidden->GetEnabled());
        EXPECT_FALSE(hidden->Notifies());
    }
}

TEST(ControlFactory, UnknownKindsAndMissingIdsGiveNull) {
    RecordingWindow window;
    MControl* unknown = reinterpret_cast<MControl*>(1);
    window.build = [&](RecordingWindow& w) {
        unknown = w.CreateControl(QStringLiteral("NoSuchKind"), 9, {}, QString());
    };
    window.CreateShown();
    EXPECT_EQ(unknown, nullptr);
    EXPECT_EQ(window.GetControl(9), nullptr);
    RecordingWindow notCreated;
    EXPECT_EQ(notCreated.CreateControl(QStringLiteral("MText"), 1, {}, QString()), nullptr);
}

TEST(ControlFactory, DuplicateIdsFindTheFirstControl) {
    RecordingWindow window;
    MControl* first = nullptr;
    window.build = [&](RecordingWindow& w) {
        first = w.CreateArea(QStringLiteral("CRoundArea"), 110, {}, QString());
        w.CreateArea(QStringLiteral("CRoundArea"), 110, {}, QString());
    };
    window.CreateShown();
    EXPECT_EQ(window.GetControl(110), first);
}

// A click on each clickable kind reports event 2; the same kind made as an area reports nothing.
TEST(ControlEvents, ClicksReportEventTwoOnlyFromControls) {
    const char* kinds[] = {"MButton",       "CImageButton", "CIconButton",   "CRadioButton",
                           "ColorButtonEx", "CCheckButton", "CSwitchButton", "DPIControl"};
    for (const char* kind : kinds) {
        SCOPED_TRACE(kind);
        OneControl one(QString::fromLatin1(kind));
        ClickCentre(one.control);
        ASSERT_EQ(one.window.events.size(), 1u);
        EXPECT_EQ(one.window.events[0].id, kId);
        EXPECT_EQ(one.window.events[0].event, kEventClick);

        RecordingWindow areaWindow;
        MControl* area = nullptr;
        areaWindow.build = [&](RecordingWindow& w) {
            area = w.CreateArea(QString::fromLatin1(kind), kId, {20, 20, 220, 60}, QString());
        };
        areaWindow.CreateShown();
        ClickCentre(area);
        EXPECT_TRUE(areaWindow.events.empty());
    }
}

TEST(ControlEvents, DisabledControlsAndReleasesOutsideReportNothing) {
    OneControl one(QStringLiteral("MButton"));
    one.control->SetEnabled(false);
    ClickCentre(one.control);
    EXPECT_TRUE(one.window.events.empty());

    one.control->SetEnabled(true);
    QTest::mousePress(one.control, Qt::LeftButton, {}, one.control->rect().center());
    QTest::mouseRelease(one.control, Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_TRUE(one.window.events.empty());
}

TEST(ControlEvents, CheckBoxAndSwitchToggleWhileOptionsStayChecked) {
    for (const char* kind : {"CCheckButton", "CSwitchButton"}) {
        SCOPED_TRACE(kind);
        OneControl one(QString::fromLatin1(kind));
        auto* box = one.As<MCheckable>();
        ClickCentre(box);
        EXPECT_TRUE(box->GetCheck());
        ClickCentre(box);
        EXPECT_FALSE(box->GetCheck());
        EXPECT_EQ(one.window.events.size(), 2u);
    }
    OneControl option(QStringLiteral("CRadioButton"));
    ClickCentre(option.control);
    ClickCentre(option.control);
    EXPECT_TRUE(option.As<CRadioButton>()->GetCheck());
}

TEST(ControlEvents, ComboBoxReportsTheChosenIndexAndKeepsItemData) {
    OneControl one(QStringLiteral("MComboBox"));
    auto* combo = one.As<MComboBox>();
    combo->AddItem(QStringLiteral("off"), 0);
    combo->AddItem(QStringLiteral("breathing"), 3);
    combo->AddItem(QStringLiteral("wave"), 6);
    EXPECT_TRUE(combo->SelectData(6));
    EXPECT_EQ(combo->GetCurSel(), 2);
    EXPECT_EQ(combo->GetTitle(), QStringLiteral("wave"));
    EXPECT_FALSE(combo->SelectData(42));  // the selection stays
    EXPECT_EQ(combo->GetCurData(), 6);
    EXPECT_TRUE(one.window.events.empty());  // selecting from code reports nothing

    ClickCentre(combo);  // opens the list
    ASSERT_TRUE(combo->IsDroppedDown());
    combo->ChooseItem(1);
    EXPECT_FALSE(combo->IsDroppedDown());
    EXPECT_EQ(one.window.events, (std::vector<Event>{{kId, kEventClick, 1}}));
    EXPECT_EQ(combo->GetCurData(), 3);

    // The shown text can differ from the item's caption; renaming the item shows the new one.
    combo->SetTitle(QStringLiteral("custom text"));
    EXPECT_EQ(combo->GetTitle(), QStringLiteral("custom text"));
    combo->SetItemText(1, QStringLiteral("breath"));
    EXPECT_EQ(combo->GetTitle(), QStringLiteral("breath"));
    combo->DelAllItems();
    EXPECT_EQ(combo->GetCurData(), 0);
    EXPECT_EQ(combo->GetCurSel(), -1);
}

TEST(ControlEvents, EditReportsActivatedEditingAndFinished) {
    OneControl one(QStringLiteral("MEdit"));
    auto* edit = one.As<MEdit>();
    edit->SetTitle(QStringLiteral("10"));
    EXPECT_TRUE(one.window.events.empty());  // text set by code reports nothing
    edit->BeginEdit();
    QTRY_VERIFY(edit->HasEditFocus());
    edit->LineEdit()->selectAll();
    QTest::keyClicks(edit->LineEdit(), QStringLiteral("25"));
    QTest::keyClick(edit->LineEdit(), Qt::Key_Return);
    const std::vector<Event> expected = {{kId, kEventEditBegin, 0},
                                         {kId, kEventEditing, 0},
                                         {kId, kEventEditing, 0},
                                         {kId, kEventEditEnd, 0}};
    EXPECT_EQ(one.window.events, expected);
    EXPECT_EQ(edit->GetEditText(), QStringLiteral("25"));
    EXPECT_EQ(edit->GetTitle(), QStringLiteral("25"));

    // Leaving the field after Enter does not finish the same edit twice.
    edit->LineEdit()->clearFocus();
    EXPECT_EQ(one.window.events.size(), expected.size());
}

TEST(ControlEvents, NumberEditStepsWithinItsRangeAndReportsEventTwo) {
    OneControl one(QStringLiteral("NumberEdit"), {20, 20, 120, 50});
    auto* number = one.As<NumberEdit>();
    number->SetRange(0, 20);
    number->SetValue(20);
    number->Step(+1);
    EXPECT_EQ(number->GetValue(), 20);
    number->Step(-1);
    EXPECT_EQ(number->GetValue(), 19);
    EXPECT_EQ(one.window.events,
              (std::vector<Event>{{kId, kEventClick, 0}, {kId, kEventClick, 0}}));
    number->SetTitle(QStringLiteral("abc"));
    EXPECT_EQ(number->GetValue(), 0);  // not a number reads as 0
}

TEST(ControlEvents, DpiStageEditsItsValueInPlace) {
    OneControl one(QStringLiteral("DPIControl"), {20, 20, 120, 120});
    auto* stage = one.As<DPIControl>();
    stage->SetValue(800);
    stage->BeginEdit();  // value editing is off: nothing happens
    EXPECT_FALSE(stage->IsEditing());

    stage->SetEditable(true);
    // A double click as the system delivers it: press, release, double click, release.
    QTest::mouseClick(stage, Qt::LeftButton, {}, stage->rect().center());
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, QPointF(stage->rect().center()),
                            stage->mapToGlobal(QPointF(stage->rect().center())), Qt::LeftButton,
                            Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(stage, &doubleClick);
    QTest::mouseRelease(stage, Qt::LeftButton, {}, stage->rect().center());
    ASSERT_TRUE(stage->IsEditing());
    stage->Editor()->selectAll();
    QTest::keyClicks(stage->Editor(), QStringLiteral("1250"));
    EXPECT_EQ(stage->GetValue(), 1250);  // the typed number, while editing
    stage->SetValue(12000);              // a view limiting the shown value
    EXPECT_EQ(stage->Editor()->text(), QStringLiteral("12000"));
    QTest::keyClick(stage->Editor(), Qt::Key_Return);
    EXPECT_FALSE(stage->IsEditing());
    EXPECT_EQ(stage->GetValue(), 12000);
    ASSERT_GE(one.window.events.size(), 4u);
    EXPECT_EQ(one.window.events.front().event, kEventClick);  // the first click of the double click
    EXPECT_EQ(one.window.events[1].event, kEventEditBegin);
    EXPECT_EQ(one.window.events[2].event, kEventEditing);
    EXPECT_EQ(one.window.events.back().event, kEventEditEnd);

    // Escape puts the old value back and still ends the edit.
    stage->BeginEdit();
    QTest::keyClicks(stage->Editor(), QStringLiteral("9"));
    QTest::keyClick(stage->Editor(), Qt::Key_Escape);
    EXPECT_EQ(stage->GetValue(), 12000);
    EXPECT_EQ(one.window.events.back().event, kEventEditEnd);
}

TEST(ControlEvents, SliderReportsPositionsWhileDraggingAndTwoOnRelease) {
    OneControl one(QStringLiteral("DPISlider"), {0, 20, 600, 100});
    auto* slider = one.As<DPISlider>();
    slider->SetPos(500);  // limited to the range
    EXPECT_EQ(slider->GetPos(), 120);
    slider->SetPos(1);
    EXPECT_EQ(slider->GetPos(), 2);

    QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(34, 30));
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 30), slider->mapToGlobal(QPointF(300, 30)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(slider, &move);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(2000, 30));
    ASSERT_GE(one.window.events.size(), 3u);
    EXPECT_EQ(one.window.events.front(), (Event{kId, kEventEditing, 2}));
    EXPECT_EQ(one.window.events[1].event, kEventEditing);
    EXPECT_GT(one.window.events[1].param, 2);
    EXPECT_EQ(one.window.events.back(), (Event{kId, kEventClick, slider->GetPos()}));
}

TEST(ControlEvents, TabStripShowsTheChosenPageAndIgnoresClicksWhileDisabled) {
    RecordingWindow window;
    MTabCtrl* strip = nullptr;
    MTabLayout* pages[3] = {};
    window.build = [&](RecordingWindow& w) {
        strip = static_cast<MTabCtrl*>(
            w.CreateControl(QStringLiteral("MTabCtrl"), 45, {20, 40, 380, 100}, QString()));
        for (int i = 0; i < 3; ++i) {
            pages[i] = static_cast<MTabLayout*>(w.CreateControl(
                QStringLiteral("MTabLayout"), 46 + i, {1, 110, 599, 350}, QString()));
            strip->InsertItem(i == 2 ? 6 : i + 1, QStringLiteral("tab"),
                              QStringLiteral("icon\\tab_home.png"), pages[i]);
        }
    };
    window.CreateShown();
    strip->SetSelectItem(0);
    EXPECT_TRUE(pages[0]->isVisible());
    EXPECT_FALSE(pages[1]->isVisible());

    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ItemRect(2).center());
    EXPECT_EQ(window.events, (std::vector<Event>{{45, kEventClick, 2}}));
    EXPECT_EQ(strip->GetItemID(2), 6);
    EXPECT_TRUE(pages[2]->isVisible());
    EXPECT_FALSE(pages[0]->isVisible());

    strip->SetEnabled(false);
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->ItemRect(1).center());
    EXPECT_EQ(window.events.size(), 1u);
    EXPECT_EQ(strip->GetSelectItem(), 2);
    EXPECT_EQ(strip->GetItemID(9), -1);
}

TEST(ControlEvents, MacroListSelectsAsksForRowMenusAndRenamesInPlace) {
    OneControl one(QStringLiteral("MacroList"), {20, 20, 320, 420});
    auto* list = one.As<MacroList>();
    list->SetMoreImage(QStringLiteral("btn_more.png"));
    list->AddItem(QStringLiteral("Custom 1"), 11);
    list->AddItem(QStringLiteral("Custom 2"), 12);

    QTest::mouseClick(list, Qt::LeftButton, {}, list->RowRect(1).center() - QPoint(60, 0));
    EXPECT_EQ(one.window.events, (std::vector<Event>{{kId, kEventClick, 1}}));
    EXPECT_EQ(list->GetCurSel(), 1);

    one.window.events.clear();
    QTest::mouseClick(list, Qt::LeftButton, {}, list->MoreRect(0).center());
    EXPECT_EQ(one.window.events,
              (std::vector<Event>{{kId, kEventClick, 0}, {kId, kEventRowMenu, 0}}));

    one.window.events.clear();
    list->BeginRename(1);
    ASSERT_TRUE(list->IsRenaming());
    list->Editor()->setText(QStringLiteral("Sniper"));
    QTest::keyClick(list->Editor(), Qt::Key_Return);
    EXPECT_EQ(one.window.events, (std::vector<Event>{{kId, kEventEditEnd, 1}}));
    EXPECT_EQ(list->GetItemText(1), QStringLiteral("Sniper"));

    // Escape ends the edit without an event and keeps the name.
    list->BeginRename(0);
    list->Editor()->setText(QStringLiteral("Other"));
    QTest::keyClick(list->Editor(), Qt::Key_Escape);
    EXPECT_EQ(one.window.events.size(), 1u);
    EXPECT_EQ(list->GetItemText(0), QStringLiteral("Custom 1"));

    list->SetCurSel(1);
    EXPECT_TRUE(list->DeleteItem(0));
    EXPECT_EQ(list->GetCurSel(), 0);  // the selected row moved up with the rows
    EXPECT_EQ(list->GetItemData(0), 12);
    EXPECT_EQ(list->FindData(11), -1);
}

TEST(ControlEvents, RecordListKeepsRowsAndSelectionThroughEdits) {
    OneControl one(QStringLiteral("CRecordList"), {20, 20, 380, 400});
    auto* list = one.As<CRecordList>();
    for (int i = 0; i < 4; ++i) {
        list->AddRow({QStringLiteral("row %1").arg(i), 2, 65, 100 + i});
    }
    QTest::mouseClick(list, Qt::RightButton, {}, list->RowRect(2).center());
    EXPECT_EQ(one.window.events,
              (std::vector<Event>{{kId, kEventClick, 2}, {kId, kEventRowMenu, 2}}));
    EXPECT_EQ(list->GetCurSel(), 2);

    list->InsertRow(0, {QStringLiteral("delay"), 1, 10, 7});
    EXPECT_EQ(list->GetCurSel(), 3);
    EXPECT_EQ(list->GetRow(3).stamp, 102);
    EXPECT_TRUE(list->MoveRow(3, 0));
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(list->GetRow(0).text, QStringLiteral("row 2"));
    EXPECT_TRUE(list->DeleteRow(0));
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(list->GetRow(99).kind, 0);
    EXPECT_FALSE(list->MoveRow(0, 99));
}

TEST(ControlEvents, ChosenMenuItemArrivesAsWindowMessage) {
    RecordingWindow window;
    window.CreateShown();
    auto* menu = new MenuWnd;
    ASSERT_TRUE(menu->Create(&window, window.ClientToScreen({10, 10}), 120, 0x06AD));
    menu->AddMenu(QStringLiteral("Copy"), 101);
    menu->AddMenu(QStringLiteral("Delete"), 102);
    menu->Show();
    ASSERT_EQ(MenuWnd::Current(), menu);
    menu->Choose(102);
    QTRY_COMPARE(window.messages.size(), size_t(1));
    EXPECT_EQ(window.messages[0], (RecordingWindow::Message{0x06AD, 0, 102}));
    QTRY_VERIFY(MenuWnd::Current() == nullptr);  // closed and deleted
}

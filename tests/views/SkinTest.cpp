// Every skin image the views name is delivered, with the frames its control expects; a missing
// image never breaks a control, which then draws its plain look.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include "RecordingWindow.h"
#include "support/TempHome.h"
#include "views/peliskui/BatteryCtrl.h"
#include "views/peliskui/CGifPicture.h"
#include "views/peliskui/CIconButton.h"
#include "views/peliskui/CRecordList.h"
#include "views/peliskui/CSwitchButton.h"
#include "views/peliskui/ControlFactory.h"
#include "views/peliskui/DPIControl.h"
#include "views/peliskui/DPISlider.h"
#include "views/peliskui/MComboBox.h"
#include "views/peliskui/MPicture.h"
#include "views/peliskui/MTabCtrl.h"
#include "views/peliskui/MacroList.h"
#include "views/peliskui/Manager.h"
#include "views/peliskui/MouseCtrl.h"

using namespace PeliskUI;

namespace {

struct SkinName {
    const char* name;
    int frames;
};

// The skin images of the main window, the pages, the message box and the wait dialog.
constexpr SkinName kSkins[] = {
    {"background.png", 1},
    {"sysbtn_close.png", 4},
    {"sysbtn_min.png", 4},
    {"icon\\icon_battery_bkg.png", 1},
    {"icon\\icon_batteryvalue.png", 1},
    {"icon\\icon_charge.png", 1},
    {"img_state.png", 4},
    {"img_button.png", 4},
    {"icon\\tab_home.png", 1},
    {"icon\\tab_key.png", 1},
    {"icon\\tab_dpi.png", 1},
    {"icon\\tab_macro.png", 1},
    {"icon\\tab_set.png", 1},
    {"device\\img_mouse.png", 1},
    {"img_area3.png", 1},
    {"img_combobox.png", 4},
    {"img_key_bkg.png", 2},
    {"img_edit.png", 4},
    {"btn_checkbox.png", 8},
    {"btn_radiobox.png", 8},
    {"btn_more.png", 4},
    {"img_area_content.png", 1},
    {"icon\\icon_record.png", 6},
    {"icon\\icon_rec.png", 1},
    {"icon\\icon_stop_rec.png", 1},
    {"img_recorditem_up.png", 4},
    {"img_recorditem_down.png", 4},
    {"bk_prompt.png", 1},
    {"img_help.png", 4},
    {"btn_reset.png", 4},
    {"img_dpi_bar.png", 1},
    {"img_area2.png", 1},
    {"img_btn_addvalue.png", 4},
    {"img_btn_subtract.png", 4},
    {"img_switch_btn_on.png", 4},
    {"img_switch_btn_off.png", 4},
};

// The number of pixels of `widget` that differ from a plain ground it is drawn on.
int DrawnPixels(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_ARGB32);
    const QColor ground(1, 2, 3);
    image.fill(ground);
    widget->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            drawn += image.pixelColor(x, y) != ground;
        }
    }
    return drawn;
}

// Sets up one control of each kind the way the views do, on a window made by `window`.
void BuildEveryKind(RecordingWindow& w) {
    int x = 10;
    int y = 10;
    const auto next = [&](int width, int height) {
        if (x + width > 980) {
            x = 10;
            y += 130;
        }
        MRect rect{x, y, x + width, y + height};
        x += width + 12;
        return rect;
    };
    auto* round = w.CreateArea(QStringLiteral("CRoundArea"), 110, next(120, 100), QString());
    (void)round;
    auto* picture = static_cast<MPicture*>(
        w.CreateArea(QStringLiteral("MPicture"), 159, next(120, 100), QString()));
    picture->SetImage(QStringLiteral("img_area_content.png"));
    picture->SetShowMode(3, 10);
    w.CreateArea(QStringLiteral("MText"), 95, next(120, 30), QStringLiteral("DPI settings"));
    w.CreateControl(QStringLiteral("MButton"), 88, next(100, 30), QStringLiteral("Apply"))
        ->SetImage(QStringLiteral("img_button.png"), 4);
    w.CreateControl(QStringLiteral("CImageButton"), 36, next(20, 20), QString())
        ->SetImage(QStringLiteral("sysbtn_close.png"), 4);
    w.CreateControl(QStringLiteral("CHelpButton"), 97, next(16, 16), QStringLiteral("help"))
        ->SetImage(QStringLiteral("img_help.png"), 4);
    auto* record = static_cast<CIconButton*>(w.CreateControl(
        QStringLiteral("CIconButton"), 170, next(200, 28), QStringLiteral("Record")));
    record->SetImage(QStringLiteral("img_button.png"), 4);
    record->SetIconImage(QStringLiteral("icon\\icon_rec.png"));
    auto* radio = static_cast<MCheckable*>(w.CreateControl(
        QStringLiteral("CRadioButton"), 141, next(110, 30), QStringLiteral("Standard")));
    radio->SetImage(QStringLiteral("btn_radiobox.png"), 8);
    radio->SetCheck(true);
    auto* check = static_cast<MCheckable*>(
        w.CreateControl(QStringLiteral("CCheckButton"), 37, next(110, 36), QStringLiteral("Ctrl")));
    check->SetImage(QStringLiteral("btn_checkbox.png"), 8);
    check->SetCheck(true);
    auto* rate = static_cast<MCheckable*>(w.CreateControl(QStringLiteral("ColorButtonEx"), 117,
                                                          next(80, 28), QStringLiteral("1000Hz")));
    rate->SetCheck(true);
    auto* toggle = static_cast<CSwitchButton*>(
        w.CreateControl(QStringLiteral("CSwitchButton"), 265, next(52, 36), QString()));
    toggle->SetImage(QStringLiteral("img_switch_btn_on.png"),
                     QStringLiteral("img_switch_btn_off.png"), 4);
    toggle->SetCheck(true);
    auto* combo = static_cast<MComboBox*>(
        w.CreateControl(QStringLiteral("MComboBox"), 60, next(180, 40), QString()));
    combo->SetImage(QStringLiteral("img_combobox.png"), 4);
    combo->AddItem(QStringLiteral("Profile 1"), 1);
    combo->SetCurSel(0);
    w.CreateControl(QStringLiteral("MEdit"), 182, next(70, 26), QStringLiteral("1"))
        ->SetImage(QStringLiteral("img_edit.png"), 4);
    w.CreateControl(QStringLiteral("NumberEdit"), 85, next(95, 30), QStringLiteral("8"));
    auto* stage = static_cast<DPIControl*>(
        w.CreateControl(QStringLiteral("DPIControl"), 103, next(100, 100), QStringLiteral("DPI3")));
    stage->SetValue(1600);
    stage->SetColor(0xFF0000);
    stage->SetCheck(true);
    auto* slider = static_cast<DPISlider*>(
        w.CreateControl(QStringLiteral("DPISlider"), 107, next(600, 80), QString()));
    slider->SetBarImage(QStringLiteral("img_dpi_bar.png"));
    slider->SetBkImage(QStringLiteral("img_area2.png"));
    slider->SetPos(16);
    auto* strip = static_cast<MTabCtrl*>(
        w.CreateControl(QStringLiteral("MTabCtrl"), 45, next(360, 60), QString()));
    strip->InsertItem(1, QStringLiteral("Home"), QStringLiteral("icon\\tab_home.png"), nullptr);
    strip->InsertItem(3, QStringLiteral("Performance"), QStringLiteral("icon\\tab_dpi.png"),
                      nullptr);
    strip->SetSelectItem(0);
    auto* mouse = static_cast<MouseCtrl*>(
        w.CreateArea(QStringLiteral("MouseCtrl"), 87, next(600, 120), QString()));
    mouse->SetImage(QStringLiteral("img_key_bkg.png"), 2);
    mouse->AddItem(QStringLiteral("Button 1"), 1, 0, {100, 50}, {240, 50});
    mouse->AddItem(QStringLiteral("Button 2"), 3, 1, {350, 20}, {490, 20});
    mouse->SetSelectItem(0);
    auto* battery = static_cast<BatteryCtrl*>(
        w.CreateArea(QStringLiteral("BatteryCtrl"), 40, next(65, 28), QString()));
    battery->SetBatteryIcon(QStringLiteral("icon\\icon_battery_bkg.png"),
                            QStringLiteral("icon\\icon_batteryvalue.png"),
                            QStringLiteral("icon\\icon_charge.png"));
    battery->SetBatteryInfo(64, true);
    w.CreateArea(QStringLiteral("CDeviceState"), 41, next(100, 27), QStringLiteral("Wired"))
        ->SetImage(QStringLiteral("img_state.png"), 4);
    auto* macros = static_cast<MacroList*>(
        w.CreateControl(QStringLiteral("MacroList"), 155, next(300, 110), QString()));
    macros->SetMoreImage(QStringLiteral("btn_more.png"));
    macros->AddItem(QStringLiteral("Custom 1"), 1);
    macros->AddItem(QStringLiteral("Custom 2"), 2);
    macros->SetCurSel(0);
    auto* steps = static_cast<CRecordList*>(
        w.CreateControl(QStringLiteral("CRecordList"), 166, next(360, 110), QString()));
    steps->SetIconImage(QStringLiteral("icon\\icon_record.png"));
    steps->AddRow({QStringLiteral("↓  A"), 2, 65, 1});
    steps->AddRow({QStringLiteral(" -   10 ms"), 1, 10, 2});
    steps->AddRow({QStringLiteral("↑  A"), 3, 65, 3});
    steps->SetCurSel(1);
    auto* gif = static_cast<CGifPicture*>(
        w.CreateArea(QStringLiteral("CGifPicture"), 30, next(100, 100), QString()));
    gif->SetImage(QStringLiteral("loading.gif"));
    gif->SetRunState(true);
    gif->Advance(300);
}

class Skins : public testing::Test {
  protected:
    void TearDown() override { Manager::SetSkinFolder(QString()); }
};

}  // namespace

TEST_F(Skins, EveryImageTheViewsNameExistsWithItsFrames) {
    for (const SkinName& skin : kSkins) {
        SCOPED_TRACE(skin.name);
        SkinImage image;
        ASSERT_TRUE(image.Load(QString::fromLatin1(skin.name), skin.frames));
        EXPECT_EQ(image.States(), skin.frames);
        EXPECT_EQ(SkinImage::LoadPixmap(QString::fromLatin1(skin.name)).width() % skin.frames, 0);
        EXPECT_FALSE(image.Frame(skin.frames - 1).isNull());
    }
    CGifPicture loading;
    ASSERT_TRUE(loading.SetImage(QStringLiteral("loading.gif")));
    EXPECT_GT(loading.FrameCount(), 8);
}

TEST_F(Skins, FramesAreCutFromTheStripAndExtraStatesUseTheLast) {
    const std::string folder = testing_support::MakeTempFolder("skin");
    QImage strip(30, 10, QImage::Format_ARGB32);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    for (int i = 0; i < 3; ++i) {
        QPainter(&strip).fillRect(i * 10, 0, 10, 10, colours[i]);
    }
    ASSERT_TRUE(strip.save(QString::fromStdString(folder + "/strip.png")));
    Manager::SetSkinFolder(QString::fromStdString(folder));
    SkinImage image;
    ASSERT_TRUE(image.Load(QStringLiteral("strip.png"), 3));
    EXPECT_EQ(image.FrameSize(), QSize(10, 10));
    EXPECT_EQ(image.Frame(1).toImage().pixelColor(5, 5), QColor(Qt::green));
    EXPECT_EQ(image.Frame(7).toImage().pixelColor(5, 5), QColor(Qt::blue));
    EXPECT_FALSE(image.Load(QStringLiteral("missing.png"), 4));
    EXPECT_TRUE(image.IsNull());
    EXPECT_FALSE(image.Load(QStringLiteral("strip.png"), 40));  // narrower than its frames
}

// With no skin folder at all, every control still draws (its plain look) and works.
TEST_F(Skins, MissingImagesFallBackToThePlainLook) {
    Manager::SetSkinFolder(QString::fromStdString(testing_support::MakeTempFolder("noskin")));
    RecordingWindow window;
    window.build = BuildEveryKind;
    ASSERT_TRUE(
        window.Create(nullptr, QStringLiteral("gallery"), kStylePopup, 0, {0, 0, 1000, 900}));
    window.GetSafeHwnd()->show();
    for (MControl* control : window.Controls()) {
        SCOPED_TRACE(control->Kind().toStdString());
        EXPECT_TRUE(control->Image().IsNull());
        EXPECT_GT(DrawnPixels(control), 20);
    }
    window.GetControl(88)->Click();
    EXPECT_EQ(window.events.size(), 1u);
}

// The whole set drawn with its skin; written out for a look when VARNETH_VIEWS_GALLERY names a
// folder.
TEST_F(Skins, EveryKindDrawsWithItsSkin) {
    RecordingWindow window;
    window.build = BuildEveryKind;
    window.SetBKColor(0xFF0F161E);
    ASSERT_TRUE(
        window.Create(nullptr, QStringLiteral("gallery"), kStylePopup, 0, {0, 0, 1000, 900}));
    window.GetSafeHwnd()->show();
    for (MControl* control : window.Controls()) {
        SCOPED_TRACE(control->Kind().toStdString());
        EXPECT_GT(DrawnPixels(control), 20);
    }
    if (const char* folder = std::getenv("VARNETH_VIEWS_GALLERY")) {
        QDir().mkpath(QString::fromLocal8Bit(folder));
        window.GetSafeHwnd()->grab().save(
            QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("controls.png")));
    }
}

// The key page lays the button callouts over the mouse picture (picture at x 640, callouts from
// x 470, both at y 150): every callout's point on the mouse must fall on the picture's body.
TEST_F(Skins, CalloutPointsLandOnTheMousePicture) {
    const QImage mouse = SkinImage::LoadPixmap(QStringLiteral("device\\img_mouse.png")).toImage();
    ASSERT_FALSE(mouse.isNull());
    const QPoint onMouse[] = {{240, 50},  {350, 20}, {306, 90}, {180, 200},
                              {180, 285}, {306, 60}, {306, 120}};
    const QPoint pictureOffset(640 - 470, 0);
    for (const QPoint& point : onMouse) {
        const QPoint at = point - pictureOffset;
        SCOPED_TRACE(testing::Message() << at.x() << "," << at.y());
        ASSERT_TRUE(mouse.rect().contains(at));
        EXPECT_GT(mouse.pixelColor(at).alpha(), 200);
    }

    RecordingWindow window;
    window.SetBKColor(0xFF0F161E);
    window.build = [](RecordingWindow& w) {
        auto* picture = static_cast<MPicture*>(
            w.CreateArea(QStringLiteral("MPicture"), 86, {190, 20, 450, 390}, QString()));
        picture->SetImage(QStringLiteral("device\\img_mouse.png"));
        auto* callouts = static_cast<MouseCtrl*>(
            w.CreateArea(QStringLiteral("MouseCtrl"), 87, {20, 20, 620, 400}, QString()));
        callouts->SetImage(QStringLiteral("img_key_bkg.png"), 2);
        const struct {
            const char* text;
            int button;
            int side;
            QPoint first;
            QPoint second;
        } items[] = {{"Left click", 1, 0, {100, 50}, {240, 50}},
                     {"Right click", 3, 1, {350, 20}, {490, 20}},
                     {"Middle click", 2, 1, {306, 90}, {490, 90}},
                     {"Forward", 5, 0, {100, 200}, {180, 200}},
                     {"Back", 4, 0, {100, 285}, {180, 285}},
                     {"DPI up", 7, 1, {306, 60}, {490, 60}},
                     {"DPI down", 8, 1, {306, 120}, {490, 120}}};
        for (const auto& item : items) {
            callouts->AddItem(QString::fromLatin1(item.text), item.button, item.side, item.first,
                              item.second);
        }
        callouts->SetSelectItem(0);
    };
    ASSERT_TRUE(
        window.Create(nullptr, QStringLiteral("callouts"), kStylePopup, 0, {0, 0, 640, 420}));
    window.GetSafeHwnd()->show();
    if (const char* folder = std::getenv("VARNETH_VIEWS_GALLERY")) {
        window.GetSafeHwnd()->grab().save(QString::fromLocal8Bit(folder) +
                                          QStringLiteral("/callouts.png"));
    }
}

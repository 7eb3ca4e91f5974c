#include "views/peliskui/ControlFactory.h"

#include "views/peliskui/BatteryCtrl.h"
#include "views/peliskui/CArea.h"
#include "views/peliskui/CCheckButton.h"
#include "views/peliskui/CDeviceState.h"
#include "views/peliskui/CGifPicture.h"
#include "views/peliskui/CHelpButton.h"
#include "views/peliskui/CIconButton.h"
#include "views/peliskui/CImageButton.h"
#include "views/peliskui/CRadioButton.h"
#include "views/peliskui/CRecordList.h"
#include "views/peliskui/CRoundArea.h"
#include "views/peliskui/CSwitchButton.h"
#include "views/peliskui/ColorButtonEx.h"
#include "views/peliskui/DPIControl.h"
#include "views/peliskui/DPISlider.h"
#include "views/peliskui/MButton.h"
#include "views/peliskui/MComboBox.h"
#include "views/peliskui/MEdit.h"
#include "views/peliskui/MPicture.h"
#include "views/peliskui/MTabCtrl.h"
#include "views/peliskui/MTabLayout.h"
#include "views/peliskui/MText.h"
#include "views/peliskui/MacroList.h"
#include "views/peliskui/MouseCtrl.h"
#include "views/peliskui/NumberEdit.h"

namespace PeliskUI {

namespace {

template <class T>
MControl* MakeKind(QWidget* parent) {
    return new T(parent);
}

struct Kind {
    const char* name;
    MControl* (*make)(QWidget*);
};

constexpr Kind kKinds[] = {
    {"MText", MakeKind<MText>},
    {"MPicture", MakeKind<MPicture>},
    {"CArea", MakeKind<CArea>},
    {"CRoundArea", MakeKind<CRoundArea>},
    {"MButton", MakeKind<MButton>},
    {"CImageButton", MakeKind<CImageButton>},
    {"CHelpButton", MakeKind<CHelpButton>},
    {"CIconButton", MakeKind<CIconButton>},
    {"CRadioButton", MakeKind<CRadioButton>},
    {"ColorButtonEx", MakeKind<ColorButtonEx>},
    {"CCheckButton", MakeKind<CCheckButton>},
    {"CSwitchButton", MakeKind<CSwitchButton>},
    {"MComboBox", MakeKind<MComboBox>},
    {"MEdit", MakeKind<MEdit>},
    {"NumberEdit", MakeKind<NumberEdit>},
    {"DPISlider", MakeKind<DPISlider>},
    {"DPIControl", MakeKind<DPIControl>},
    {"MTabCtrl", MakeKind<MTabCtrl>},
    {"MTabLayout", MakeKind<MTabLayout>},
    {"MouseCtrl", MakeKind<MouseCtrl>},
    {"BatteryCtrl", MakeKind<BatteryCtrl>},
    {"CDeviceState", MakeKind<CDeviceState>},
    {"MacroList", MakeKind<MacroList>},
    {"CRecordList", MakeKind<CRecordList>},
    {"CGifPicture", MakeKind<CGifPicture>},
};

}  // namespace

MControl* ControlFactory::Make(const QString& kind, QWidget* parent) {
    for (const Kind& entry : kKinds) {
        if (kind == QLatin1String(entry.name)) {
            return entry.make(parent);
        }
    }
    return nullptr;
}

QStringList ControlFactory::Kinds() {
    QStringList names;
    for (const Kind& entry : kKinds) {
        names << QString::fromLatin1(entry.name);
    }
    return names;
}

}  // namespace PeliskUI

#include "views/TabScreenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <iterator>

#include "views/DeviceMainDlg.h"
#include "views/peliskui/MTabCtrl.h"

namespace views {

namespace {

// File names per tab item, in strip order.
struct TabShot {
    int item;
    const char* file;
};
constexpr TabShot kShots[] = {
    {DeviceMainDlg::kTabHome, "1-home.png"},
    {DeviceMainDlg::kTabKeys, "2-keys.png"},
    {DeviceMainDlg::kTabPerformance, "3-performance.png"},
    {DeviceMainDlg::kTabMacros, "4-macros.png"},
    {DeviceMainDlg::kTabSettings, "6-settings.png"},
};

}  // namespace

QStringList RenderTabScreenshots(DeviceMainDlg& window, const QString& folder) {
    QWidget* widget = window.GetSafeHwnd();
    auto* strip = window.GetControlAs<PeliskUI::MTabCtrl>(DeviceMainDlg::kTabStrip);
    if (!widget || !strip || !QDir().mkpath(folder)) {
        return {};
    }
    widget->show();
    QCoreApplication::processEvents();
    const int before = strip->GetSelectItem();
    QStringList written;
    for (int index = 0; index < strip->GetItemCount(); ++index) {
        const int item = strip->GetItemID(index);
        QString name = QStringLiteral("%1-tab.png").arg(item);
        for (const TabShot& shot : kShots) {
            if (shot.item == item) {
                name = QString::fromLatin1(shot.file);
            }
        }
        window.SelectTab(index);
        QCoreApplication::processEvents();
        const QString path = QDir(folder).filePath(name);
        if (!widget->grab().save(path, "PNG")) {
            return {};
        }
        written << path;
    }
    window.SelectTab(before);
    return written;
}

}  // namespace views

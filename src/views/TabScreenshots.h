#pragma once

#include <QString>
#include <QStringList>

class DeviceMainDlg;

namespace views {

// Renders the main window once per tab (the tab selected as a click would select it) into
// `folder` as PNG files named after the tab ("1-home.png", "2-keys.png"...). The window must be
// created. Returns the files written; an empty list when the folder cannot be made or a picture
// cannot be saved.
QStringList RenderTabScreenshots(DeviceMainDlg& window, const QString& folder);

}  // namespace views

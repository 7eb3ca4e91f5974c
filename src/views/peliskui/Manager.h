#pragma once

#include <QString>

namespace PeliskUI {

// Process-wide settings of the control layer: the application instance it draws for, the
// default font name of every control created afterwards, and the folder the skin images are
// read from.
class Manager {
  public:
    // Remembers the application object (the QApplication) the windows belong to.
    static void SetInstance(void* instance);
    static void* Instance();

    // The font family controls use unless they set their own. Default "Open Sans Semibold".
    static void SetFontName(const QString& name);
    static QString FontName();

    // The folder skin images are read from, ending in '/'. Default: the executable's folder.
    static void SetSkinFolder(const QString& folder);
    static QString SkinFolder();
};

}  // namespace PeliskUI

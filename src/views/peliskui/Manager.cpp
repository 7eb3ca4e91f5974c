#include "views/peliskui/Manager.h"

#include "platform/Folders.h"
#include "views/peliskui/SkinImage.h"

namespace PeliskUI {

namespace {
void* g_instance = nullptr;
QString& FontNameStorage() {
    static QString name = QStringLiteral("Open Sans Semibold");
    return name;
}
QString& SkinFolderStorage() {
    static QString folder;
    return folder;
}
}  // namespace

void Manager::SetInstance(void* instance) {
    g_instance = instance;
}
void* Manager::Instance() {
    return g_instance;
}
void Manager::SetFontName(const QString& name) {
    FontNameStorage() = name;
}
QString Manager::FontName() {
    return FontNameStorage();
}

void Manager::SetSkinFolder(const QString& folder) {
    QString value = folder;
    if (!value.isEmpty() && !value.endsWith(QLatin1Char('/'))) {
        value += QLatin1Char('/');
    }
    SkinFolderStorage() = value;
    SkinImage::ClearCache();
}

QString Manager::SkinFolder() {
    if (SkinFolderStorage().isEmpty()) {
        SkinFolderStorage() = QString::fromStdString(platform::ExeFolder());
    }
    return SkinFolderStorage();
}

}  // namespace PeliskUI

#include "views/peliskui/Manager.h"

namespace PeliskUI {

namespace {
void* g_instance = nullptr;
QString& FontNameStorage() {
    static QString name = QStringLiteral("Open Sans Semibold");
    return name;
}
}  // namespace

void Manager::SetInstance(void* instance) { g_instance = instance; }
void* Manager::Instance() { return g_instance; }
void Manager::SetFontName(const QString& name) { FontNameStorage() = name; }
QString Manager::FontName() { return FontNameStorage(); }

}  // namespace PeliskUI

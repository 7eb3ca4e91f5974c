#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace PeliskUI {

class MControl;

// Makes controls by kind name ("MText", "MButton", "MTabLayout"...), the names the windows
// create their children with.
class ControlFactory {
  public:
    // A new control of `kind` as a child of `parent`; null for a kind this layer does not know.
    static MControl* Make(const QString& kind, QWidget* parent);
    // Every kind name the factory knows.
    static QStringList Kinds();
};

}  // namespace PeliskUI

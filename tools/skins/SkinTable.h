#pragma once

#include <QImage>
#include <QString>
#include <functional>

namespace skins {

// One skin picture: its name as the views load it and how it is drawn.
struct SkinEntry {
    const char* name;
    std::function<QImage()> draw;
};

// Every skin picture of the program, except the animated loading picture.
const std::vector<SkinEntry>& SkinTable();

// Writes the animated loading picture ("loading.gif") into `folder`.
bool WriteLoadingAnimation(const QString& folder);

}  // namespace skins

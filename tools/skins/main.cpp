// Draws every skin image of the program into the folder given on the command line (the folder
// beside the executables), in the folders the names carry ("icon\tab_home.png" becomes
// icon/tab_home.png).
#include <QGuiApplication>
#include <cstdio>

#include "SkinPainting.h"
#include "SkinTable.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: varneth_skins OUTPUT_FOLDER\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    int failures = 0;
    for (const skins::SkinEntry& entry : skins::SkinTable()) {
        if (!skins::SavePicture(entry.draw(), folder, QString::fromLatin1(entry.name))) {
            std::fprintf(stderr, "varneth_skins: could not write %s\n", entry.name);
            ++failures;
        }
    }
    if (!skins::WriteLoadingAnimation(folder)) {
        std::fprintf(stderr, "varneth_skins: could not write loading.gif\n");
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}

// main() of the widget test programs: a temporary home, Qt's offscreen platform unless another
// one was chosen, and one QApplication for all tests.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "support/TempHome.h"

int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    testing_support::InstallTestHome();
    if (!std::getenv("QT_QPA_PLATFORM")) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    const int result = RUN_ALL_TESTS();
    testing_support::RemoveTestHome();
    return result;
}

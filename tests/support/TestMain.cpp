// main() of the test programs without widgets: every program runs in its own temporary home.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/TempHome.h"

int main(int argc, char** argv) {
    testing::InitGoogleMock(&argc, argv);
    testing_support::InstallTestHome();
    const int result = RUN_ALL_TESTS();
    testing_support::RemoveTestHome();
    return result;
}

// The start-up tests need one application object for the whole run: the
// program's own, as in the window tests.

#include "windows/wykazkiapplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the binary outside ctest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    WykazkiApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

// The print windows need one widget application for the whole run, on the
// offscreen platform unless told otherwise.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv)
{
    // Test discovery runs the binary outside ctest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

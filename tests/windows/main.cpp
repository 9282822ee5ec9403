// The window tests need one application object for the whole run; it is
// the program's own, so that its central catching of exceptions is tested.

#include "windows/wykazkiapplication.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs the binary outside ctest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    WykazkiApplication app(argc, argv);
    // Per-user preferences the windows remember go to a folder of the run's
    // own, never into the user's.
    const QTemporaryDir preferences;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences.path());
    return RUN_ALL_TESTS();
}

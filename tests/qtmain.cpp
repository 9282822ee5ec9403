// The main of every test that needs Qt: GoogleTest takes its flags first,
// then one application object serves the whole run, on the offscreen
// platform unless the environment names another (test discovery runs the
// binary outside ctest's environment). Its kind is the test executable's
// (add_wykazki_test's QT_APP): Core, Gui, Widgets, or Program, the
// program's own application, so that its central catching of exceptions is
// tested too. The renderer's tests never ask the Gui application for its
// screen's resolution.

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#if defined(WYKAZKI_TEST_QT_APP_Program)
#include "windows/wykazkiapplication.h"
using TestApplication = wykazki::WykazkiApplication;
#elif defined(WYKAZKI_TEST_QT_APP_Widgets)
#include <QApplication>
using TestApplication = QApplication;
#elif defined(WYKAZKI_TEST_QT_APP_Gui)
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#elif defined(WYKAZKI_TEST_QT_APP_Core)
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#else
#error "add_wykazki_test names the kind of Qt application: QT_APP Core, Gui, Widgets or Program"
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    TestApplication app(argc, argv);
    // Per-user preferences the windows remember go to a folder of the run's
    // own, never into the user's.
    const QTemporaryDir preferences;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences.path());
    return RUN_ALL_TESTS();
}

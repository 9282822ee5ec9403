// The main of every benchmark that needs Qt: one application object for
// the whole run, on the offscreen platform unless the environment names
// another, per-user preferences in a folder of the run's own. Its kind is
// the benchmark's (wykazki_qt_bench's KIND): Gui, Widgets, or Program, the
// program's own application. Qt sees only the program's name, so every
// flag is Google Benchmark's.

#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#if defined(WYKAZKI_BENCH_QT_APP_Program)
#include "windows/wykazkiapplication.h"
using BenchApplication = wykazki::WykazkiApplication;
#elif defined(WYKAZKI_BENCH_QT_APP_Widgets)
#include <QApplication>
using BenchApplication = QApplication;
#elif defined(WYKAZKI_BENCH_QT_APP_Gui)
#include <QGuiApplication>
using BenchApplication = QGuiApplication;
#else
#error "wykazki_qt_bench names the kind of Qt application: Gui, Widgets or Program"
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    BenchApplication app(qtArgc, argv);
    const QTemporaryDir preferences;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, preferences.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// Takes the picture of the main window in docs/: runs the real program on
// the sample class under a real X server and grabs the window.
//
//   QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 1920x1200x24" windows_screenshot PROGRAM_FOLDER OUT.png
//
// The pictures in docs/ are taken at 150 % scaling, where a window laid out
// for one font size would show clipped text first.

#include "windows/ffwmain.h"
#include "windows/programcontext.h"
#include "windows/qtdialogs.h"
#include "windows/wykazkiapplication.h"

#include "grid/celledi.h"

#include <QFile>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace wykazki;

int main(int argc, char** argv)
{
    WykazkiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: windows_screenshot PROGRAM_FOLDER OUT.png\n");
        return 2;
    }
    ProgramContext context(
        QFile::encodeName(QFile::decodeName(argv[1]) + QLatin1Char('/')).toStdString(),
        std::make_unique<QtDialogs>());
    app.setErrorReporter([&context](ErrorCode code) { context.reportError(code); });
    Tffwmain& window = context.mainWindow();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    // A block of grades selected, as a teacher entering them would have.
    window.grid().setPozX(1);
    window.grid().setPozY(12);
    window.grid().selectRange(GridRect{2, 13, 4, 16});
    window.grid().setFocus();
    QTest::qWait(300);
    const bool saved = window.grab().save(QFile::decodeName(argv[2]));
    app.setErrorReporter(nullptr);
    return saved ? 0 : 1;
}

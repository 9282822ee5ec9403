// Saves what a print window shows as a PNG, to look at it under a real X
// server (xvfb-run), e.g. for the screenshots in docs/:
//
//   QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 1920x1200x24" print_windows_screenshot bin/Przyklad.wkz 1 1 preview.png
//   QT_SCALE_FACTOR=1.5 xvfb-run -a -s "-screen 0 1920x1200x24" print_windows_screenshot --options bin/Przyklad.wkz options.png
//
// The first shows the preview of one pupil's card (pupil and page count
// from 1 as the program shows them; pictures are looked up next to the
// class file), the second the print options window with the class's options.

#include "windows/ffwopcje.h"
#include "windows/ffwpodglad.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

using namespace wykazki;

namespace {

constexpr int kPaintDelayMs = 500;

int usage()
{
    std::fprintf(stderr, "usage: print_windows_screenshot CLASS.wkz PUPIL PAGE OUT.png\n"
                         "       print_windows_screenshot --options CLASS.wkz OUT.png\n");
    return 2;
}

// Once the window is up and painted, grab it into `out` and close it.
void grabLater(QDialog& window, const QString& out, bool& saved)
{
    QTimer::singleShot(kPaintDelayMs, &window, [&window, out, &saved] {
        saved = window.grab().save(out, "PNG");
        window.accept();
    });
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const bool options = args.size() == 4 && args[1] == QStringLiteral("--options");
    if (!options && args.size() != 5)
        return usage();
    const QFileInfo classFile(options ? args[2] : args[1]);
    const QString& out = args.last();

    Document doc;
    bool saved = false;
    try {
        doc.takeOver(readClassFileAt(classFile.filesystemFilePath()));
        if (options) {
            Tffwopcje window;
            grabLater(window, out, saved);
            TOpcje edited = doc.options();
            window.editOptions(edited);
        } else {
            bool pupilOk = false, pageOk = false;
            const int pupil = args[2].toInt(&pupilOk) - 1;
            const int page = args[3].toInt(&pageOk) - 1;
            if (!pupilOk || !pageOk || pupil < 0 || page < 0 || page > 3)
                return usage();
            Tffwpodglad window(classFile.absolutePath().toStdString() + "/");
            grabLater(window, out, saved);
            window.preview(doc, pupil, page);
            if (saved)
                std::printf("%s: %dx%d at scale %.4f\n", qPrintable(out), window.width(),
                            window.height(), window.scale());
        }
    } catch (const EKolmoError& e) {
        std::fprintf(stderr, "print_windows_screenshot: %s\n", e.what());
        return 1;
    }
    if (!saved) {
        std::fprintf(stderr, "print_windows_screenshot: nothing shown or %s not written\n",
                     qPrintable(out));
        return 1;
    }
    return 0;
}

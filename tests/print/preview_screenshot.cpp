// Opens the preview of one pupil's card from a class file and saves what
// the window shows as a PNG. Used to look at the preview under a real X
// server (xvfb-run), e.g. for the screenshot in docs/:
//
//   xvfb-run -a -s "-screen 0 1280x1024x24" preview_screenshot bin/Przyklad.wkz 1 1 preview.png
//
// Pupil and page count from 1 as the program shows them; pictures are
// looked up next to the class file.

#include "print/ffwpodglad.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 5) {
        std::fprintf(stderr, "usage: preview_screenshot CLASS.wkz PUPIL PAGE OUT.png\n");
        return 2;
    }
    const QFileInfo classFile(args[1]);
    bool pupilOk = false, pageOk = false;
    const int pupil = args[2].toInt(&pupilOk) - 1;
    const int page = args[3].toInt(&pageOk) - 1;
    if (!pupilOk || !pageOk || pupil < 0 || page < 0 || page > 3) {
        std::fprintf(stderr, "preview_screenshot: pupil from 1, page 1..4\n");
        return 2;
    }

    Document doc;
    try {
        doc.takeOver(readClassFileAt(classFile.filesystemFilePath()));
    } catch (const EKolmoError& e) {
        std::fprintf(stderr, "preview_screenshot: %s\n", e.what());
        return 1;
    }

    Tffwpodglad window(classFile.absolutePath().toStdString() + "/");
    bool saved = false;
    // Once the window is up and painted, grab it and close it.
    QTimer::singleShot(500, &window, [&] {
        saved = window.grab().save(args[4], "PNG");
        window.accept();
    });
    try {
        window.preview(doc, pupil, page);
    } catch (const EKolmoError& e) {
        std::fprintf(stderr, "preview_screenshot: %s\n", e.what());
        return 1;
    }
    if (!saved) {
        std::fprintf(stderr, "preview_screenshot: nothing shown or %s not written\n", qPrintable(args[4]));
        return 1;
    }
    std::printf("%s: %dx%d at scale %.4f\n", qPrintable(args[4]), window.width(), window.height(), window.scale());
    return 0;
}

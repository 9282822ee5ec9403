// rtf_open FILE: reads an information document as the information window
// does and lays it out at a narrow and at a full-HD width; says how much it
// holds. CI runs it on the largest document the reader accepts under the
// sanitizers, with its memory measured. Exit 1 when the file is refused.

#include "richtext/rtfreader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

using namespace wykazki;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: rtf_open FILE\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextDocument document;
    if (!readRtfFile(QFile::decodeName(argv[1]), document)) {
        std::fputs("rtf_open: refused\n", stderr);
        return 1;
    }
    for (const qreal width : {400.0, 1840.0}) {
        document.setTextWidth(width);
        std::printf("%d characters, %d blocks, %.0f px high at %.0f px\n",
                    document.characterCount(), document.blockCount(), document.size().height(),
                    width);
    }
    return 0;
}

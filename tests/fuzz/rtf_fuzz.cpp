// libFuzzer target: any bytes given to the RTF reader make a document or a
// refusal, never a crash, a hang or memory out of proportion.

#include "richtext/rtfreader.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

using namespace wykazki;

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Character formats carry fonts, which want an application object.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QTextDocument document;
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const bool read = readRtf(bytes, document);
    if (read != bytes.startsWith(QByteArrayView("{\\rtf")))
        std::abort();
    // The text is never longer than the bytes it came from (with a break
    // added in every 100 characters of one word and the notes of a cut)
    // nor than the reader's limits.
    const auto notes =
        static_cast<int>(rtf::textCutNote().size() + rtf::fontsReplacedNote().size()) + 3;
    const int characters = document.characterCount();
    if (characters > static_cast<int>(size + size / rtf::kMaxUnbrokenCharacters) + 1 + notes
        || characters > rtf::kMaxCharacters + rtf::kMaxParagraphs + notes)
        std::abort();
    // Laying it out is what the information window does next.
    document.setTextWidth(400);
    (void)document.size();
    return 0;
}

#pragma once
// A small reader of Rich Text Format as LibreOffice Writer and WordPad write
// it: paragraphs and their alignment, indents, spacing and tab stops; bold, italic,
// underline, strike-out, font names and sizes, text and highlight colours;
// characters as \'xx bytes of the document's (or the font's) code page and
// as \uN. Everything else (pictures, objects, headers, field instructions,
// style and list tables) is skipped; table cells become plain paragraphs.
//
// Any bytes are safe to give it: it never recurses, never reads past the
// data and does work in proportion to the data's size. What it makes is
// bounded too, so that laying the document out stays quick whatever the
// file holds (see the limits below): text beyond them is dropped and a note
// at the end of the text says so.

#include <QByteArrayView>
#include <QString>

#include <cstddef>

class QTextDocument;

namespace wykazki {

namespace rtf {

// Font sizes outside this range are taken as its nearest end.
inline constexpr int kMinPoints = 4;
inline constexpr int kMaxPoints = 96;
// The document the reader builds holds at most this many characters,
// paragraphs and runs of one format; what lies beyond is dropped.
inline constexpr int kMaxCharacters = 100'000;
inline constexpr int kMaxParagraphs = 5'000;
inline constexpr int kMaxFormatRuns = 2'000;
// Font families the text is shown in; text in any further font is shown in
// the default one.
inline constexpr int kMaxFonts = 32;
// A word longer than this gets an invisible break opportunity (U+200B):
// lines are broken without scanning the whole word again for every line.
inline constexpr int kMaxUnbrokenCharacters = 100;
// A bigger file is no information document and is not read at all.
inline constexpr qint64 kMaxFileBytes = qint64{16} * 1024 * 1024;

// The notes added at the end of the text when a limit was reached.
QString textCutNote();
QString fontsReplacedNote();

}  // namespace rtf

// Replaces the document's contents with the RTF text. False, and the
// document left empty, when the data does not start with "{\rtf".
bool readRtf(QByteArrayView data, QTextDocument& document);

// Reads the RTF file at path into the document. False, and nothing read,
// when the file is missing, unreadable, not a regular file (a FIFO or
// device is refused without opening it for a read that could block),
// larger than rtf::kMaxFileBytes, or not RTF.
bool readRtfFile(const QString& path, QTextDocument& document);

}  // namespace wykazki

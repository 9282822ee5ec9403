#pragma once
// A small reader of Rich Text Format as LibreOffice Writer and WordPad write
// it: paragraphs and their alignment, indents, spacing and tab stops; bold, italic,
// underline, strike-out, font names and sizes, text and highlight colours;
// characters as \'xx bytes of the document's (or the font's) code page and
// as \uN. Everything else (pictures, objects, headers, field instructions,
// style and list tables) is skipped; table cells become plain paragraphs.
//
// Any bytes are safe to give it: it never recurses, never reads past the
// data and does work in proportion to the data's size.

#include <QByteArrayView>

class QTextDocument;

// Replaces the document's contents with the RTF text. False, and the
// document left empty, when the data does not start with "{\rtf".
bool readRtf(QByteArrayView data, QTextDocument& document);

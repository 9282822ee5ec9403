#pragma once
// The parts of a zip-based workbook (XLSX, ODS) read as XML, each within
// kSheetMostPartBytes however far it unpacks: a part is streamed from the
// zip in small pieces and reading stops at the limit.

#include "sheets/sheetcells.h"

#include <QIODevice>
#include <QString>
#include <QXmlStreamReader>

#include <memory>

class QuaZip;
class QuaZipFile;

namespace wykazki {

class ZipPart {
public:
    // zip is open for reading; fileName names the workbook in messages.
    ZipPart(QuaZip& zip, QString fileName);
    ~ZipPart();
    ZipPart(const ZipPart&) = delete;
    ZipPart& operator=(const ZipPart&) = delete;

    // Opens the part at name (a path inside the zip); false, with a problem,
    // when the workbook has no such part or it cannot be unpacked.
    bool open(const QString& name);
    QXmlStreamReader& xml() { return xml_; }
    // Once reading stops: the Polish problem when the part was not whole,
    // well-formed XML (broken, cut short or beyond the limit), else empty.
    // A part left unread on purpose is no problem: call it only when
    // reading ran to the end or stopped on an error.
    QString problem() const;
    // The problem of open(), or one of a part whose content makes no sense.
    QString missingProblem() const;
    QString contentProblem() const;

private:
    class Limited;
    QuaZip& zip_;
    QString fileName_;
    QString name_;
    std::unique_ptr<QuaZipFile> file_;
    std::unique_ptr<Limited> limited_;
    QXmlStreamReader xml_;
};

// Messages shared by the readers.
QString brokenWorkbookProblem(const QString& fileName);
QString missingSheetProblem(const QString& fileName, int sheet);

// Steps through XML. The reader keeps a record of every open element, so
// nesting deeper than any workbook needs is refused as broken.
inline constexpr int kSheetMostXmlDepth = 256;
// Moves to the next child of the current element: true at its start, false
// at the current element's end, on an error or at the end of the part.
bool nextChild(QXmlStreamReader& xml);
// Skips the current element with everything inside it.
void skipElement(QXmlStreamReader& xml);
// The text directly inside the current element (child elements skipped),
// read to the element's end.
void gatherText(QXmlStreamReader& xml, CellText& text);

}  // namespace wykazki

#include "sheets/odsreader.h"

#include "sheets/sheetcells.h"
#include "sheets/zippart.h"

#include <QXmlStreamReader>

#include <functional>

namespace wykazki {

namespace {

using namespace Qt::StringLiterals;

constexpr QStringView kOfficeNs = u"urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr QStringView kTableNs = u"urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr QStringView kTextNs = u"urn:oasis:names:tc:opendocument:xmlns:text:1.0";
// Row groups nest; deeper than this they are skipped.
constexpr int kMostGroupDepth = 16;
// Repeat counts stop here, far beyond the sheet's end, so that counting on
// never overflows.
constexpr qint64 kFarBeyond = qint64(1) << 40;

bool is(const QXmlStreamReader& xml, QStringView ns, QStringView name)
{
    return xml.name() == name && xml.namespaceUri() == ns;
}

QString attribute(const QXmlStreamAttributes& attributes, QStringView ns, QStringView name)
{
    for (const QXmlStreamAttribute& found : attributes)
        if (found.name() == name && found.namespaceUri() == ns)
            return found.value().toString();
    return {};
}

qint64 repeatOf(const QXmlStreamReader& xml, QStringView name)
{
    bool ok = false;
    const qint64 count = attribute(xml.attributes(), kTableNs, name).toLongLong(&ok);
    return ok && count >= 1 ? std::min(count, qint64(1) << 31) : 1;
}

qint64 advance(qint64 at, qint64 by)
{
    return std::min(at + by, kFarBeyond);
}

// Walks the spreadsheet of content.xml, calling table for every sheet (at
// its start element); table reads or skips it and says whether to go on.
// Empty when the part was whole, else its problem.
QString walkTables(QuaZip& zip, const QString& fileName,
                   const std::function<bool(QXmlStreamReader&)>& table)
{
    ZipPart part(zip, fileName);
    if (!part.open(u"content.xml"_s))
        return part.missingProblem();
    QXmlStreamReader& xml = part.xml();
    bool goOn = true;
    if (nextChild(xml)) {  // office:document-content
        while (goOn && nextChild(xml)) {
            if (!is(xml, kOfficeNs, u"body")) {
                skipElement(xml);
                continue;
            }
            while (goOn && nextChild(xml)) {
                if (!is(xml, kOfficeNs, u"spreadsheet")) {
                    skipElement(xml);
                    continue;
                }
                while (goOn && nextChild(xml)) {
                    if (is(xml, kTableNs, u"table"))
                        goOn = table(xml);
                    else
                        skipElement(xml);
                }
            }
        }
    }
    if (!goOn && !xml.hasError())
        return {};
    return part.problem();
}

// The text of a paragraph as ODF lays it out: runs of white space in the
// file are one space (none at the paragraph's start), text:s, text:tab and
// text:line-break stand for spaces, a tab and a line break.
void readParagraph(QXmlStreamReader& xml, CellText& text)
{
    bool spaceBefore = true;  // no space at the start
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::Characters:
            for (const QChar c : xml.text()) {
                const bool space = c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
                if (space && spaceBefore)
                    continue;
                text.append(space ? QChar(u' ') : c);
                spaceBefore = space;
            }
            break;
        case QXmlStreamReader::StartElement:
            if (is(xml, kTextNs, u"s")) {
                bool ok = false;
                const qint64 count = attribute(xml.attributes(), kTextNs, u"c").toLongLong(&ok);
                text.appendRepeated(QChar(u' '), ok && count >= 1 ? count : 1);
                spaceBefore = false;
                skipElement(xml);
            } else if (is(xml, kTextNs, u"tab")) {
                text.append(QChar(u'\t'));
                spaceBefore = false;
                skipElement(xml);
            } else if (is(xml, kTextNs, u"line-break")) {
                text.append(QChar(u'\n'));
                spaceBefore = true;
                skipElement(xml);
            } else if (xml.name() == u"annotation" || xml.name() == u"note"
                       || xml.namespaceUri() != kTextNs) {
                // Comments, footnotes and drawings are not the cell's text.
                skipElement(xml);
            } else if (++depth > kSheetMostXmlDepth) {  // a span, a link: its text counts
                xml.raiseError(u"nesting too deep"_s);
            }
            break;
        case QXmlStreamReader::EndElement: --depth; break;
        default: break;
        }
    }
}

QString cellText(QXmlStreamReader& xml)
{
    const QXmlStreamAttributes attributes = xml.attributes();
    const QString type = attribute(attributes, kOfficeNs, u"value-type");
    QString shown;
    if (type == u"float") {
        if (const std::optional<double> number =
                storedNumber(attribute(attributes, kOfficeNs, u"value")))
            shown = numberText(*number);
    } else if (type == u"date") {
        const QDate date = QDate::fromString(
            attribute(attributes, kOfficeNs, u"date-value").left(10), Qt::ISODate);
        if (date.isValid())
            shown = dateText(date);
    } else if (type == u"boolean") {
        const QString value = attribute(attributes, kOfficeNs, u"boolean-value");
        shown = value == u"true" ? u"PRAWDA"_s : u"FAŁSZ"_s;
    }
    CellText text;
    bool first = true;
    while (nextChild(xml)) {
        if (is(xml, kTextNs, u"p") || is(xml, kTextNs, u"h")) {
            if (!first)
                text.append(QChar(u'\n'));
            first = false;
            readParagraph(xml, text);
        } else {
            skipElement(xml);
        }
    }
    return shown.isNull() ? text.take() : shown;
}

class TableReader {
public:
    // Reads the rows of a table or of a row group; false when the sheet is
    // full and reading may stop.
    bool readRows(QXmlStreamReader& xml, int groupDepth)
    {
        while (nextChild(xml)) {
            if (is(xml, kTableNs, u"table-row")) {
                if (!readRow(xml))
                    return false;
            } else if (groupDepth < kMostGroupDepth
                       && (is(xml, kTableNs, u"table-row-group")
                           || is(xml, kTableNs, u"table-header-rows")
                           || is(xml, kTableNs, u"table-rows"))) {
                if (!readRows(xml, groupDepth + 1))
                    return false;
            } else {
                skipElement(xml);
            }
        }
        return true;
    }

    SheetTable take() { return builder_.take(); }

private:
    bool readRow(QXmlStreamReader& xml)
    {
        const qint64 repeat = repeatOf(xml, u"number-rows-repeated");
        QStringList cells;
        qint64 column = 0;
        while (nextChild(xml)) {
            const bool covered = is(xml, kTableNs, u"covered-table-cell");
            if (!covered && !is(xml, kTableNs, u"table-cell")) {
                skipElement(xml);
                continue;
            }
            const qint64 columns = repeatOf(xml, u"number-columns-repeated");
            QString text;
            if (covered)
                skipElement(xml);  // hidden under a merged cell: only its place counts
            else
                text = cellText(xml);
            if (!text.isEmpty()) {
                const qint64 fit = std::min(columns, kSheetMostColumns - column);
                if (fit < columns)
                    builder_.noteColumnsCut();
                if (fit > 0) {
                    cells.resize(static_cast<qsizetype>(column));
                    const QString kept = builder_.cell(text);
                    for (qint64 i = 0; i < fit; ++i)
                        cells.append(kept);  // one shared text however often repeated
                }
            }
            column = advance(column, columns);
        }
        trimTrailingEmpty(cells);
        if (!cells.isEmpty())
            for (qint64 i = 0; i < repeat; ++i)
                if (!builder_.setRow(row_ + i, cells))
                    return false;
        row_ = advance(row_, repeat);
        return true;
    }

    SheetBuilder builder_;
    qint64 row_ = 0;
};

}  // namespace

QStringList odsSheetNames(QuaZip& zip, const QString& fileName, QString* problem)
{
    // No spreadsheet program makes this many sheets.
    constexpr qsizetype kMostSheets = 65536;
    QStringList names;
    *problem = walkTables(zip, fileName, [&names](QXmlStreamReader& xml) {
        if (names.size() < kMostSheets)
            names.append(attribute(xml.attributes(), kTableNs, u"name"));
        skipElement(xml);
        return true;
    });
    if (!problem->isEmpty())
        return {};
    return names;
}

SheetTable readOdsSheet(QuaZip& zip, const QString& fileName, int sheet, QString* problem)
{
    int index = 0;
    bool found = false;
    TableReader reader;
    *problem = walkTables(zip, fileName, [&](QXmlStreamReader& xml) {
        if (index++ != sheet) {
            skipElement(xml);
            return true;
        }
        found = true;
        reader.readRows(xml, 0);
        return false;
    });
    if (problem->isEmpty() && !found)
        *problem = missingSheetProblem(fileName, sheet);
    if (!problem->isEmpty())
        return {};
    return reader.take();
}

}  // namespace wykazki

#include "sheets/sheetwriter.h"

#include "sheets/sheetcells.h"

#include <QBuffer>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamWriter>

#include <quazip.h>
#include <quazipfile.h>
#include <quazipnewinfo.h>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace wykazki {

namespace {

using namespace Qt::StringLiterals;

QString shownName(const QString& path)
{
    return QFileInfo(path).fileName();
}

bool needsQuotes(const QString& cell)
{
    for (const QChar c : cell)
        if (c == u';' || c == u',' || c == u'\t' || c == u'"' || c == u'\n' || c == u'\r')
            return true;
    return false;
}

// A cell with a separator of any kind (so that the reader's guess of the
// separator cannot go wrong), a quote or a line break is quoted.
QByteArray csvBytes(const SheetTable& table)
{
    QString text;
    for (const QStringList& row : table.rows) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += u';';
            if (needsQuotes(row[i]))
                text += u'"' + QString(row[i]).replace(u'"', u"\"\""_s) + u'"';
            else
                text += row[i];
        }
        text += u"\r\n"_s;
    }
    return "\xEF\xBB\xBF" + text.toUtf8();
}

bool isXmlCharacter(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
           || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// XLSX text: what XML cannot hold (and a carriage return, which XML reads
// as a line feed) as _xHHHH_ the way Excel writes it, and an underscore
// that would read as the start of such an escape as _x005F_.
QString xlsxText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c == u'\r' || c.isSurrogate() || !isXmlCharacter(c.unicode())) {
            out +=
                u"_x"_s + QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0') + u'_';
        } else if (c == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            out += u"_x005F_"_s;
        } else {
            out += c;
        }
    }
    return out;
}

// ODS text: what XML cannot hold is left out; a carriage return is a line
// break.
QString odsText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
        } else if (c == u'\r') {
            if (i + 1 >= text.size() || text[i + 1] != u'\n')
                out += u'\n';
        } else if (!c.isSurrogate() && isXmlCharacter(c.unicode())) {
            out += c;
        }
    }
    return out;
}

QString columnName(qsizetype column)
{
    QString name;
    for (qsizetype n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(static_cast<char16_t>(u'A' + (n - 1) % 26)));
    return name;
}

QString storedNumberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// The parts of a zip file, put together in memory.
class ZipWriter {
public:
    ZipWriter() : zip_(&buffer_) { ok_ = zip_.open(QuaZip::mdCreate); }

    // stored: without compression (the ODS mimetype must be).
    void add(const QString& name, const QByteArray& data, bool stored = false)
    {
        if (!ok_)
            return;
        QuaZipFile file(&zip_);
        ok_ = file.open(QIODevice::WriteOnly, QuaZipNewInfo(name), nullptr, 0,
                        stored ? 0 : Z_DEFLATED, stored ? 0 : Z_DEFAULT_COMPRESSION)
              && file.write(data) == data.size();
        file.close();
        ok_ = ok_ && file.getZipError() == ZIP_OK;
    }

    std::optional<QByteArray> finish()
    {
        zip_.close();
        if (!ok_ || zip_.getZipError() != ZIP_OK)
            return std::nullopt;
        return buffer_.data();
    }

private:
    QBuffer buffer_;
    QuaZip zip_;
    bool ok_ = false;
};

constexpr char kXmlHeader[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// A cell's value when the sheet is to hold it as a number.
std::optional<double> numberOf(const SheetTable& table, qsizetype row, qsizetype column)
{
    const QString& text = table.rows[row][column];
    if (table.numberCells.contains({static_cast<int>(row), static_cast<int>(column)})) {
        bool ok = false;
        const double value = QString(text).replace(u',', u'.').toDouble(&ok);
        if (ok && std::isfinite(value))
            return value;
    }
    return cellNumber(text);
}

QByteArray xmlPart(const char* body)
{
    return QByteArray(kXmlHeader) + body;
}

constexpr char kMain[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";

std::optional<QByteArray> xlsxBytes(const SheetTable& table)
{
    // Texts go to the shared strings once each, as spreadsheets keep them.
    QStringList strings;
    QHash<QString, qsizetype> stringIndex;
    QByteArray sheet;
    {
        QXmlStreamWriter xml(&sheet);
        xml.writeStartDocument(u"1.0"_s, true);
        xml.writeDefaultNamespace(QString::fromLatin1(kMain));
        xml.writeStartElement(u"worksheet"_s);
        xml.writeStartElement(u"sheetData"_s);
        for (qsizetype r = 0; r < table.rows.size(); ++r) {
            const QStringList& row = table.rows[r];
            bool started = false;
            for (qsizetype c = 0; c < row.size(); ++c) {
                const QString& cell = row[c];
                if (cell.isEmpty())
                    continue;
                if (!started) {
                    xml.writeStartElement(u"row"_s);
                    xml.writeAttribute(u"r"_s, QString::number(r + 1));
                    started = true;
                }
                xml.writeStartElement(u"c"_s);
                xml.writeAttribute(u"r"_s, columnName(c) + QString::number(r + 1));
                if (const std::optional<double> number = numberOf(table, r, c)) {
                    xml.writeTextElement(u"v"_s, storedNumberText(*number));
                } else {
                    xml.writeAttribute(u"t"_s, u"s"_s);
                    auto found = stringIndex.constFind(cell);
                    if (found == stringIndex.cend()) {
                        found = stringIndex.insert(cell, strings.size());
                        strings.append(cell);
                    }
                    xml.writeTextElement(u"v"_s, QString::number(*found));
                }
                xml.writeEndElement();  // c
            }
            if (started)
                xml.writeEndElement();  // row
        }
        xml.writeEndDocument();
    }
    QByteArray shared;
    {
        QXmlStreamWriter xml(&shared);
        xml.writeStartDocument(u"1.0"_s, true);
        xml.writeDefaultNamespace(QString::fromLatin1(kMain));
        xml.writeStartElement(u"sst"_s);
        xml.writeAttribute(u"uniqueCount"_s, QString::number(strings.size()));
        for (const QString& text : std::as_const(strings)) {
            xml.writeStartElement(u"si"_s);
            xml.writeStartElement(u"t"_s);
            xml.writeAttribute(u"xml:space"_s, u"preserve"_s);
            xml.writeCharacters(xlsxText(text));
            xml.writeEndElement();
            xml.writeEndElement();
        }
        xml.writeEndDocument();
    }
    ZipWriter zip;
    zip.add(u"[Content_Types].xml"_s,
            xmlPart("<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                    "<Default Extension=\"rels\" ContentType=\"application/"
                    "vnd.openxmlformats-package.relationships+xml\"/>"
                    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                    "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
                    "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                    "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
                    "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
                    "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
                    "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
                    "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"application/"
                    "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
                    "</Types>"));
    zip.add(u"_rels/.rels"_s,
            xmlPart("<Relationships "
                    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/officeDocument\" "
                    "Target=\"xl/workbook.xml\"/></Relationships>"));
    zip.add(u"xl/workbook.xml"_s,
            xmlPart("<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                    "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                    "relationships\"><sheets><sheet name=\"Klasa\" sheetId=\"1\" r:id=\"rId1\"/>"
                    "</sheets></workbook>"));
    zip.add(u"xl/_rels/workbook.xml.rels"_s,
            xmlPart("<Relationships "
                    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/worksheet\" "
                    "Target=\"worksheets/sheet1.xml\"/>"
                    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
                    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/"
                    "officeDocument/2006/relationships/sharedStrings\" "
                    "Target=\"sharedStrings.xml\"/></Relationships>"));
    zip.add(u"xl/styles.xml"_s,
            xmlPart("<styleSheet "
                    "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                    "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font>"
                    "</fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
                    "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
                    "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/>"
                    "</border></borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" "
                    "fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
                    "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
                    "borderId=\"0\" xfId=\"0\"/></cellXfs><cellStyles count=\"1\">"
                    "<cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
                    "</styleSheet>"));
    zip.add(u"xl/sharedStrings.xml"_s, shared);
    zip.add(u"xl/worksheets/sheet1.xml"_s, sheet);
    return zip.finish();
}

constexpr char kOfficeNs[] = "urn:oasis:names:tc:opendocument:xmlns:office:1.0";
constexpr char kTableNs[] = "urn:oasis:names:tc:opendocument:xmlns:table:1.0";
constexpr char kTextNs[] = "urn:oasis:names:tc:opendocument:xmlns:text:1.0";

// One line of a cell as a paragraph: spaces that ODF would fold (at the
// start or end, or after another space) as text:s, tabs as text:tab.
void writeParagraph(QXmlStreamWriter& xml, QStringView line)
{
    const QString text = QString::fromLatin1(kTextNs);
    xml.writeStartElement(text, u"p"_s);
    qsizetype i = 0;
    while (i < line.size()) {
        if (line[i] == u'\t') {
            xml.writeEmptyElement(text, u"tab"_s);
            ++i;
            continue;
        }
        qsizetype end = i;
        if (line[i] == u' ') {
            while (end < line.size() && line[end] == u' ')
                ++end;
            qsizetype folded = end - i;
            if (i > 0 && end < line.size()) {
                xml.writeCharacters(u" "_s);
                --folded;
            }
            if (folded > 0) {
                xml.writeEmptyElement(text, u"s"_s);
                if (folded > 1)
                    xml.writeAttribute(text, u"c"_s, QString::number(folded));
            }
        } else {
            while (end < line.size() && line[end] != u' ' && line[end] != u'\t')
                ++end;
            xml.writeCharacters(line.sliced(i, end - i).toString());
        }
        i = end;
    }
    xml.writeEndElement();
}

std::optional<QByteArray> odsBytes(const SheetTable& table)
{
    const QString office = QString::fromLatin1(kOfficeNs);
    const QString tableNs = QString::fromLatin1(kTableNs);
    QByteArray content;
    {
        QXmlStreamWriter xml(&content);
        xml.writeStartDocument(u"1.0"_s, true);
        xml.writeNamespace(office, u"office"_s);
        xml.writeNamespace(tableNs, u"table"_s);
        xml.writeNamespace(QString::fromLatin1(kTextNs), u"text"_s);
        xml.writeStartElement(office, u"document-content"_s);
        xml.writeAttribute(office, u"version"_s, u"1.2"_s);
        xml.writeStartElement(office, u"body"_s);
        xml.writeStartElement(office, u"spreadsheet"_s);
        xml.writeStartElement(tableNs, u"table"_s);
        xml.writeAttribute(tableNs, u"name"_s, u"Klasa"_s);
        xml.writeEmptyElement(tableNs, u"table-column"_s);
        xml.writeAttribute(tableNs, u"number-columns-repeated"_s,
                           QString::number(std::max(1, table.columnCount())));
        for (qsizetype r = 0; r < table.rows.size(); ++r) {
            const QStringList& row = table.rows[r];
            xml.writeStartElement(tableNs, u"table-row"_s);
            qsizetype empty = 0;  // empty cells not written yet
            const auto writeEmpty = [&] {
                if (empty == 0)
                    return;
                xml.writeEmptyElement(tableNs, u"table-cell"_s);
                if (empty > 1)
                    xml.writeAttribute(tableNs, u"number-columns-repeated"_s,
                                       QString::number(empty));
                empty = 0;
            };
            for (qsizetype c = 0; c < row.size(); ++c) {
                const QString& cell = row[c];
                if (cell.isEmpty()) {
                    ++empty;
                    continue;
                }
                writeEmpty();
                xml.writeStartElement(tableNs, u"table-cell"_s);
                if (const std::optional<double> number = numberOf(table, r, c)) {
                    xml.writeAttribute(office, u"value-type"_s, u"float"_s);
                    xml.writeAttribute(office, u"value"_s, storedNumberText(*number));
                } else {
                    xml.writeAttribute(office, u"value-type"_s, u"string"_s);
                }
                const QString text = odsText(cell);
                for (const QStringView line : QStringView(text).split(u'\n'))
                    writeParagraph(xml, line);
                xml.writeEndElement();  // table-cell
            }
            if (row.isEmpty())
                xml.writeEmptyElement(tableNs, u"table-cell"_s);
            else
                writeEmpty();
            xml.writeEndElement();  // table-row
        }
        if (table.rows.isEmpty()) {  // a table has at least one row
            xml.writeStartElement(tableNs, u"table-row"_s);
            xml.writeEmptyElement(tableNs, u"table-cell"_s);
            xml.writeEndElement();
        }
        xml.writeEndDocument();
    }
    ZipWriter zip;
    zip.add(u"mimetype"_s, "application/vnd.oasis.opendocument.spreadsheet", true);
    zip.add(u"META-INF/manifest.xml"_s,
            xmlPart("<manifest:manifest "
                    "xmlns:manifest=\"urn:oasis:names:tc:opendocument:xmlns:manifest:1.0\" "
                    "manifest:version=\"1.2\"><manifest:file-entry manifest:full-path=\"/\" "
                    "manifest:version=\"1.2\" manifest:media-type=\"application/"
                    "vnd.oasis.opendocument.spreadsheet\"/><manifest:file-entry "
                    "manifest:full-path=\"content.xml\" manifest:media-type=\"text/xml\"/>"
                    "</manifest:manifest>"));
    zip.add(u"content.xml"_s, content);
    return zip.finish();
}

}  // namespace

bool writeSheet(const QString& path, const SheetTable& table, SheetFormat format, QString* problem)
{
    QString found;
    QString* const out = problem ? problem : &found;
    out->clear();
    std::optional<QByteArray> bytes;
    switch (format) {
    case SheetFormat::Csv: bytes = csvBytes(table); break;
    case SheetFormat::Xlsx: bytes = xlsxBytes(table); break;
    case SheetFormat::Ods: bytes = odsBytes(table); break;
    }
    if (!bytes) {
        *out = u"Nie udało się przygotować arkusza do zapisu w pliku %1."_s.arg(shownName(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        *out = u"Zapis pliku %1 nie powiódł się."_s.arg(shownName(path));
        return false;
    }
    return true;
}

}  // namespace wykazki

#include "sheets/xlsxreader.h"

#include "sheets/sheetcells.h"
#include "sheets/zippart.h"

#include <QDir>
#include <QHash>
#include <QList>
#include <QXmlStreamReader>

#include <cstdint>
#include <vector>

namespace wykazki {

namespace {

// Lists longer than any workbook holds are read only so far.
constexpr qsizetype kMostListed = 65536;
// A row or column number beyond the sheet's end, where every larger one
// stops (so that counting on from it never overflows).
constexpr qint64 kFarBeyond = qint64(1) << 40;

using namespace Qt::StringLiterals;

struct Relationship {
    QString type;
    QString target;  // a path inside the zip
};

struct SheetEntry {
    QString name;
    QString relationshipId;
};

struct Workbook {
    QString path;
    QList<SheetEntry> sheets;
    bool date1904 = false;
};

// Reading a part: a missing part is nullopt without a problem when it may
// be missing.
enum class Need { Optional, Required };

QString folderOf(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash < 0 ? QString() : path.left(slash);
}

// A relationship's target as a path inside the zip: absolute ("/xl/...")
// from the zip's root, else relative to the folder of the part naming it.
QString resolveTarget(const QString& folder, const QString& target)
{
    if (target.startsWith(u'/'))
        return QDir::cleanPath(target.mid(1));
    return QDir::cleanPath(folder.isEmpty() ? target : folder + u'/' + target);
}

// The relationships of part (from its _rels/NAME.rels), by id.
std::optional<QHash<QString, Relationship>> readRelationships(QuaZip& zip, const QString& fileName,
                                                              const QString& part, Need need,
                                                              QString* problem)
{
    const QString folder = folderOf(part);
    const QString relsPath = (folder.isEmpty() ? QString() : folder + u'/') + u"_rels/"_s
                             + part.mid(folder.isEmpty() ? 0 : folder.size() + 1) + u".rels"_s;
    ZipPart rels(zip, fileName);
    if (!rels.open(relsPath)) {
        if (need == Need::Required)
            *problem = rels.missingProblem();
        return std::nullopt;
    }
    QXmlStreamReader& xml = rels.xml();
    QHash<QString, Relationship> found;
    if (nextChild(xml)) {
        while (nextChild(xml)) {
            if (xml.name() == u"Relationship" && found.size() < kMostListed) {
                const QXmlStreamAttributes attributes = xml.attributes();
                if (attributes.value("TargetMode"_L1) != u"External")
                    found.insert(attributes.value("Id"_L1).toString(),
                                 {attributes.value("Type"_L1).toString(),
                                  resolveTarget(folder, attributes.value("Target"_L1).toString())});
            }
            skipElement(xml);
        }
    }
    *problem = rels.problem();
    if (!problem->isEmpty())
        return std::nullopt;
    return found;
}

std::optional<Relationship> firstOfType(const QHash<QString, Relationship>& relationships,
                                        QStringView typeEnd)
{
    for (const Relationship& relationship : relationships)
        if (relationship.type.endsWith(typeEnd))
            return relationship;
    return std::nullopt;
}

// The relationship id attribute (r:id in either namespace of the standard).
QString relationshipIdOf(const QXmlStreamAttributes& attributes)
{
    for (const QXmlStreamAttribute& attribute : attributes)
        if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty())
            return attribute.value().toString();
    return {};
}

std::optional<Workbook> readWorkbook(QuaZip& zip, const QString& fileName, QString* problem)
{
    Workbook workbook;
    workbook.path = u"xl/workbook.xml"_s;
    if (const auto top = readRelationships(zip, fileName, QString(), Need::Optional, problem)) {
        if (const auto office = firstOfType(*top, u"/officeDocument"))
            workbook.path = office->target;
    } else if (!problem->isEmpty()) {
        return std::nullopt;
    }
    ZipPart part(zip, fileName);
    if (!part.open(workbook.path)) {
        *problem = part.missingProblem();
        return std::nullopt;
    }
    QXmlStreamReader& xml = part.xml();
    if (nextChild(xml)) {
        while (nextChild(xml)) {
            if (xml.name() == u"workbookPr") {
                const QStringView date1904 = xml.attributes().value("date1904"_L1);
                workbook.date1904 = date1904 == u"1" || date1904 == u"true";
                skipElement(xml);
            } else if (xml.name() == u"sheets") {
                while (nextChild(xml)) {
                    if (xml.name() == u"sheet" && workbook.sheets.size() < kMostListed)
                        workbook.sheets.append({xml.attributes().value("name"_L1).toString(),
                                                relationshipIdOf(xml.attributes())});
                    skipElement(xml);
                }
            } else {
                skipElement(xml);
            }
        }
    }
    *problem = part.problem();
    if (!problem->isEmpty())
        return std::nullopt;
    return workbook;
}

// Shared strings kept in one text, each ending at its offset: a part of
// many tiny strings costs a few bytes a string.
class SharedStrings {
public:
    void append(const QString& text)
    {
        all_ += text;
        ends_.push_back(static_cast<std::uint32_t>(all_.size()));
    }
    QString at(qint64 index) const
    {
        if (index < 0 || index >= static_cast<qint64>(ends_.size()))
            return {};
        const auto i = static_cast<std::size_t>(index);
        const qsizetype start = i == 0 ? 0 : ends_[i - 1];
        return all_.mid(start, ends_[i] - start);
    }

private:
    QString all_;
    std::vector<std::uint32_t> ends_;
};

// Excel writes characters XML cannot hold as _xHHHH_ (and a literal "_x" as
// _x005F_).
QString unescapeOoxml(QString text)
{
    if (!text.contains(u"_x"))
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'_' && i + 6 < text.size() && text[i + 1] == u'x' && text[i + 6] == u'_') {
            bool ok = false;
            const uint code = QStringView(text).mid(i + 2, 4).toUInt(&ok, 16);
            if (ok) {
                out += QChar(static_cast<char16_t>(code));
                i += 6;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

// The text of a rich string (<si> or <is>): its <t> and the <t> of its
// runs, without the phonetic readings.
QString richText(QXmlStreamReader& xml)
{
    CellText text;
    while (nextChild(xml)) {
        if (xml.name() == u"t") {
            gatherText(xml, text);
        } else if (xml.name() == u"r") {
            while (nextChild(xml)) {
                if (xml.name() == u"t")
                    gatherText(xml, text);
                else
                    skipElement(xml);
            }
        } else {
            skipElement(xml);
        }
    }
    return unescapeOoxml(text.take());
}

std::optional<SharedStrings> readSharedStrings(QuaZip& zip, const QString& fileName,
                                               const QString& path, QString* problem)
{
    SharedStrings strings;
    ZipPart part(zip, fileName);
    if (!part.open(path))
        return strings;  // a workbook without texts
    QXmlStreamReader& xml = part.xml();
    if (nextChild(xml)) {
        while (nextChild(xml)) {
            if (xml.name() == u"si")
                strings.append(richText(xml));
            else
                skipElement(xml);
        }
    }
    *problem = part.problem();
    if (!problem->isEmpty())
        return std::nullopt;
    return strings;
}

// Whether a number format shows a date: the built-in date formats, or a
// format of its own with day, month or year in it (a month "m" only without
// hours or seconds, where it means minutes).
bool isDateFormat(int id, QStringView code)
{
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 50 && id <= 58))
        return true;
    bool day = false;
    bool month = false;
    bool time = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i].toLower();
        if (c == u'"') {  // a quoted literal
            while (++i < code.size() && code[i] != u'"') {}
        } else if (c == u'[') {  // a colour, a condition or a locale
            while (++i < code.size() && code[i] != u']') {}
        } else if (c == u'\\' || c == u'_' || c == u'*') {  // the next character is literal
            ++i;
        } else if (c == u'd' || c == u'y') {
            day = true;
        } else if (c == u'm') {
            month = true;
        } else if (c == u'h' || c == u's') {
            time = true;
        }
    }
    return day || (month && !time);
}

// For each cell format (the s attribute of a cell), whether it shows a date.
std::optional<std::vector<bool>> readDateStyles(QuaZip& zip, const QString& fileName,
                                                const QString& path, QString* problem)
{
    std::vector<bool> dateStyles;
    ZipPart part(zip, fileName);
    if (!part.open(path))
        return dateStyles;
    QHash<int, bool> customDates;
    QXmlStreamReader& xml = part.xml();
    if (nextChild(xml)) {
        while (nextChild(xml)) {
            if (xml.name() == u"numFmts") {
                while (nextChild(xml)) {
                    if (xml.name() == u"numFmt" && customDates.size() < kMostListed) {
                        const int id = xml.attributes().value("numFmtId"_L1).toInt();
                        customDates.insert(
                            id, isDateFormat(id, xml.attributes().value("formatCode"_L1)));
                    }
                    skipElement(xml);
                }
            } else if (xml.name() == u"cellXfs") {
                while (nextChild(xml)) {
                    if (xml.name() == u"xf"
                        && dateStyles.size() < static_cast<std::size_t>(kMostListed)) {
                        const int id = xml.attributes().value("numFmtId"_L1).toInt();
                        dateStyles.push_back(customDates.value(id, isDateFormat(id, {})));
                    }
                    skipElement(xml);
                }
            } else {
                skipElement(xml);
            }
        }
    }
    *problem = part.problem();
    if (!problem->isEmpty())
        return std::nullopt;
    return dateStyles;
}

// A cell reference's column ("C7" → 2), or -1 when it has none; columns far
// beyond the sheet's end all come out as one large number.
qint64 columnOf(QStringView reference)
{
    qint64 column = 0;
    qsizetype i = 0;
    for (; i < reference.size(); ++i) {
        const char16_t c = reference[i].toUpper().unicode();
        if (c < u'A' || c > u'Z')
            break;
        column = std::min(column * 26 + (c - u'A' + 1), kFarBeyond);
    }
    return i == 0 ? -1 : column - 1;
}

// A serial day number as a date: days since 30.12.1899 (with the 1900
// system's leap day that never was before March 1900), or since 1.1.1904.
std::optional<QDate> dateOfSerial(double serial, bool date1904)
{
    constexpr double kLastSerial = 2958465;  // 31.12.9999
    if (!(serial >= 1 && serial <= kLastSerial))
        return std::nullopt;
    auto days = static_cast<qint64>(serial);
    if (date1904)
        return QDate(1904, 1, 1).addDays(days);
    if (days < 60)
        ++days;
    return QDate(1899, 12, 30).addDays(days);
}

class SheetReader {
public:
    SheetReader(const SharedStrings& strings, const std::vector<bool>& dateStyles, bool date1904)
        : strings_(strings), dateStyles_(dateStyles), date1904_(date1904)
    {
    }

    // Reads the rows of sheetData; stops early when the sheet is full.
    void readSheetData(QXmlStreamReader& xml)
    {
        qint64 row = -1;
        while (nextChild(xml)) {
            if (xml.name() != u"row") {
                skipElement(xml);
                continue;
            }
            bool ok = false;
            const qint64 number = xml.attributes().value("r"_L1).toLongLong(&ok);
            row = ok && number >= 1 ? std::min(number, kFarBeyond) - 1 : row + 1;
            if (!builder_.setRow(row, readRow(xml)))
                return;
        }
    }

    SheetTable take() { return builder_.take(); }

private:
    QStringList readRow(QXmlStreamReader& xml)
    {
        QStringList cells;
        qint64 column = -1;
        while (nextChild(xml)) {
            if (xml.name() != u"c") {
                skipElement(xml);
                continue;
            }
            const qint64 referenced = columnOf(xml.attributes().value("r"_L1));
            column = referenced >= 0 ? referenced : column + 1;
            QString text = readCell(xml);
            if (text.isEmpty())
                continue;
            if (column >= kSheetMostColumns) {
                builder_.noteColumnsCut();
                continue;
            }
            const auto at = static_cast<qsizetype>(column);
            if (cells.size() <= at)
                cells.resize(at + 1);
            cells[at] = builder_.cell(std::move(text));
        }
        return cells;
    }

    QString readCell(QXmlStreamReader& xml)
    {
        const QXmlStreamAttributes attributes = xml.attributes();
        const QString type = attributes.value("t"_L1).toString();
        bool styled = false;
        const qint64 style = attributes.value("s"_L1).toLongLong(&styled);
        const bool isDate = styled && style >= 0 && style < static_cast<qint64>(dateStyles_.size())
                            && dateStyles_[static_cast<std::size_t>(style)];
        CellText value;
        QString inlineText;
        while (nextChild(xml)) {
            if (xml.name() == u"v")
                gatherText(xml, value);
            else if (xml.name() == u"is")
                inlineText = richText(xml);
            else
                skipElement(xml);
        }
        QString v = value.take();
        if (type == u"inlineStr")
            return inlineText;
        if (type == u"s") {
            bool ok = false;
            const qint64 index = v.trimmed().toLongLong(&ok);
            return ok ? strings_.at(index) : QString();
        }
        if (type == u"str" || type == u"e")
            return unescapeOoxml(v);
        if (type == u"b")
            return v.trimmed() == u"1" ? u"PRAWDA"_s : u"FAŁSZ"_s;
        if (type == u"d") {
            const QDate date = QDate::fromString(v.left(10), Qt::ISODate);
            return date.isValid() ? dateText(date) : v;
        }
        const std::optional<double> number = storedNumber(v);
        if (!number)
            return v;
        if (isDate)
            if (const std::optional<QDate> date = dateOfSerial(*number, date1904_))
                return dateText(*date);
        return numberText(*number);
    }

    const SharedStrings& strings_;
    const std::vector<bool>& dateStyles_;
    bool date1904_;
    SheetBuilder builder_;
};

}  // namespace

QStringList xlsxSheetNames(QuaZip& zip, const QString& fileName, QString* problem)
{
    const std::optional<Workbook> workbook = readWorkbook(zip, fileName, problem);
    if (!workbook)
        return {};
    QStringList names;
    for (const SheetEntry& sheet : workbook->sheets)
        names.append(sheet.name);
    return names;
}

SheetTable readXlsxSheet(QuaZip& zip, const QString& fileName, int sheet, QString* problem)
{
    const std::optional<Workbook> workbook = readWorkbook(zip, fileName, problem);
    if (!workbook)
        return {};
    if (sheet < 0 || sheet >= workbook->sheets.size()) {
        *problem = missingSheetProblem(fileName, sheet);
        return {};
    }
    const auto relationships =
        readRelationships(zip, fileName, workbook->path, Need::Required, problem);
    if (!relationships)
        return {};
    const auto sheetRelationship = relationships->constFind(workbook->sheets[sheet].relationshipId);
    if (sheetRelationship == relationships->cend()) {
        *problem = missingSheetProblem(fileName, sheet);
        return {};
    }
    std::optional<SharedStrings> strings;
    if (const auto shared = firstOfType(*relationships, u"/sharedStrings"))
        strings = readSharedStrings(zip, fileName, shared->target, problem);
    else
        strings = SharedStrings();
    if (!strings)
        return {};
    std::optional<std::vector<bool>> dateStyles;
    if (const auto styles = firstOfType(*relationships, u"/styles"))
        dateStyles = readDateStyles(zip, fileName, styles->target, problem);
    else
        dateStyles = std::vector<bool>();
    if (!dateStyles)
        return {};

    ZipPart part(zip, fileName);
    if (!part.open(sheetRelationship->target)) {
        *problem = part.missingProblem();
        return {};
    }
    QXmlStreamReader& xml = part.xml();
    SheetReader reader(*strings, *dateStyles, workbook->date1904);
    if (nextChild(xml)) {
        while (nextChild(xml)) {
            if (xml.name() == u"sheetData") {
                reader.readSheetData(xml);
                break;  // nothing after the cells matters
            }
            skipElement(xml);
        }
    }
    if (xml.hasError()) {
        *problem = part.problem();
        return {};
    }
    return reader.take();
}

}  // namespace wykazki

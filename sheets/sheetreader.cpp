#include "sheets/sheetreader.h"

#include "qtbridge/cp1250text.h"
#include "sheets/odsreader.h"
#include "sheets/sheetcells.h"
#include "sheets/xlsxreader.h"
#include "sheets/zippart.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <quazip.h>

#include <array>
#include <string_view>

namespace wykazki {

namespace {

using namespace Qt::StringLiterals;

QString shownName(const QString& path)
{
    return QFileInfo(path).fileName();
}

// Only a regular file is opened: a directory, a device or a FIFO would
// fail or block the reader.
bool isReadableFile(const QString& path, QString* problem)
{
    const QFileInfo info(path);
    if (!info.exists())
        *problem = u"Plik %1 nie istnieje."_s.arg(shownName(path));
    else if (!info.isFile())
        *problem =
            u"%1 nie jest zwykłym plikiem, więc nie może być arkuszem."_s.arg(shownName(path));
    return problem->isEmpty();
}

QString unknownFormatProblem(const QString& path)
{
    return u"Plik %1 nie jest arkuszem XLSX, ODS ani plikiem CSV."_s.arg(shownName(path));
}

std::optional<QByteArray> readCsvBytes(const QString& path, QString* problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *problem = u"Nie można otworzyć pliku %1."_s.arg(shownName(path));
        return std::nullopt;
    }
    // One byte past the limit tells a file of exactly the limit from a
    // larger one.
    QByteArray bytes = file.read(kSheetMostPartBytes + 1);
    if (bytes.size() > kSheetMostPartBytes) {
        *problem = u"Plik %1 jest zbyt duży: ma ponad %2 MB."_s.arg(shownName(path))
                       .arg(kSheetMostPartMegabytes);
        return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError) {
        *problem = u"Odczyt pliku %1 nie powiódł się."_s.arg(shownName(path));
        return std::nullopt;
    }
    return bytes;
}

// The separators a CSV file may use, the likelier first when two fit as
// well: TAB (what spreadsheets put on the clipboard), ';' (what Polish
// spreadsheets save), ','.
constexpr std::array<QChar, 3> kSeparators = {u'\t', u';', u','};

// The separator that splits the most of the first records into the same
// number of fields.
QChar detectSeparator(QStringView text)
{
    // The first records, within the first characters: enough to tell.
    constexpr int kRecords = 10;
    constexpr qsizetype kMostScanned = qsizetype(1024) * 1024;
    std::array<QList<int>, kSeparators.size()> counts;
    std::array<int, kSeparators.size()> current{};
    bool inQuotes = false;
    bool anyInRecord = false;
    int records = 0;
    const qsizetype end = std::min(text.size(), kMostScanned);
    auto endRecord = [&] {
        if (anyInRecord) {
            for (std::size_t s = 0; s < kSeparators.size(); ++s)
                counts[s].append(current[s]);
            ++records;
        }
        current = {};
        anyInRecord = false;
    };
    for (qsizetype i = 0; i < end && records < kRecords; ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            inQuotes = !inQuotes;  // a doubled quote toggles twice
        } else if (!inQuotes && (c == u'\n' || c == u'\r')) {
            endRecord();
            continue;
        } else if (!inQuotes) {
            for (std::size_t s = 0; s < kSeparators.size(); ++s)
                if (c == kSeparators[s])
                    ++current[s];
        }
        anyInRecord = true;
    }
    endRecord();
    // Each separator scores the records that share its most common
    // (non-zero) count.
    QChar best = u';';
    qsizetype bestAlike = 0;
    for (std::size_t s = 0; s < kSeparators.size(); ++s) {
        qsizetype alike = 0;
        for (const int count : counts[s])
            if (count > 0)
                alike = std::max(alike, counts[s].count(count));
        if (alike > bestAlike) {
            best = kSeparators[s];
            bestAlike = alike;
        }
    }
    return best;
}

// Fields and records of CSV text, put into a builder within its limits.
class CsvParser {
public:
    CsvParser(QStringView text, QChar separator) : text_(text), separator_(separator) {}

    SheetTable parse()
    {
        const qsizetype size = text_.size();
        qsizetype i = 0;
        while (i < size && !builder_.full()) {
            const QChar c = text_[i];
            if (inQuotes_) {
                if (c == u'"') {
                    if (i + 1 < size && text_[i + 1] == u'"') {
                        cell_.append(QChar(u'"'));
                        ++i;
                    } else {
                        inQuotes_ = false;
                    }
                    ++i;
                } else if (c == u'\r') {
                    // A line break inside a cell is "\n", whichever the file used.
                    cell_.append(QChar(u'\n'));
                    i += i + 1 < size && text_[i + 1] == u'\n' ? 2 : 1;
                } else {
                    i = appendRun(i, true);
                }
            } else if (c == u'"' && atFieldStart_) {
                inQuotes_ = true;
                atFieldStart_ = false;
                ++i;
            } else if (c == separator_) {
                endField();
                ++i;
            } else if (c == u'\r' || c == u'\n') {
                endField();
                endRecord();
                i += c == u'\r' && i + 1 < size && text_[i + 1] == u'\n' ? 2 : 1;
            } else {
                atFieldStart_ = false;
                i = appendRun(i, false);
            }
        }
        // The last record, when the text does not end with a line break.
        if (!builder_.full() && (!atFieldStart_ || !row_.isEmpty())) {
            endField();
            endRecord();
        }
        return builder_.take();
    }

private:
    // Appends the characters from i up to the next one with a meaning;
    // returns where that one is.
    qsizetype appendRun(qsizetype i, bool quoted)
    {
        qsizetype end = i;
        while (end < text_.size()) {
            const QChar c = text_[end];
            if (c == u'"' || c == u'\r' || (!quoted && (c == u'\n' || c == separator_)))
                break;
            ++end;
        }
        if (end == i)  // a quote inside an unquoted field is just a quote
            ++end;
        cell_.append(text_.sliced(i, end - i));
        return end;
    }

    void endField()
    {
        QString text = cell_.take();
        if (row_.size() < kSheetMostColumns)
            row_.append(builder_.cell(std::move(text)));
        else if (!text.isEmpty())
            builder_.noteColumnsCut();
        atFieldStart_ = true;
    }

    void endRecord()
    {
        builder_.setRow(record_++, std::move(row_));
        row_ = QStringList();
    }

    QStringView text_;
    QChar separator_;
    SheetBuilder builder_;
    CellText cell_;
    QStringList row_;
    qint64 record_ = 0;
    bool inQuotes_ = false;
    bool atFieldStart_ = true;
};

bool startsWith(const QByteArray& bytes, std::string_view prefix)
{
    return bytes.startsWith(QByteArrayView(prefix.data(), static_cast<qsizetype>(prefix.size())));
}

}  // namespace

namespace {

// The format of a sheet file that can be read, else nullopt with the
// problem in out.
std::optional<SheetFormat> readableFormat(const QString& path, QString* out)
{
    out->clear();
    const std::optional<SheetFormat> format = sheetFormatOf(path);
    if (!format) {
        *out = unknownFormatProblem(path);
        return std::nullopt;
    }
    if (!isReadableFile(path, out))
        return std::nullopt;
    return format;
}

}  // namespace

QStringList sheetNames(const QString& path, QString* problem)
{
    QString found;
    QString* const out = problem ? problem : &found;
    const std::optional<SheetFormat> format = readableFormat(path, out);
    if (!format)
        return {};
    if (*format == SheetFormat::Csv)
        return {QString()};
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        *out = brokenWorkbookProblem(shownName(path));
        return {};
    }
    return *format == SheetFormat::Xlsx ? xlsxSheetNames(zip, shownName(path), out)
                                        : odsSheetNames(zip, shownName(path), out);
}

SheetTable readSheet(const QString& path, const SheetReadOptions& options, QString* problem)
{
    QString found;
    QString* const out = problem ? problem : &found;
    const std::optional<SheetFormat> format = readableFormat(path, out);
    if (!format)
        return {};
    if (*format == SheetFormat::Csv) {
        const std::optional<QByteArray> bytes = readCsvBytes(path, out);
        return bytes ? readCsvText(decodeText(*bytes, options.encoding)) : SheetTable();
    }
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        *out = brokenWorkbookProblem(shownName(path));
        return {};
    }
    SheetTable table = *format == SheetFormat::Xlsx
                           ? readXlsxSheet(zip, shownName(path), options.sheet, out)
                           : readOdsSheet(zip, shownName(path), options.sheet, out);
    return out->isEmpty() ? table : SheetTable();
}

SheetTable readCsvText(const QString& text)
{
    QStringView view(text);
    if (view.startsWith(QChar(0xFEFF)))
        view = view.sliced(1);
    return CsvParser(view, detectSeparator(view)).parse();
}

QString decodeText(const QByteArray& bytes, TextEncoding encoding)
{
    const auto windows1250 = [](QByteArrayView raw) {
        return qstringFromCp1250(
            std::string_view(raw.data(), static_cast<std::size_t>(raw.size())));
    };
    const auto utf16 = [&bytes](QStringConverter::Encoding order) {
        QStringDecoder decoder(order, QStringDecoder::Flag::Stateless);
        return QString(decoder(QByteArrayView(bytes).sliced(2)));
    };
    const bool utf8Bom = startsWith(bytes, "\xEF\xBB\xBF");
    const QByteArrayView body = QByteArrayView(bytes).sliced(utf8Bom ? 3 : 0);
    switch (encoding) {
    case TextEncoding::Utf8: return QString::fromUtf8(body);
    case TextEncoding::Windows1250: return windows1250(body);
    case TextEncoding::Automatic: break;
    }
    if (startsWith(bytes, "\xFF\xFE"))
        return utf16(QStringConverter::Utf16LE);
    if (startsWith(bytes, "\xFE\xFF"))
        return utf16(QStringConverter::Utf16BE);
    QStringDecoder utf8(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(body);
    if (utf8Bom || !utf8.hasError())
        return text;
    return windows1250(body);
}

}  // namespace wykazki

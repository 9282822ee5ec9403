#include "classio/classimport.h"

#include "classio/matchkey.h"

#include "document/computedvalues.h"
#include "document/cp1250.h"
#include "document/grades.h"
#include "qtbridge/cp1250text.h"

#include <algorithm>
#include <deque>
#include <map>
#include <utility>

namespace wykazki {

namespace {

// How many unrecognised values the summary names.
constexpr int kMostListed = 10;

// A cell of the turned table where the sheet shows it ("C5").
QString sheetCellName(int pupilRow, int column, bool pupilsAreRows)
{
    const int row = pupilsAreRows ? pupilRow : column;
    const int col = pupilsAreRows ? column : pupilRow;
    return sheetColumnName(col) + QString::number(row + 1);
}

// Windows-1250 bytes of a sheet's text: its line breaks as stored texts
// have them (CR LF), characters the code page cannot hold as '?', counted.
std::string storedText(const QString& text, int& lost)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(u'\r', u'\n');
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(lines.size()));
    for (const char32_t codePoint : lines.toUcs4()) {
        if (const auto byte = cp1250::fromUnicode(codePoint)) {
            bytes.push_back(static_cast<char>(*byte));
        } else {
            bytes.push_back('?');
            ++lost;
        }
    }
    return bytes;
}

bool isEmptyCell(const QString& text)
{
    return text.trimmed().isEmpty();
}

// The pupils already in the class by name key, each name's pupils in class
// order, so that two pupils of one name take two rows of the sheet.
using PupilsByName = std::map<QString, std::deque<std::size_t>>;

PupilsByName pupilsByName(const Document& document, std::size_t namePhrase)
{
    PupilsByName byName;
    const TDokumenty& pupils = document.pupils();
    for (std::size_t x = 0; x < pupils.count(); ++x) {
        const QString key = matchKey(qstringFromCp1250(document.value(x, namePhrase).text));
        if (!key.isEmpty())
            byName[key].push_back(x);
    }
    return byName;
}

bool headsNames(const QString& header)
{
    const QString key = matchKey(header);
    for (const char* word : {"nazwisk", "imie", "uczen", "ucznia", "uczniow"})
        if (key.contains(QLatin1String(word)))
            return true;
    return false;
}

// The unmapped column that holds pupils' names; -1 when none seems to.
int nameColumnOf(const SheetTable& turned, const ImportMapping& mapping)
{
    const auto columns = static_cast<int>(mapping.phraseOfColumn.size());
    const auto isFree = [&](int c) {
        return mapping.phraseOfColumn[static_cast<std::size_t>(c)] < 0;
    };
    if (mapping.headerRow >= 0)
        for (int c = 0; c < columns; ++c)
            if (isFree(c) && headsNames(turned.cell(mapping.headerRow, c)))
                return c;
    const int firstRow = mapping.headerRow + 1;
    for (int c = 0; c < columns; ++c) {
        if (!isFree(c))
            continue;
        for (int r = firstRow; r < turned.rowCount(); ++r) {
            const QString text = turned.cell(r, c);
            if (isEmptyCell(text))
                continue;
            if (std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.isLetter(); }))
                return c;
            break;
        }
    }
    return -1;
}

// The text of every computed average phrase, as "Wylicz średnie" writes
// it, for an imported pupil: fresh, or pupil x of the class with the
// edits made so far.
void keepAveragesCurrent(const TFrazy& phrases, std::optional<std::size_t> x, TDok& fresh,
                         const Document& document, std::vector<CellEdit>& edits,
                         std::size_t firstEdit)
{
    std::vector<std::size_t> averages;
    for (std::size_t j = 0; j < phrases.count(); ++j)
        if (taggedRole(phrases[j]) == PhraseRole::Average)
            averages.push_back(j);
    if (averages.empty())
        return;
    TDokumenty one;
    if (x) {
        TDok pupil = document.pupils()[*x];
        // The edits of this pupil's row, the last ones made.
        for (std::size_t k = firstEdit; k < edits.size(); ++k)
            setFieldValue(pupil.values[edits[k].phrase], edits[k].field, edits[k].value);
        one.push_back(std::move(pupil));
    } else {
        one.push_back(fresh);
    }
    const std::string text = averageText(pupilAverage(phrases, one, 0));
    for (const std::size_t j : averages) {
        if (!x)
            fresh.values[j].text = text;
        else if (document.value(*x, j).text != text)
            edits.push_back({*x, j, ValueField::Text, text});
    }
}

}  // namespace

QString polishCount(long long n, const QString& one, const QString& few, const QString& many)
{
    const long long tens = n % 100;
    const long long units = n % 10;
    const QString& word =
        n == 1 ? one : (units >= 2 && units <= 4 && (tens < 12 || tens > 14) ? few : many);
    return QString::number(n) + u' ' + word;
}

SheetTable turnedToPupilRows(const SheetTable& table, bool pupilsAreRows)
{
    if (pupilsAreRows)
        return table;
    SheetTable turned;
    turned.notes = table.notes;
    const int rows = std::min(table.columnCount(), kSheetMostRows);
    const int columns = std::min(table.rowCount(), kSheetMostColumns);
    turned.rows.reserve(rows);
    for (int c = 0; c < rows; ++c) {
        QStringList row;
        for (int r = 0; r < columns; ++r)
            row.append(table.cell(r, c));
        while (!row.isEmpty() && row.back().isEmpty())
            row.removeLast();
        turned.rows.append(std::move(row));
    }
    return turned;
}

int defaultNamePhrase(const TFrazy& phrases)
{
    if (const std::optional<std::size_t> name = namePhrase(phrases))
        return static_cast<int>(*name);
    for (std::size_t j = 0; j < phrases.count(); ++j)
        if (phrases[j].kind == PhraseKind::Text)
            return static_cast<int>(j);
    return -1;
}

ImportMapping proposeMapping(const Document& document, const SheetTable& table, bool pupilsAreRows,
                             int headerRow)
{
    const SheetTable turned = turnedToPupilRows(table, pupilsAreRows);
    const TFrazy& phrases = document.phrases();
    ImportMapping mapping;
    mapping.pupilsAreRows = pupilsAreRows;
    mapping.headerRow = headerRow < turned.rowCount() ? headerRow : -1;
    mapping.namePhrase = defaultNamePhrase(phrases);
    const int columns = turned.columnCount();
    mapping.phraseOfColumn.assign(static_cast<std::size_t>(columns), -1);

    std::vector<QString> phraseKeys;
    phraseKeys.reserve(phrases.count());
    for (const TFra& phrase : phrases)
        phraseKeys.push_back(matchKey(qstringFromCp1250(phrase.name)));
    std::vector<bool> taken(phrases.count(), false);
    if (mapping.headerRow >= 0) {
        for (int c = 0; c < columns; ++c) {
            const QString key = matchKey(turned.cell(mapping.headerRow, c));
            if (key.isEmpty())
                continue;
            for (std::size_t j = 0; j < phraseKeys.size(); ++j) {
                if (!taken[j] && phraseKeys[j] == key) {
                    taken[j] = true;
                    mapping.phraseOfColumn[static_cast<std::size_t>(c)] = static_cast<int>(j);
                    break;
                }
            }
        }
    }
    // Sheets head their names "Nazwisko i imię", "Uczeń" …: without a column
    // of the name phrase's own name, the first column left over that is
    // headed so holds them, else the first one whose first value has a
    // letter (not the numbers of "Lp.").
    if (mapping.namePhrase >= 0 && !taken[static_cast<std::size_t>(mapping.namePhrase)]) {
        const int column = nameColumnOf(turned, mapping);
        if (column >= 0)
            mapping.phraseOfColumn[static_cast<std::size_t>(column)] = mapping.namePhrase;
    }
    return mapping;
}

ImportResult importTable(const Document& document, const SheetTable& table,
                         const ImportMapping& mapping, const ImportProgress& progress)
{
    ImportResult result;
    result.replaceClass = mapping.replaceClass;
    const SheetTable turned = turnedToPupilRows(table, mapping.pupilsAreRows);
    result.notes = turned.notes;
    const TFrazy& phrases = document.phrases();
    const std::size_t phraseCount = phrases.count();

    // The columns to take, each with a phrase that exists.
    struct Source {
        int column;
        std::size_t phrase;
        PhraseKind kind;
    };
    std::vector<Source> sources;
    int nameColumn = -1;
    const bool nameValid =
        mapping.namePhrase >= 0 && static_cast<std::size_t>(mapping.namePhrase) < phraseCount;
    for (std::size_t c = 0; c < mapping.phraseOfColumn.size(); ++c) {
        const int j = mapping.phraseOfColumn[c];
        if (j < 0 || static_cast<std::size_t>(j) >= phraseCount)
            continue;
        // The program computes these itself (below), as a paste leaves them.
        if (taggedRole(phrases[static_cast<std::size_t>(j)]) == PhraseRole::Average)
            continue;
        const auto phrase = static_cast<std::size_t>(j);
        if (nameValid && j == mapping.namePhrase && nameColumn < 0)
            nameColumn = static_cast<int>(c);
        sources.push_back({static_cast<int>(c), phrase, phrases[phrase].kind});
    }

    PupilsByName existing;
    if (nameColumn >= 0 && !mapping.replaceClass)
        existing = pupilsByName(document, static_cast<std::size_t>(mapping.namePhrase));
    const std::size_t kept = mapping.replaceClass ? 0 : document.pupils().count();

    const int firstRow = std::max(mapping.headerRow + 1, 0);
    const int rows = std::max(turned.rowCount() - firstRow, 0);
    for (int r = firstRow; r < turned.rowCount(); ++r) {
        if (progress && (r - firstRow) % kImportProgressRows == 0
            && !progress(r - firstRow, rows)) {
            ImportResult stopped;
            stopped.cancelled = true;
            return stopped;
        }
        const bool anyValue = std::any_of(sources.begin(), sources.end(), [&](const Source& s) {
            return !isEmptyCell(turned.cell(r, s.column));
        });
        if (!anyValue)
            continue;  // a blank row between pupils
        std::optional<std::size_t> pupil;
        if (nameColumn >= 0) {
            const QString key = matchKey(turned.cell(r, nameColumn));
            if (key.isEmpty()) {
                ++result.rowsWithoutName;
                continue;
            }
            if (const auto found = existing.find(key);
                found != existing.end() && !found->second.empty()) {
                pupil = found->second.front();
                found->second.pop_front();
            }
        }
        if (!pupil && kept + result.added.size() >= kImportMostPupils) {
            result.notes << QStringLiteral("Klasa może mieć najwyżej %1 uczniów: pominięto "
                                           "uczniów od komórki %2")
                                .arg(kImportMostPupils)
                                .arg(sheetCellName(r, std::max(nameColumn, 0),
                                                   mapping.pupilsAreRows));
            break;
        }
        TDok fresh;
        const std::size_t rowEdits = result.edits.size();
        if (pupil) {
            ++result.updatedPupils;
        } else {
            fresh.values.resize(phraseCount);
        }
        for (const Source& source : sources) {
            const QString text = turned.cell(r, source.column);
            if (isEmptyCell(text))
                continue;  // an empty cell keeps what the pupil has
            CellEdit edit{pupil.value_or(0), source.phrase, ValueField::Text, {}};
            switch (source.kind) {
            case PhraseKind::Text: edit.value = storedText(text, result.lostCharacters); break;
            case PhraseKind::Picture:
                edit.field = ValueField::Picture;
                edit.value = storedText(text.trimmed(), result.lostCharacters);
                break;
            case PhraseKind::Grade: {
                int lost = 0;
                const std::optional<std::int8_t> grade =
                    pastedGrade(document.options(), storedText(text, lost));
                if (!grade) {
                    ++result.unrecognised;
                    if (result.unrecognisedList.size() < kMostListed)
                        result.unrecognisedList
                            << QStringLiteral("„%1” (%2)")
                                   .arg(text.trimmed().left(40),
                                        sheetCellName(r, source.column, mapping.pupilsAreRows));
                    continue;
                }
                ++result.grades;
                edit.field = ValueField::Grade;
                edit.value = *grade;
                break;
            }
            default: continue;  // a kind the program does not know takes nothing
            }
            if (pupil)
                result.edits.push_back(std::move(edit));
            else
                setFieldValue(fresh.values[source.phrase], edit.field, std::move(edit.value));
        }
        keepAveragesCurrent(phrases, pupil, fresh, document, result.edits, rowEdits);
        if (!pupil)
            result.added.push_back(std::move(fresh));
    }
    return result;
}

QString ImportResult::summary() const
{
    QString text = QStringLiteral("Zaimportowano %1, %2")
                       .arg(polishCount(pupils(), QStringLiteral("ucznia"),
                                        QStringLiteral("uczniów"), QStringLiteral("uczniów")),
                            polishCount(grades, QStringLiteral("ocenę"), QStringLiteral("oceny"),
                                        QStringLiteral("ocen")));
    if (unrecognised > 0) {
        text += QStringLiteral("; nie rozpoznano %1: %2")
                    .arg(polishCount(unrecognised, QStringLiteral("wartości"),
                                     QStringLiteral("wartości"), QStringLiteral("wartości")),
                         unrecognisedList.join(QStringLiteral(", ")));
        if (unrecognised > unrecognisedList.size())
            text += QStringLiteral(", …");
    }
    if (lostCharacters > 0)
        text += QStringLiteral("; %1 spoza kodowania Windows-1250 zamieniono na „?”")
                    .arg(polishCount(lostCharacters, QStringLiteral("znak"),
                                     QStringLiteral("znaki"), QStringLiteral("znaków")));
    if (rowsWithoutName > 0)
        text += QStringLiteral("; pominięto %1 bez nazwiska")
                    .arg(polishCount(rowsWithoutName, QStringLiteral("ucznia"),
                                     QStringLiteral("uczniów"), QStringLiteral("uczniów")));
    for (const QString& note : notes)
        text += QStringLiteral("; ") + note;
    return text;
}

void applyImport(Document& document, ImportResult result)
{
    if (result.replaceClass) {
        TDokumenty pupils;
        pupils.reserve(result.added.size());
        for (TDok& pupil : result.added)
            pupils.push_back(std::move(pupil));
        document.replacePupils(std::move(pupils));
        return;
    }
    document.setCells(std::move(result.edits));
    for (TDok& pupil : result.added)
        document.insertPupil(document.pupils().count(), std::move(pupil));
}

}  // namespace wykazki

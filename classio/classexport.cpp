#include "classio/classexport.h"

#include "document/computedvalues.h"
#include "document/grades.h"
#include "qtbridge/cp1250text.h"

namespace wykazki {

namespace {

QString sheetText(const std::string& stored)
{
    QString text = qstringFromCp1250(stored);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

QString cellOf(const Document& document, std::size_t pupil, std::size_t phrase)
{
    const TFra& value = document.value(pupil, phrase);
    switch (document.phrases()[phrase].kind) {
    case PhraseKind::Text: return sheetText(value.text);
    case PhraseKind::Picture: return sheetText(value.picture);
    case PhraseKind::Grade:
        return value.grade == kNoSubjectGrade
                   ? QString()
                   : qstringFromCp1250(gradeWording(document.options(), value.grade));
    default: return {};
    }
}

}  // namespace

SheetTable exportTable(const Document& document, bool pupilsAsRows)
{
    const TFrazy& phrases = document.phrases();
    const TDokumenty& pupils = document.pupils();
    SheetTable table;
    QStringList header;
    for (const TFra& phrase : phrases)
        header << qstringFromCp1250(phrase.name);
    header << kPupilAverageHeader;
    table.rows.append(header);
    for (std::size_t x = 0; x < pupils.count(); ++x) {
        QStringList row;
        for (std::size_t j = 0; j < phrases.count(); ++j)
            row << cellOf(document, x, j);
        row << qstringFromCp1250(averageText(pupilAverage(phrases, pupils, x)));
        table.numberCells.insert({table.rowCount(), static_cast<int>(row.size() - 1)});
        table.rows.append(row);
    }
    if (pupilsAsRows)
        return table;
    // Every pupil a column: the same cells turned, never cut.
    SheetTable turned;
    const int columns = table.rowCount();
    for (int c = 0; c < table.columnCount(); ++c) {
        QStringList row;
        row.reserve(columns);
        for (int r = 0; r < columns; ++r)
            row << table.cell(r, c);
        turned.rows.append(row);
    }
    for (const auto& [r, c] : std::as_const(table.numberCells))
        turned.numberCells.insert({c, r});
    return turned;
}

}  // namespace wykazki

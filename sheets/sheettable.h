#pragma once
// A spreadsheet's cells as text, the way the sheet shows them: what the
// readers of CSV, XLSX and ODS files give and the writers take. Rows are
// the sheet's rows from the top; a row may be shorter than others (missing
// cells are empty).

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <utility>

namespace wykazki {

// The program's limits for a sheet: more pupils than a class file can hold
// are never read, nor cells beyond what any class could use.
inline constexpr int kSheetMostRows = 5001;     // a header row and 5,000 pupils
inline constexpr int kSheetMostColumns = 1024;  // far beyond the phrases of any card
inline constexpr int kSheetMostCellChars = 64 * 1024;

// "A" .. "Z", "AA" …: a column (from 0) as spreadsheets name it.
inline QString sheetColumnName(int column)
{
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}

struct SheetTable {
    QList<QStringList> rows;
    // What was left out to keep within the limits, in the program's words
    // ("Wczytano pierwsze 5001 wierszy z 1000000"), empty when nothing.
    QStringList notes;
    // Cells the writers store as numbers although their text alone would
    // stay a text ("4,50": an average shown with two decimals), as (row,
    // column).
    QSet<std::pair<int, int>> numberCells;

    int rowCount() const { return static_cast<int>(rows.size()); }
    int columnCount() const
    {
        qsizetype widest = 0;
        for (const QStringList& row : rows)
            widest = std::max(widest, row.size());
        return static_cast<int>(widest);
    }
    QString cell(int row, int column) const
    {
        if (row < 0 || row >= rowCount() || column < 0 || column >= rows[row].size())
            return {};
        return rows[row][column];
    }
    bool operator==(const SheetTable&) const = default;
};

}  // namespace wykazki

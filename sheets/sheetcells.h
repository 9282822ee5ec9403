#pragma once
// What every sheet reader shares: the limits applied row by row with their
// notes, a cell's text gathered within its limit, and numbers and dates as
// Polish spreadsheets show them.

#include "sheets/sheettable.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace wykazki {

// The most bytes one part of a workbook may hold once unpacked, and the most
// a CSV file may hold: far beyond any class list, far below what would
// strain the computer.
inline constexpr qint64 kSheetMostPartMegabytes = 64;
inline constexpr qint64 kSheetMostPartBytes = kSheetMostPartMegabytes * 1024 * 1024;

// Collects a sheet's rows within kSheetMostRows and kSheetMostColumns and
// notes what was left out.
class SheetBuilder {
public:
    // A cell's text within kSheetMostCellChars (gathered texts keep one
    // character more than the limit, so that a cut is seen here).
    QString cell(QString text);
    // A non-empty cell lay beyond the last column.
    void noteColumnsCut() { columnsCut_ = true; }
    // Puts cells as the row at index row (trailing empty cells dropped; an
    // empty row puts nothing). False when a non-empty row lies beyond the
    // last row: the sheet is full and reading may stop.
    bool setRow(qint64 row, QStringList cells);
    bool full() const { return rowsCut_; }
    // The table with its notes; the builder is empty afterwards.
    SheetTable take();

private:
    SheetTable table_;
    bool rowsCut_ = false;
    bool columnsCut_ = false;
    bool cellsCut_ = false;
};

// A cell's text gathered piece by piece, never much longer than the limit.
class CellText {
public:
    void append(QStringView piece);
    void append(QChar character) { append(QStringView(&character, 1)); }
    // count times character, never more than fits.
    void appendRepeated(QChar character, qint64 count);
    bool isEmpty() const { return text_.isEmpty(); }
    QChar last() const { return text_.isEmpty() ? QChar() : text_.back(); }
    QString take();

private:
    QString text_;
};

// Drops the empty cells at the end of a row.
void trimTrailingEmpty(QStringList& cells);

// A number as a Polish spreadsheet shows it in the general format: a
// decimal comma, no decimals for a whole number, at most 15 digits.
QString numberText(double value);
// A date as dd.MM.yyyy.
QString dateText(QDate date);
// The text of a number in a stored document ("4.5", "-1E-3"), or nullopt.
std::optional<double> storedNumber(QStringView text);
// A cell's text as a number when it is one written with a decimal comma or
// point ("4,5", "-12", "3.75"; not "007", "1e3" or "1 000"), else nullopt.
std::optional<double> cellNumber(QStringView text);

}  // namespace wykazki

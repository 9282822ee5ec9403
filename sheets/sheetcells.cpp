#include "sheets/sheetcells.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace wykazki {

QString SheetBuilder::cell(QString text)
{
    if (text.size() > kSheetMostCellChars) {
        text.truncate(kSheetMostCellChars);
        cellsCut_ = true;
    }
    return text;
}

bool SheetBuilder::setRow(qint64 row, QStringList cells)
{
    trimTrailingEmpty(cells);
    if (cells.isEmpty() || row < 0)
        return !rowsCut_;
    if (row >= kSheetMostRows) {
        rowsCut_ = true;
        return false;
    }
    if (cells.size() > kSheetMostColumns) {
        cells.resize(kSheetMostColumns);
        columnsCut_ = true;
        trimTrailingEmpty(cells);
    }
    const auto index = static_cast<qsizetype>(row);
    if (table_.rows.size() <= index)
        table_.rows.resize(index + 1);
    table_.rows[index] = std::move(cells);
    return true;
}

SheetTable SheetBuilder::take()
{
    if (rowsCut_)
        table_.notes.append(
            QStringLiteral("Wczytano tylko pierwsze %1 wierszy arkusza").arg(kSheetMostRows));
    if (columnsCut_)
        table_.notes.append(
            QStringLiteral("Wczytano tylko pierwsze %1 kolumny arkusza").arg(kSheetMostColumns));
    if (cellsCut_)
        table_.notes.append(
            QStringLiteral("Skrócono komórki dłuższe niż %1 znaków").arg(kSheetMostCellChars));
    SheetTable table = std::move(table_);
    *this = SheetBuilder();
    return table;
}

void CellText::append(QStringView piece)
{
    const qsizetype room = kSheetMostCellChars + 1 - text_.size();
    if (room > 0)
        text_.append(piece.first(std::min(room, piece.size())));
}

void CellText::appendRepeated(QChar character, qint64 count)
{
    const qsizetype room = kSheetMostCellChars + 1 - text_.size();
    if (room > 0 && count > 0)
        text_.append(QString(static_cast<qsizetype>(std::min<qint64>(room, count)), character));
}

QString CellText::take()
{
    QString text = std::move(text_);
    text_ = QString();
    return text;
}

void trimTrailingEmpty(QStringList& cells)
{
    qsizetype used = cells.size();
    while (used > 0 && cells[used - 1].isEmpty())
        --used;
    if (used < cells.size())
        cells.resize(used);
}

QString numberText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // Whole numbers as integers, the rest to 15 significant digits, which
    // hides the binary leftovers (0.30000000000000004) as spreadsheets do.
    constexpr double kWholeLimit = 1e15;
    if (std::fabs(value) < kWholeLimit && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString dateText(QDate date)
{
    return date.toString(QStringLiteral("dd.MM.yyyy"));
}

std::optional<double> storedNumber(QStringView text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> cellNumber(QStringView text)
{
    // [-]digits[(,|.)digits], without a needless leading zero and within
    // the 15 digits a double holds exactly.
    constexpr int kMostDigits = 15;
    qsizetype at = 0;
    if (text.startsWith(QLatin1Char('-')))
        at = 1;
    const qsizetype integerStart = at;
    while (at < text.size() && text[at].isDigit() && text[at].unicode() < 128)
        ++at;
    const qsizetype integerDigits = at - integerStart;
    if (integerDigits == 0 || (integerDigits > 1 && text[integerStart] == QLatin1Char('0')))
        return std::nullopt;
    qsizetype fractionDigits = 0;
    if (at < text.size() && (text[at] == QLatin1Char(',') || text[at] == QLatin1Char('.'))) {
        ++at;
        const qsizetype fractionStart = at;
        while (at < text.size() && text[at].isDigit() && text[at].unicode() < 128)
            ++at;
        fractionDigits = at - fractionStart;
        if (fractionDigits == 0)
            return std::nullopt;
    }
    if (at != text.size() || integerDigits + fractionDigits > kMostDigits)
        return std::nullopt;
    QString plain = text.toString();
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = plain.toDouble(&ok);
    // "-0" would come back as "0".
    if (!ok || (value == 0 && integerStart == 1))
        return std::nullopt;
    // Only a text that comes back exactly as it was is a number: "3,00" or
    // "4.5" typed in a text phrase stay texts, so a file exported and
    // imported again changes nothing.
    if (numberText(value) != text)
        return std::nullopt;
    return value;
}

}  // namespace wykazki

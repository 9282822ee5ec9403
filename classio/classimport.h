#pragma once
// A teacher's spreadsheet into the class: which column holds which phrase,
// and the pupils and values an import gives, computed first and applied
// as one step afterwards. Pupils already in the class are found by their
// name; the others are added, or the sheet's pupils replace the class.
// Values go in by the paste rules (grades by wording, digit or
// abbreviation); a value that is none of its phrase's leaves the cell.

#include "document/document.h"
#include "sheets/sheettable.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <functional>
#include <vector>

namespace wykazki {

// The most pupils a class takes from an import.
inline constexpr std::size_t kImportMostPupils = 5000;

// A source column is what holds one phrase of every pupil: a column of the
// sheet when pupils are its rows, a row when they are its columns; the
// header row likewise (a column then).
struct ImportMapping {
    bool pupilsAreRows = true;
    int headerRow = 0;                // -1: no header, every row a pupil
    std::vector<int> phraseOfColumn;  // source column -> phrase index, -1 = "nie importuj"
    int namePhrase = -1;              // the phrase pupils are found by; -1 none
    bool replaceClass = false;        // the sheet's pupils become the whole class

    bool operator==(const ImportMapping&) const = default;
};

// The sheet turned so that pupils are its rows; cells beyond the sheet's
// limits are left out.
SheetTable turnedToPupilRows(const SheetTable& table, bool pupilsAreRows);

// The phrase that names pupils: the first plain text phrase, else the first
// text phrase; -1 when there is none.
int defaultNamePhrase(const TFrazy& phrases);

// The mapping an import proposes: each header cell whose name matches a
// phrase's (case, Polish letters and blanks aside) takes the first such
// phrase no other column has taken; when no column is the name phrase's,
// the first unmatched column is.
ImportMapping proposeMapping(const Document& document, const SheetTable& table,
                             bool pupilsAreRows = true, int headerRow = 0);

struct ImportResult {
    std::vector<CellEdit> edits;  // new values of pupils already in the class
    std::vector<TDok> added;      // appended pupils, or the whole class
    bool replaceClass = false;

    int updatedPupils = 0;
    int grades = 0;                // grades taken
    int lostCharacters = 0;        // characters Windows-1250 cannot hold, now '?'
    int unrecognised = 0;          // values that are none of their phrase's
    QStringList unrecognisedList;  // the first of them: „text” (C5)
    int rowsWithoutName = 0;       // rows with values but no name, left out
    QStringList notes;             // the sheet's own, and the pupil limit
    bool cancelled = false;        // stopped by its progress: nothing to apply

    int pupils() const { return updatedPupils + static_cast<int>(added.size()); }
    // "Zaimportowano 25 uczniów, 250 ocen; nie rozpoznano 3 wartości: …"
    QString summary() const;
};

// Told before every kImportProgressRows-th sheet row of the pupils: how
// many of them were done and how many there are; false stops the import.
using ImportProgress = std::function<bool(int done, int total)>;
inline constexpr int kImportProgressRows = 64;

// The import of table into document by mapping, without changing anything.
// Stopped by progress, it is empty and cancelled.
ImportResult importTable(const Document& document, const SheetTable& table,
                         const ImportMapping& mapping, const ImportProgress& progress = {});

// Applies an import to a document directly (wkz import); the program goes
// through its edit layer instead.
void applyImport(Document& document, ImportResult result);

// "1 ucznia", "3 oceny", "5 ocen": the form of a noun after a number.
QString polishCount(long long n, const QString& one, const QString& few, const QString& many);

}  // namespace wykazki

#pragma once
// What the program reads aloud so that a teacher can check one pupil's
// grades against the paper register: one sentence per line of the
// register, in the order of the phrase list.

#include "document/document.h"

#include <QStringList>

#include <cstddef>

namespace wykazki {

// Pupil `pupil` (counted from 0) of doc, as sentences to say one after
// another:
// - the pupil's name: the text of the name phrase (namePhrase()), else
//   "Uczeń N" with N the pupil's number the grid shows (pupil + 1);
// - for each grade phrase, in phrase order, "<phrase name>: <wording>";
//   a phrase without a name is "Przedmiot bez nazwy". A grade at the
//   no-subject index (the grid's dashes) is said as "<name>: brak oceny"
//   where the class expects a grade there (gradesExpected(): someone has
//   one and it is no optional subject such as religion), since a missing
//   grade is exactly what the check is for; elsewhere the dash is the
//   register's own and the phrase is left out. An index without a wording
//   (a damaged file, an emptied remark wording) is "brak oceny" too;
// - "Średnia: 4,57" when the class has a phrase computing the average and
//   the pupil has a counted grade.
// Texts come from Windows-1250; line breaks and control characters become
// single spaces. An out-of-range pupil gives an empty list.
QStringList gradeSentences(const Document& doc, std::size_t pupil);

}  // namespace wykazki

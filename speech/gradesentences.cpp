#include "speech/gradesentences.h"

#include "document/computedvalues.h"
#include "document/grades.h"
#include "qtbridge/cp1250text.h"

#include <QString>

#include <algorithm>
#include <vector>

namespace wykazki {

namespace {

// A document text as one line to say: line breaks, tabs and the control
// characters the unassigned Windows-1250 bytes map to are blanks.
QString spoken(const std::string& text)
{
    QString line = qstringFromCp1250(text);
    std::replace_if(
        line.begin(), line.end(), [](QChar c) { return !c.isPrint(); }, QLatin1Char(' '));
    return line.simplified();
}

QString gradeSentence(const QString& subject, const QString& said)
{
    return subject + QStringLiteral(": ") + said;
}

}  // namespace

QStringList gradeSentences(const Document& doc, std::size_t pupil)
{
    const TFrazy& phrases = doc.phrases();
    const TDokumenty& pupils = doc.pupils();
    if (pupil >= pupils.count())
        return {};

    QStringList sentences;
    QString name;
    if (const auto j = namePhrase(phrases))
        name = spoken(doc.value(pupil, *j).text);
    if (name.isEmpty())
        name = QStringLiteral("Uczeń %1").arg(pupil + 1);
    sentences << name;

    const std::vector<bool> expected = gradesExpected(phrases, pupils);
    bool computesAverage = false;
    for (std::size_t j = 0; j < phrases.count(); ++j) {
        const TFra& phrase = phrases[j];
        computesAverage = computesAverage || taggedRole(phrase) == PhraseRole::Average;
        if (phrase.kind != PhraseKind::Grade)
            continue;
        QString subject = spoken(phrase.name);
        if (subject.isEmpty())
            subject = QStringLiteral("Przedmiot bez nazwy");
        const std::int8_t grade = doc.value(pupil, j).grade;
        if (grade == kNoSubjectGrade) {
            if (expected[j])
                sentences << gradeSentence(subject, QStringLiteral("brak oceny"));
            continue;
        }
        const QString wording = spoken(gradeWording(doc.options(), grade));
        sentences << gradeSentence(subject,
                                   wording.isEmpty() ? QStringLiteral("brak oceny") : wording);
    }

    if (computesAverage) {
        const std::string average = averageText(pupilAverage(phrases, pupils, pupil));
        if (!average.empty())
            sentences << QStringLiteral("Średnia: ") + qstringFromCp1250(average);
    }
    return sentences;
}

}  // namespace wykazki

#pragma once
// The check before paper: every card of the chosen pupils on the chosen
// page, looked at as it will print. Texts that do not fit their boxes are
// measured by the renderer with the fonts and rules of printing; the
// document is only read.

#include "speller.h"

#include "print/certificaterenderer.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace wykazki {

class TDokumenty;
class TFrazy;
struct TOpcje;

enum class FindingKind {
    Overflow,        // a text that does not fit its box
    Missing,         // an empty grade, an empty text most pupils filled, a missing picture
    AverageDiffers,  // a typed average that is not the computed one
    LostCharacters,  // characters the class file could not hold
    UnknownWord,     // a word the dictionary does not know
    Groups,          // the pupil's groups (distinction, not promoted, incomplete)
};

// Findings worth stopping a print for: a card that would print wrong.
bool stopsPrinting(FindingKind kind);

struct Finding {
    std::size_t pupil = 0;              // from 0
    std::optional<std::size_t> phrase;  // nothing for the pupil as a whole
    FindingKind kind = FindingKind::Overflow;
    QString text;  // in Polish, for the report and wkz check
};

// Characters a typed or pasted text lost, remembered for the session.
struct LostCharacters {
    std::size_t pupil = 0;
    std::size_t phrase = 0;
    QString characters;
};

struct CheckScope {
    std::vector<std::size_t> pupils;  // from 0, in report order
    std::optional<int> page;          // 0..3; nothing: every page
};

class ClassCheck {
public:
    // The document objects are only read and must outlive the check.
    // Pictures are looked up in programFolder as printing looks them up.
    // speller may be null.
    ClassCheck(const TFrazy& phrases, const TDokumenty& pupils, const TOpcje& options,
               std::string programFolder, const Speller* speller);

    // The findings for one pupil, in phrase order, the groups first.
    std::vector<Finding> checkPupil(std::size_t pupil, std::optional<int> page,
                                    const std::vector<LostCharacters>& lost = {});
    // checkPupil for every pupil of the scope.
    std::vector<Finding> checkAll(const CheckScope& scope,
                                  const std::vector<LostCharacters>& lost = {});

private:
    bool onPage(std::size_t j, std::optional<int> page) const;
    void checkFit(std::size_t pupil, int page, std::vector<Finding>& out);

    const TFrazy& phrases_;
    const TDokumenty& pupils_;
    const TOpcje& options_;
    const Speller* speller_;
    CertificateRenderer renderer_;
    QImage surface_;
    std::vector<bool> mostlyFilled_;         // per phrase: a text most pupils filled
    std::vector<bool> gradeExpected_;        // per phrase: every pupil should have a grade
    std::optional<std::size_t> namePhrase_;  // not spell-checked
};

// The pupil's name as the grid names it: the name phrase's text.
QString pupilName(const TFrazy& phrases, const TDokumenty& pupils, std::size_t pupil);

}  // namespace wykazki

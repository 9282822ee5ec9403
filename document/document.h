#pragma once
// The program's one document: the phrase list, the pupils' values, the
// options and the general state, plus the screen layout its class file
// carries. Everyone reads it; it changes only through the operations below,
// each of which keeps every pupil at exactly one value per phrase and
// returns what an undo needs to put things back.

#include "cellvalue.h"
#include "screenlayout.h"
#include "tdokumenty.h"
#include "tfra.h"
#include "togolne.h"
#include "topcje.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wykazki {

// Everything a class file holds, read into fresh storage first so that a
// failed read never leaves a half-read document behind.
struct ClassFileContents {
    std::int8_t version = 0;
    TFrazy phrases;
    TDokumenty pupils;
    TOpcje options;
    ScreenLayout screen;

    bool operator==(const ClassFileContents&) const = default;
};

// The values a block fill wrote over, in the order of the fill's walk
// (pupil by pupil, each pupil's phrases from the top), run-length coded:
// a block of one grade or of empty texts costs a few bytes.
class ReplacedValues {
public:
    void append(const CellValue& value);
    std::size_t count() const { return count_; }
    // Calls visit(value) for every replaced value in walk order.
    template <typename Visit>
    void forEach(Visit&& visit) const;
    std::size_t bytes() const;

private:
    struct GradeRun {
        std::uint32_t count;
        std::int8_t grade;
    };
    struct TextRun {
        std::uint32_t count;
        std::string text;
    };
    std::vector<GradeRun> grades_;
    std::vector<TextRun> texts_;
    std::size_t count_ = 0;
};

// One cell's new value, for edits that write different values into
// different cells (a paste).
struct CellEdit {
    std::size_t pupil = 0;
    std::size_t phrase = 0;
    ValueField field = ValueField::Text;
    CellValue value;

    bool operator==(const CellEdit&) const = default;
};

// A phrase together with every pupil's value of it, as a removal takes it
// out and an undo puts it back.
struct PhraseColumn {
    TFra phrase;
    std::vector<TFra> values;  // one per pupil, in pupil order
};

class Document {
public:
    const TFrazy& phrases() const { return phrases_; }
    const TDokumenty& pupils() const { return pupils_; }
    const TOpcje& options() const { return options_; }
    const TOgolne& general() const { return general_; }
    const TFra& value(std::size_t pupil, std::size_t phrase) const
    {
        return pupils_.value(pupil, phrase);
    }
    // Window rectangles and grid layouts: the windows refresh them before a
    // save and apply them after a read; they are not document data.
    const ScreenLayout& screen() const { return screen_; }
    ScreenLayout& screen() { return screen_; }

    // ---- Values ----------------------------------------------------------
    // Writes value into every cell of block (clamped to the data) whose
    // phrase is of kind, into the field that kind uses.
    ReplacedValues fillBlock(const CellBlock& block, PhraseKind kind, const CellValue& value);
    // Puts back what fillBlock replaced, given the same block and kind.
    void restoreBlock(const CellBlock& block, PhraseKind kind, const ReplacedValues& replaced);
    // Applies the edits in order, skipping cells outside the data; returns
    // the edits that undo them (in the order to apply them).
    std::vector<CellEdit> setCells(std::vector<CellEdit> edits);

    // What fillBlock and setCells would change, asked before changing: true
    // when every cell they would write already holds its new value.
    bool blockHolds(const CellBlock& block, PhraseKind kind, const CellValue& value) const;
    bool cellsHold(const std::vector<CellEdit>& edits) const;

    // ---- Phrases -----------------------------------------------------------
    // A default record at p (clamped) in the phrase list and every pupil.
    void addPhrase(std::size_t p);
    // The column back at p; values are padded or cut to the pupil count.
    void insertPhrase(std::size_t p, PhraseColumn column);
    // Nothing when p >= phrase count.
    std::optional<PhraseColumn> removePhrase(std::size_t p);
    // Replaces phrase j's definition; returns the old one (nothing when j
    // is no phrase).
    std::optional<TFra> setPhrase(std::size_t j, TFra phrase);

    // ---- Pupils --------------------------------------------------------------
    // A new pupil at p (clamped) with one default value per phrase.
    void addPupil(std::size_t p) { pupils_.insert(p, phrases_.count()); }
    // The pupil back at p; its values are padded or cut to the phrase count.
    void insertPupil(std::size_t p, TDok pupil);
    // Nothing when p >= pupil count.
    std::optional<TDok> removePupil(std::size_t p);
    // Every pupil at once (an import replacing the class); each one's values
    // are padded or cut to the phrase count. Returns the pupils replaced.
    TDokumenty replacePupils(TDokumenty pupils);

    // ---- Options and the whole document ----------------------------------
    // Returns the options replaced.
    TOpcje setOptions(TOpcje options);
    // Empties phrases and pupils; options, flag and version stay.
    void newDocument();
    // Takes over a completely read file.
    void takeOver(ClassFileContents&& read);
    // A copy of what a save writes.
    ClassFileContents contents() const;

private:
    TFrazy phrases_;
    TDokumenty pupils_;
    TOpcje options_;
    TOgolne general_;
    ScreenLayout screen_;
};

template <typename Visit>
void ReplacedValues::forEach(Visit&& visit) const
{
    for (const GradeRun& run : grades_) {
        const CellValue value = run.grade;
        for (std::uint32_t i = 0; i < run.count; ++i)
            visit(value);
    }
    for (const TextRun& run : texts_) {
        const CellValue value = run.text;
        for (std::uint32_t i = 0; i < run.count; ++i)
            visit(value);
    }
}

}  // namespace wykazki

#include "document.h"

#include <algorithm>
#include <utility>

namespace wykazki {

// ---- ReplacedValues ----------------------------------------------------------

void ReplacedValues::append(const CellValue& value)
{
    // A fill replaces values of one field, so one of the two lists is used.
    if (const auto* grade = std::get_if<std::int8_t>(&value)) {
        if (!grades_.empty() && grades_.back().grade == *grade && grades_.back().count < UINT32_MAX)
            ++grades_.back().count;
        else
            grades_.push_back({1, *grade});
    } else {
        const auto& text = std::get<std::string>(value);
        if (!texts_.empty() && texts_.back().text == text && texts_.back().count < UINT32_MAX)
            ++texts_.back().count;
        else
            texts_.push_back({1, text});
    }
    ++count_;
}

std::size_t ReplacedValues::bytes() const
{
    std::size_t total = grades_.capacity() * sizeof(GradeRun) + texts_.capacity() * sizeof(TextRun);
    for (const TextRun& run : texts_)
        total += run.text.capacity() > 15 ? run.text.capacity() : 0;
    return total;
}

// ---- Values --------------------------------------------------------------------

namespace {

// Walks the cells of block that lie in the data and whose phrase is of
// kind, pupil by pupil and within a pupil from the top.
template <typename Visit>
void walkBlock(const TFrazy& frazy, std::size_t pupils, const CellBlock& block, PhraseKind kind,
               Visit&& visit)
{
    if (pupils == 0 || frazy.empty())
        return;
    const std::size_t lastPupil = std::min(block.lastPupil, pupils - 1);
    const std::size_t lastPhrase = std::min(block.lastPhrase, frazy.count() - 1);
    for (std::size_t i = block.firstPupil; i <= lastPupil; ++i) {
        for (std::size_t j = block.firstPhrase; j <= lastPhrase; ++j) {
            if (frazy[j].kind == kind)
                visit(i, j);
        }
    }
}

}  // namespace

ReplacedValues Document::fillBlock(const CellBlock& block, PhraseKind kind, const CellValue& value)
{
    ReplacedValues replaced;
    const std::optional<ValueField> field = valueFieldOf(kind);
    if (!field)
        return replaced;
    walkBlock(phrases_, pupils_.count(), block, kind, [&](std::size_t i, std::size_t j) {
        TFra& record = pupils_.value(i, j);
        replaced.append(fieldValue(record, *field));
        setFieldValue(record, *field, value);
    });
    return replaced;
}

void Document::restoreBlock(const CellBlock& block, PhraseKind kind, const ReplacedValues& replaced)
{
    const std::optional<ValueField> field = valueFieldOf(kind);
    if (!field)
        return;
    std::vector<TFra*> cells;
    cells.reserve(replaced.count());
    walkBlock(phrases_, pupils_.count(), block, kind,
              [&](std::size_t i, std::size_t j) { cells.push_back(&pupils_.value(i, j)); });
    std::size_t next = 0;
    replaced.forEach([&](const CellValue& value) {
        if (next < cells.size())
            setFieldValue(*cells[next++], *field, value);
    });
}

std::vector<CellEdit> Document::setCells(std::vector<CellEdit> edits)
{
    std::vector<CellEdit> undo;
    undo.reserve(edits.size());
    for (CellEdit& edit : edits) {
        if (edit.pupil >= pupils_.count() || edit.phrase >= phrases_.count())
            continue;
        TFra& record = pupils_.value(edit.pupil, edit.phrase);
        undo.push_back({edit.pupil, edit.phrase, edit.field, fieldValue(record, edit.field)});
        setFieldValue(record, edit.field, std::move(edit.value));
    }
    // Undone last to first, so that a cell edited twice ends as it began.
    std::reverse(undo.begin(), undo.end());
    return undo;
}

bool Document::blockHolds(const CellBlock& block, PhraseKind kind, const CellValue& value) const
{
    const std::optional<ValueField> field = valueFieldOf(kind);
    if (!field)
        return true;
    bool holds = true;
    walkBlock(phrases_, pupils_.count(), block, kind, [&](std::size_t i, std::size_t j) {
        holds = holds && fieldValue(pupils_.value(i, j), *field) == value;
    });
    return holds;
}

bool Document::cellsHold(const std::vector<CellEdit>& edits) const
{
    return std::all_of(edits.begin(), edits.end(), [this](const CellEdit& edit) {
        return edit.pupil >= pupils_.count() || edit.phrase >= phrases_.count()
               || fieldValue(pupils_.value(edit.pupil, edit.phrase), edit.field) == edit.value;
    });
}

// ---- Phrases -------------------------------------------------------------------

void Document::addPhrase(std::size_t p)
{
    phrases_.insert(p);
    p = std::min(p, phrases_.count() - 1);
    for (TDok& pupil : pupils_)
        pupil.values.insert(p);
}

void Document::insertPhrase(std::size_t p, PhraseColumn column)
{
    p = std::min(p, phrases_.count());
    phrases_.insert(p);
    phrases_[p] = std::move(column.phrase);
    column.values.resize(pupils_.count());
    std::size_t i = 0;
    for (TDok& pupil : pupils_) {
        pupil.values.insert(p);
        pupil.values[p] = std::move(column.values[i++]);
    }
}

std::optional<PhraseColumn> Document::removePhrase(std::size_t p)
{
    if (p >= phrases_.count())
        return std::nullopt;
    PhraseColumn column{std::move(phrases_[p]), {}};
    column.values.reserve(pupils_.count());
    phrases_.erase(p);
    for (TDok& pupil : pupils_) {
        column.values.push_back(std::move(pupil.values[p]));
        pupil.values.erase(p);
    }
    return column;
}

std::optional<TFra> Document::setPhrase(std::size_t j, TFra phrase)
{
    if (j >= phrases_.count())
        return std::nullopt;
    std::swap(phrases_[j], phrase);
    return phrase;
}

// ---- Pupils --------------------------------------------------------------------

void Document::insertPupil(std::size_t p, TDok pupil)
{
    pupil.values.resize(phrases_.count());
    p = std::min(p, pupils_.count());
    pupils_.insert(p, 0);
    pupils_[p] = std::move(pupil);
}

std::optional<TDok> Document::removePupil(std::size_t p)
{
    if (p >= pupils_.count())
        return std::nullopt;
    TDok pupil = std::move(pupils_[p]);
    pupils_.erase(p);
    return pupil;
}

TDokumenty Document::replacePupils(TDokumenty pupils)
{
    for (TDok& pupil : pupils)
        pupil.values.resize(phrases_.count());
    std::swap(pupils_, pupils);
    return pupils;
}

// ---- Options and the whole document ----------------------------------------------

TOpcje Document::setOptions(TOpcje options)
{
    std::swap(options_, options);
    return options;
}

void Document::newDocument()
{
    phrases_.resize(0);
    pupils_.resize(0, 0);
}

void Document::takeOver(ClassFileContents&& read)
{
    phrases_ = std::move(read.phrases);
    pupils_ = std::move(read.pupils);
    options_ = std::move(read.options);
    screen_ = std::move(read.screen);
    general_.wersja = read.version;
}

ClassFileContents Document::contents() const
{
    ClassFileContents c;
    c.version = general_.wersja;
    c.phrases = phrases_;
    c.pupils = pupils_;
    c.options = options_;
    c.screen = screen_;
    return c;
}

}  // namespace wykazki

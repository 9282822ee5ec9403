#include "editcommands.h"

#include "documenteditor.h"

#include <algorithm>

namespace wykazki {

// ---- EditCommand ------------------------------------------------------------

EditCommand::EditCommand(DocumentEditor& editor, const QString& name) : editor_(editor)
{
    setText(name);
}

void EditCommand::redo()
{
    apply();
}

void EditCommand::undo()
{
    revert();
}

Document& EditCommand::document()
{
    return editor_.mutableDocument();
}

void EditCommand::announce(const DocumentChange& change)
{
    editor_.announce(change);
}

// ---- FillCommand -------------------------------------------------------------

FillCommand::FillCommand(DocumentEditor& editor, const QString& name, const CellBlock& block,
                         PhraseKind kind, CellValue value, int typingSession)
    : EditCommand(editor, name), block_(block), kind_(kind), value_(std::move(value)),
      typingSession_(typingSession)
{
}

bool FillCommand::changesNothing() const
{
    bool same = true;
    replaced_.forEach([&](const CellValue& old) { same = same && old == value_; });
    return same;
}

bool FillCommand::changesAnything(const Document& document) const
{
    return !document.blockHolds(block_, kind_, value_);
}

void FillCommand::apply()
{
    replaced_ = document().fillBlock(block_, kind_, value_);
    announce({DocumentChange::Values, block_});
}

void FillCommand::revert()
{
    document().restoreBlock(block_, kind_, replaced_);
    announce({DocumentChange::Values, block_});
}

bool FillCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const FillCommand*>(other);
    if (next == nullptr || next->typingSession_ != typingSession_ || next->block_ != block_
        || next->kind_ != kind_)
        return false;
    value_ = next->value_;
    // Typed and taken back again: the step is gone.
    setObsolete(changesNothing());
    return true;
}

// ---- SetCellsCommand -----------------------------------------------------------

SetCellsCommand::SetCellsCommand(DocumentEditor& editor, const QString& name,
                                 std::vector<CellEdit> edits)
    : EditCommand(editor, name), forward_(std::move(edits))
{
    for (const CellEdit& edit : forward_) {
        if (!bounds_) {
            bounds_ = CellBlock::cell(edit.pupil, edit.phrase);
            continue;
        }
        bounds_->firstPupil = std::min(bounds_->firstPupil, edit.pupil);
        bounds_->lastPupil = std::max(bounds_->lastPupil, edit.pupil);
        bounds_->firstPhrase = std::min(bounds_->firstPhrase, edit.phrase);
        bounds_->lastPhrase = std::max(bounds_->lastPhrase, edit.phrase);
    }
}

bool SetCellsCommand::changesAnything(const Document& document) const
{
    return !document.cellsHold(forward_);
}

void SetCellsCommand::apply()
{
    backward_ = document().setCells(std::move(forward_));
    forward_.clear();
    if (bounds_)
        announce({DocumentChange::Values, *bounds_});
}

void SetCellsCommand::revert()
{
    forward_ = document().setCells(std::move(backward_));
    backward_.clear();
    if (bounds_)
        announce({DocumentChange::Values, *bounds_});
}

// ---- Adding and removing pupils and phrases -----------------------------------

QString PupilList::stepName(ListAction action)
{
    return action == ListAction::Add ? QStringLiteral("dodanie ucznia")
                                     : QStringLiteral("usunięcie ucznia");
}

QString PhraseList::stepName(ListAction action)
{
    return action == ListAction::Add ? QStringLiteral("dodanie frazy")
                                     : QStringLiteral("usunięcie frazy");
}

template <typename List>
ListCommand<List>::ListCommand(DocumentEditor& editor, ListAction action, std::size_t position)
    : EditCommand(editor, List::stepName(action)), action_(action), position_(position)
{
    if (action_ == ListAction::Add)
        position_ = std::min(position_, List::count(editor.document()));
}

template <typename List>
bool ListCommand<List>::changesAnything(const Document& document) const
{
    // Nothing there to remove: no step.
    return action_ == ListAction::Add || position_ < List::count(document);
}

template <typename List>
void ListCommand<List>::insert()
{
    if (removed_)
        List::insert(document(), position_, std::move(*removed_));
    else
        List::add(document(), position_);
    removed_.reset();
}

template <typename List>
void ListCommand<List>::remove()
{
    removed_ = List::remove(document(), position_);
}

template <typename List>
void ListCommand<List>::apply()
{
    if (action_ == ListAction::Add)
        insert();
    else
        remove();
    announce({List::kChange, {}});
}

template <typename List>
void ListCommand<List>::revert()
{
    if (action_ == ListAction::Add)
        remove();
    else
        insert();
    announce({List::kChange, {}});
}

template class ListCommand<PupilList>;
template class ListCommand<PhraseList>;

// ---- SetPhrasesCommand -----------------------------------------------------------

SetPhrasesCommand::SetPhrasesCommand(DocumentEditor& editor, const QString& name,
                                     std::vector<std::pair<std::size_t, TFra>> phrases,
                                     std::vector<CellEdit> values, int run)
    : EditCommand(editor, name), phrases_(std::move(phrases)), values_(std::move(values)), run_(run)
{
}

bool SetPhrasesCommand::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const SetPhrasesCommand*>(other);
    if (next == nullptr || next->run_ != run_ || next->text() != text() || !values_.empty()
        || !next->values_.empty() || next->phrases_.size() != phrases_.size())
        return false;
    for (std::size_t k = 0; k < phrases_.size(); ++k) {
        if (next->phrases_[k].first != phrases_[k].first)
            return false;
    }
    // This step keeps what came before the run: undoing it swaps that back.
    // Moved there and back again: the step is gone.
    setObsolete(!changesAnything(document()));
    return true;
}

bool SetPhrasesCommand::changesAnything(const Document& doc) const
{
    const bool newDefinition =
        std::any_of(phrases_.begin(), phrases_.end(), [&doc](const auto& entry) {
            return entry.first < doc.phrases().count()
                   && !(doc.phrases()[entry.first] == entry.second);
        });
    const bool newValue = std::any_of(values_.begin(), values_.end(), [&doc](const CellEdit& e) {
        return e.pupil < doc.pupils().count() && e.phrase < doc.phrases().count()
               && fieldValue(doc.value(e.pupil, e.phrase), e.field) != e.value;
    });
    return newDefinition || newValue;
}

void SetPhrasesCommand::swap()
{
    for (auto& [j, phrase] : phrases_) {
        if (std::optional<TFra> old = document().setPhrase(j, phrase))
            phrase = std::move(*old);
    }
    unsigned what = DocumentChange::PhraseDefinitions;
    CellBlock block;
    if (!values_.empty()) {
        const auto [low, high] = std::minmax_element(
            values_.begin(), values_.end(),
            [](const CellEdit& a, const CellEdit& b) { return a.phrase < b.phrase; });
        const std::size_t pupils = document().pupils().count();
        block = {0, low->phrase, pupils > 0 ? pupils - 1 : 0, high->phrase};
        values_ = document().setCells(std::move(values_));
        what |= DocumentChange::Values;
    }
    announce({what, block});
}

// ---- ImportPupilsCommand ----------------------------------------------------------

ImportPupilsCommand::ImportPupilsCommand(DocumentEditor& editor, const QString& name,
                                         std::vector<CellEdit> edits, std::vector<TDok> added,
                                         bool replaceClass)
    : EditCommand(editor, name), edits_(std::move(edits)), added_(std::move(added)),
      replaceClass_(replaceClass)
{
    if (replaceClass_) {
        pupils_.reserve(added_.size());
        for (TDok& pupil : added_)
            pupils_.push_back(std::move(pupil));
        added_.clear();
        edits_.clear();
    }
}

bool ImportPupilsCommand::changesAnything(const Document& document) const
{
    if (replaceClass_) {
        if (pupils_.count() != document.pupils().count())
            return true;
        // Padded as the document pads them, before comparing.
        for (std::size_t x = 0; x < pupils_.count(); ++x) {
            TDok pupil = pupils_[x];
            pupil.values.resize(document.phrases().count());
            if (!(pupil == document.pupils()[x]))
                return true;
        }
        return false;
    }
    return !added_.empty() || !document.cellsHold(edits_);
}

void ImportPupilsCommand::apply()
{
    if (replaceClass_) {
        pupils_ = document().replacePupils(std::move(pupils_));
    } else {
        edits_ = document().setCells(std::move(edits_));
        for (TDok& pupil : added_)
            document().insertPupil(document().pupils().count(), std::move(pupil));
    }
    announce({DocumentChange::Pupils | DocumentChange::Values, wholeClass()});
}

void ImportPupilsCommand::revert()
{
    if (replaceClass_) {
        pupils_ = document().replacePupils(std::move(pupils_));
    } else {
        const std::size_t count = document().pupils().count();
        const std::size_t first = count - std::min(count, added_.size());
        for (std::size_t x = first; x < count; ++x)
            added_[x - first] = *document().removePupil(first);
        edits_ = document().setCells(std::move(edits_));
    }
    announce({DocumentChange::Pupils | DocumentChange::Values, wholeClass()});
}

CellBlock ImportPupilsCommand::wholeClass()
{
    const std::size_t pupils = document().pupils().count();
    const std::size_t phrases = document().phrases().count();
    return {0, 0, pupils > 0 ? pupils - 1 : 0, phrases > 0 ? phrases - 1 : 0};
}

// ---- OptionsCommand --------------------------------------------------------------

OptionsCommand::OptionsCommand(DocumentEditor& editor, TOpcje options)
    : EditCommand(editor, QStringLiteral("zmiana opcji")), options_(std::move(options))
{
}

bool OptionsCommand::changesAnything(const Document& document) const
{
    return !(options_ == document.options());
}

void OptionsCommand::swap()
{
    options_ = document().setOptions(std::move(options_));
    announce({DocumentChange::Options, {}});
}

}  // namespace wykazki

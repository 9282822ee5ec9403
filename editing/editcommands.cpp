#include "editcommands.h"

#include "documenteditor.h"

#include <algorithm>

// ---- EditCommand ------------------------------------------------------------

EditCommand::EditCommand(DocumentEditor& editor, const QString& name) : editor_(editor)
{
    setText(name);
}

bool EditCommand::applyFirst()
{
    apply();
    applied_ = true;
    return true;
}

void EditCommand::redo()
{
    if (applied_) {
        applied_ = false;  // the push: applyFirst did the work
        return;
    }
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
                         std::uint8_t kind, CellValue value, int typingSession)
    : EditCommand(editor, name),
      block_(block),
      kind_(kind),
      value_(std::move(value)),
      typingSession_(typingSession)
{
}

bool FillCommand::changesNothing() const
{
    bool same = true;
    replaced_.forEach([&](const CellValue& old) { same = same && old == value_; });
    return same;
}

bool FillCommand::applyFirst()
{
    EditCommand::applyFirst();
    return !changesNothing();
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

bool SetCellsCommand::applyFirst()
{
    const std::vector<CellEdit> wanted = forward_;
    EditCommand::applyFirst();
    // backward_ holds the old values, last edit first.
    return !std::equal(backward_.rbegin(), backward_.rend(), wanted.begin(), wanted.end(),
                       [](const CellEdit& old, const CellEdit& edit) {
                           return old.value == edit.value;
                       });
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

// ---- PupilCommand --------------------------------------------------------------

namespace {

QString pupilCommandName(PupilCommand::Action action)
{
    return action == PupilCommand::Add ? QStringLiteral("dodanie ucznia")
                                       : QStringLiteral("usunięcie ucznia");
}

QString phraseCommandName(PhraseCommand::Action action)
{
    return action == PhraseCommand::Add ? QStringLiteral("dodanie frazy")
                                        : QStringLiteral("usunięcie frazy");
}

}  // namespace

PupilCommand::PupilCommand(DocumentEditor& editor, Action action, std::size_t position)
    : EditCommand(editor, pupilCommandName(action)), action_(action), position_(position)
{
}

bool PupilCommand::applyFirst()
{
    if (action_ == Add)
        position_ = std::min(position_, document().dokumenty().count());
    else if (position_ >= document().dokumenty().count())
        return false;
    return EditCommand::applyFirst();
}

void PupilCommand::insert()
{
    if (removed_)
        document().insertPupil(position_, std::move(*removed_));
    else
        document().addPupil(position_);
    removed_.reset();
}

bool PupilCommand::remove()
{
    removed_ = document().removePupil(position_);
    return removed_.has_value();
}

void PupilCommand::apply()
{
    if (action_ == Add)
        insert();
    else
        remove();
    announce({DocumentChange::Pupils, {}});
}

void PupilCommand::revert()
{
    if (action_ == Add)
        remove();
    else
        insert();
    announce({DocumentChange::Pupils, {}});
}

// ---- PhraseCommand -------------------------------------------------------------

PhraseCommand::PhraseCommand(DocumentEditor& editor, Action action, std::size_t position)
    : EditCommand(editor, phraseCommandName(action)), action_(action), position_(position)
{
}

bool PhraseCommand::applyFirst()
{
    if (action_ == Add)
        position_ = std::min(position_, document().frazy().count());
    else if (position_ >= document().frazy().count())
        return false;
    return EditCommand::applyFirst();
}

void PhraseCommand::insert()
{
    if (removed_)
        document().insertPhrase(position_, std::move(*removed_));
    else
        document().addPhrase(position_);
    removed_.reset();
}

bool PhraseCommand::remove()
{
    removed_ = document().removePhrase(position_);
    return removed_.has_value();
}

void PhraseCommand::apply()
{
    if (action_ == Add)
        insert();
    else
        remove();
    announce({DocumentChange::Phrases, {}});
}

void PhraseCommand::revert()
{
    if (action_ == Add)
        remove();
    else
        insert();
    announce({DocumentChange::Phrases, {}});
}

// ---- SetPhrasesCommand -----------------------------------------------------------

SetPhrasesCommand::SetPhrasesCommand(DocumentEditor& editor, const QString& name,
                                     std::vector<std::pair<std::size_t, TFra>> phrases)
    : EditCommand(editor, name), phrases_(std::move(phrases))
{
}

bool SetPhrasesCommand::applyFirst()
{
    const bool changes = std::any_of(phrases_.begin(), phrases_.end(), [this](const auto& entry) {
        return entry.first < document().frazy().count()
               && !(document().frazy()[entry.first] == entry.second);
    });
    return changes && EditCommand::applyFirst();
}

void SetPhrasesCommand::swap()
{
    for (auto& [j, phrase] : phrases_) {
        if (std::optional<TFra> old = document().setPhrase(j, phrase))
            phrase = std::move(*old);
    }
    announce({DocumentChange::PhraseDefinitions, {}});
}

// ---- OptionsCommand --------------------------------------------------------------

OptionsCommand::OptionsCommand(DocumentEditor& editor, TOpcje options)
    : EditCommand(editor, QStringLiteral("zmiana opcji")), options_(std::move(options))
{
}

bool OptionsCommand::applyFirst()
{
    return !(options_ == document().opcje()) && EditCommand::applyFirst();
}

void OptionsCommand::swap()
{
    options_ = document().setOptions(std::move(options_));
    announce({DocumentChange::Options, {}});
}

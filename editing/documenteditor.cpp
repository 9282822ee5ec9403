#include "documenteditor.h"

#include "editcommands.h"

#include <memory>

namespace wykazki {

DocumentEditor::DocumentEditor(Document& document, QObject* parent)
    : QObject(parent), document_(document)
{
}

DocumentEditor::~DocumentEditor() = default;

void DocumentEditor::push(EditCommand* command)
{
    std::unique_ptr<EditCommand> owned(command);
    // The push runs redo(), the one place a command is applied.
    if (owned->changesAnything(document_))
        stack_.push(owned.release());
}

// ---- Undoable steps -----------------------------------------------------------

void DocumentEditor::fillBlock(const QString& name, const CellBlock& block, PhraseKind kind,
                               const CellValue& value)
{
    endTyping();
    push(new FillCommand(*this, name, block, kind, value, -1));
}

void DocumentEditor::typeIntoBlock(const QString& name, const CellBlock& block, PhraseKind kind,
                                   const CellValue& value)
{
    push(new FillCommand(*this, name, block, kind, value, typingSession_));
}

void DocumentEditor::setCells(const QString& name, std::vector<CellEdit> edits)
{
    endTyping();
    push(new SetCellsCommand(*this, name, std::move(edits)));
}

void DocumentEditor::addPupil(std::size_t p)
{
    endTyping();
    push(new PupilCommand(*this, ListAction::Add, p));
}

void DocumentEditor::removePupil(std::size_t p)
{
    endTyping();
    push(new PupilCommand(*this, ListAction::Remove, p));
}

void DocumentEditor::addPhrase(std::size_t p)
{
    endTyping();
    push(new PhraseCommand(*this, ListAction::Add, p));
}

void DocumentEditor::removePhrase(std::size_t p)
{
    endTyping();
    push(new PhraseCommand(*this, ListAction::Remove, p));
}

void DocumentEditor::setPhrases(const QString& name,
                                std::vector<std::pair<std::size_t, TFra>> phrases,
                                std::vector<CellEdit> values)
{
    endTyping();
    push(new SetPhrasesCommand(*this, name, std::move(phrases), std::move(values)));
}

void DocumentEditor::setPhrasesInRun(const QString& name,
                                     std::vector<std::pair<std::size_t, TFra>> phrases)
{
    push(new SetPhrasesCommand(*this, name, std::move(phrases), {}, typingSession_));
}

void DocumentEditor::setOptions(const TOpcje& options)
{
    endTyping();
    push(new OptionsCommand(*this, options));
}

void DocumentEditor::importPupils(const QString& name, std::vector<CellEdit> edits,
                                  std::vector<TDok> added, bool replaceClass)
{
    endTyping();
    push(new ImportPupilsCommand(*this, name, std::move(edits), std::move(added), replaceClass));
}

// ---- A new history ----------------------------------------------------------------

void DocumentEditor::takeOver(ClassFileContents&& read)
{
    endTyping();
    document_.takeOver(std::move(read));
    stack_.clear();     // does nothing to an empty history ...
    stack_.setClean();  // ... so the read state is made the saved one here
    emit changed({DocumentChange::Whole, {}});
}

void DocumentEditor::newDocument()
{
    endTyping();
    const bool wasModified = isModified();
    document_.newDocument();
    stack_.clear();
    if (wasModified)
        stack_.resetClean();  // Nowy does not make unsaved work saved
    else
        stack_.setClean();
    emit changed({DocumentChange::Whole, {}});
}

void DocumentEditor::markSaved()
{
    endTyping();
    stack_.setClean();
}

}  // namespace wykazki

#pragma once
// The one way the document changes. Every change is a command on an undo
// stack ("Cofnij: …" / "Ponów: …" in the Edycja menu), the stack's clean
// state is the modified flag, and every change, undo and redo is announced
// once through changed(), which every open window repaints from.

#include "documentchange.h"

#include "document/document.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <cstdint>
#include <utility>
#include <vector>

namespace wykazki {

class DocumentEditor : public QObject {
    Q_OBJECT
public:
    explicit DocumentEditor(Document& document, QObject* parent = nullptr);
    ~DocumentEditor() override;

    const Document& document() const { return document_; }
    QUndoStack& undoStack() { return stack_; }
    // Unsaved work: the stack's clean state, the one place it is kept.
    bool isModified() const { return !stack_.isClean(); }

    // ---- Undoable steps. name is what the Edycja menu shows. -----------
    // Writes value into every cell of block whose phrase is of kind. A fill
    // that changes nothing is no step.
    void fillBlock(const QString& name, const CellBlock& block, PhraseKind kind,
                   const CellValue& value);
    // Typing: like fillBlock, but consecutive typing into the same block
    // joins one step until endTyping().
    void typeIntoBlock(const QString& name, const CellBlock& block, PhraseKind kind,
                       const CellValue& value);
    // The next typing starts a step of its own (the cell was left).
    void endTyping() { ++typingSession_; }
    // Different values into different cells (a paste); one step.
    void setCells(const QString& name, std::vector<CellEdit> edits);
    void addPupil(std::size_t p);
    void removePupil(std::size_t p);
    void addPhrase(std::size_t p);
    void removePhrase(std::size_t p);
    // New definitions for some phrases, one step; values, when given, are
    // written in the same step (a picture chosen for a phrase reaches each
    // pupil who had no picture of their own).
    void setPhrases(const QString& name, std::vector<std::pair<std::size_t, TFra>> phrases,
                    std::vector<CellEdit> values = {});
    // Like setPhrases, but consecutive calls with the same name on the same
    // phrases join one step until endTyping() (a run of one arrow key).
    void setPhrasesInRun(const QString& name, std::vector<std::pair<std::size_t, TFra>> phrases);
    void setOptions(const TOpcje& options);
    // An import from a spreadsheet, one step: new values of pupils already
    // in the class and pupils appended after them, or (replaceClass) the
    // added pupils as the whole class.
    void importPupils(const QString& name, std::vector<CellEdit> edits, std::vector<TDok> added,
                      bool replaceClass);

    // ---- Not undoable: they start a new history. -------------------------
    // A completely read file: the modified flag clears.
    void takeOver(ClassFileContents&& read);
    // Nowy: no phrases, no pupils; options and the modified flag stay.
    void newDocument();
    // A save wrote the document: this state is the unmodified one.
    void markSaved();

signals:
    void changed(const DocumentChange& change);

private:
    friend class EditCommand;
    // What the commands use.
    Document& mutableDocument() { return document_; }
    void announce(const DocumentChange& change) { emit changed(change); }

    void push(class EditCommand* command);

    Document& document_;
    QUndoStack stack_;
    int typingSession_ = 0;
};

}  // namespace wykazki

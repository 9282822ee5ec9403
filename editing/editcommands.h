#pragma once
// One undoable command per kind of change. redo() applies it, undo() puts
// things back; whether it would change anything is asked of the document
// before it is pushed, so that a change that changes nothing is no step.

#include "documentchange.h"

#include "document/document.h"

#include <QUndoCommand>

#include <optional>
#include <utility>
#include <vector>

namespace wykazki {

class DocumentEditor;

class EditCommand : public QUndoCommand {
public:
    EditCommand(DocumentEditor& editor, const QString& name);

    // Whether applying it now would change the document (a const question,
    // asked before the push).
    virtual bool changesAnything(const Document& document) const = 0;

    void redo() final;
    void undo() final;

protected:
    virtual void apply() = 0;
    virtual void revert() = 0;

    Document& document();
    void announce(const DocumentChange& change);

private:
    DocumentEditor& editor_;
};

// A value written into every cell of a block whose phrase is of one kind;
// typing joins consecutive fills of the same session.
class FillCommand : public EditCommand {
public:
    static constexpr int kTypingId = 1;

    FillCommand(DocumentEditor& editor, const QString& name, const CellBlock& block,
                PhraseKind kind, CellValue value, int typingSession);

    bool changesAnything(const Document& document) const override;
    int id() const override { return typingSession_ >= 0 ? kTypingId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

    const ReplacedValues& replaced() const { return replaced_; }

protected:
    void apply() override;
    void revert() override;

private:
    bool changesNothing() const;

    CellBlock block_;
    PhraseKind kind_;
    CellValue value_;
    int typingSession_;
    ReplacedValues replaced_;
};

// Different values into different cells.
class SetCellsCommand : public EditCommand {
public:
    SetCellsCommand(DocumentEditor& editor, const QString& name, std::vector<CellEdit> edits);
    bool changesAnything(const Document& document) const override;

protected:
    void apply() override;
    void revert() override;

private:
    std::vector<CellEdit> forward_;
    std::vector<CellEdit> backward_;
    std::optional<CellBlock> bounds_;
};

// Adding or removing one pupil or one phrase: the two lists below say how.
enum class ListAction { Add, Remove };

struct PupilList {
    using Item = TDok;
    static constexpr DocumentChange::What kChange = DocumentChange::Pupils;
    static QString stepName(ListAction action);
    static std::size_t count(const Document& document) { return document.pupils().count(); }
    static void add(Document& document, std::size_t p) { document.addPupil(p); }
    static void insert(Document& document, std::size_t p, Item item)
    {
        document.insertPupil(p, std::move(item));
    }
    static std::optional<Item> remove(Document& document, std::size_t p)
    {
        return document.removePupil(p);
    }
};

struct PhraseList {
    using Item = PhraseColumn;  // the phrase with every pupil's value of it
    static constexpr DocumentChange::What kChange = DocumentChange::Phrases;
    static QString stepName(ListAction action);
    static std::size_t count(const Document& document) { return document.phrases().count(); }
    static void add(Document& document, std::size_t p) { document.addPhrase(p); }
    static void insert(Document& document, std::size_t p, Item item)
    {
        document.insertPhrase(p, std::move(item));
    }
    static std::optional<Item> remove(Document& document, std::size_t p)
    {
        return document.removePhrase(p);
    }
};

template <typename List>
class ListCommand : public EditCommand {
public:
    // An added item's position is clamped to the list as it is now.
    ListCommand(DocumentEditor& editor, ListAction action, std::size_t position);
    bool changesAnything(const Document& document) const override;

protected:
    void apply() override;
    void revert() override;

private:
    void insert();
    void remove();

    ListAction action_;
    std::size_t position_;
    std::optional<typename List::Item> removed_;  // what an undo puts back
};

using PupilCommand = ListCommand<PupilList>;
using PhraseCommand = ListCommand<PhraseList>;

// New definitions of some phrases, with values of their cells in the same
// step; applying and reverting are both a swap.
// A run (>= 0) joins consecutive commands of the same run, name and
// phrases into one step: a drag or a run of one arrow key in the layout view.
class SetPhrasesCommand : public EditCommand {
public:
    static constexpr int kRunId = 2;

    SetPhrasesCommand(DocumentEditor& editor, const QString& name,
                      std::vector<std::pair<std::size_t, TFra>> phrases,
                      std::vector<CellEdit> values = {}, int run = -1);
    bool changesAnything(const Document& document) const override;
    int id() const override { return run_ >= 0 ? kRunId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

protected:
    void apply() override { swap(); }
    void revert() override { swap(); }

private:
    void swap();
    std::vector<std::pair<std::size_t, TFra>> phrases_;
    std::vector<CellEdit> values_;  // to apply now; after a swap, what undoes it
    int run_;
};

// Pupils from a spreadsheet: new values of pupils in the class and pupils
// appended after them, or a new list of every pupil; one step.
class ImportPupilsCommand : public EditCommand {
public:
    ImportPupilsCommand(DocumentEditor& editor, const QString& name, std::vector<CellEdit> edits,
                        std::vector<TDok> added, bool replaceClass);
    bool changesAnything(const Document& document) const override;

protected:
    void apply() override;
    void revert() override;

private:
    CellBlock wholeClass();

    std::vector<CellEdit> edits_;  // to apply now; once applied, what undoes them
    std::vector<TDok> added_;      // appended pupils while not in the class
    TDokumenty pupils_;            // replacing: the list not in the document now
    bool replaceClass_;
};

class OptionsCommand : public EditCommand {
public:
    OptionsCommand(DocumentEditor& editor, TOpcje options);
    bool changesAnything(const Document& document) const override;

protected:
    void apply() override { swap(); }
    void revert() override { swap(); }

private:
    void swap();
    TOpcje options_;
};

}  // namespace wykazki

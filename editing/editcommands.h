#pragma once
// One undoable command per kind of change. A command is applied once before
// it is pushed (so that a change that changes nothing never becomes a
// step); later redos and undos swap the document between its two states.

#include "documentchange.h"

#include "document/document.h"

#include <QUndoCommand>

#include <optional>
#include <utility>
#include <vector>

class DocumentEditor;

class EditCommand : public QUndoCommand {
public:
    EditCommand(DocumentEditor& editor, const QString& name);

    // Applies the change the first time; false when it changed nothing.
    virtual bool applyFirst();

    void redo() final;
    void undo() final;

protected:
    virtual void apply() = 0;
    virtual void revert() = 0;

    Document& document();
    void announce(const DocumentChange& change);

private:
    DocumentEditor& editor_;
    bool applied_ = false;  // by applyFirst, so the push's redo is skipped
};

// A value written into every cell of a block whose phrase is of one kind;
// typing joins consecutive fills of the same session.
class FillCommand : public EditCommand {
public:
    static constexpr int kTypingId = 1;

    FillCommand(DocumentEditor& editor, const QString& name, const CellBlock& block,
                std::uint8_t kind, CellValue value, int typingSession);

    bool applyFirst() override;
    int id() const override { return typingSession_ >= 0 ? kTypingId : -1; }
    bool mergeWith(const QUndoCommand* other) override;

    const ReplacedValues& replaced() const { return replaced_; }

protected:
    void apply() override;
    void revert() override;

private:
    bool changesNothing() const;

    CellBlock block_;
    std::uint8_t kind_;
    CellValue value_;
    int typingSession_;
    ReplacedValues replaced_;
};

// Different values into different cells.
class SetCellsCommand : public EditCommand {
public:
    SetCellsCommand(DocumentEditor& editor, const QString& name, std::vector<CellEdit> edits);
    bool applyFirst() override;

protected:
    void apply() override;
    void revert() override;

private:
    std::vector<CellEdit> forward_;
    std::vector<CellEdit> backward_;
    std::optional<CellBlock> bounds_;
};

class PupilCommand : public EditCommand {
public:
    enum Action { Add, Remove };
    PupilCommand(DocumentEditor& editor, Action action, std::size_t position);
    bool applyFirst() override;

protected:
    void apply() override;
    void revert() override;

private:
    void insert();
    bool remove();

    Action action_;
    std::size_t position_;
    std::optional<TDok> removed_;
};

class PhraseCommand : public EditCommand {
public:
    enum Action { Add, Remove };
    PhraseCommand(DocumentEditor& editor, Action action, std::size_t position);
    bool applyFirst() override;

protected:
    void apply() override;
    void revert() override;

private:
    void insert();
    bool remove();

    Action action_;
    std::size_t position_;
    std::optional<PhraseColumn> removed_;
};

// New definitions of some phrases; applying and reverting are both a swap.
class SetPhrasesCommand : public EditCommand {
public:
    SetPhrasesCommand(DocumentEditor& editor, const QString& name,
                      std::vector<std::pair<std::size_t, TFra>> phrases);
    bool applyFirst() override;

protected:
    void apply() override { swap(); }
    void revert() override { swap(); }

private:
    void swap();
    std::vector<std::pair<std::size_t, TFra>> phrases_;
};

class OptionsCommand : public EditCommand {
public:
    OptionsCommand(DocumentEditor& editor, TOpcje options);
    bool applyFirst() override;

protected:
    void apply() override { swap(); }
    void revert() override { swap(); }

private:
    void swap();
    TOpcje options_;
};

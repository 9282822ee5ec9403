#pragma once
// The main window's grid: pupils as columns, phrases as rows, the averages
// in the extra last column and row. The grid holds no data; as its owner
// this answers it from the document and applies every key, click and paste
// to the selected cells whose phrase kind fits, each as one step of the
// edit layer.

#include "document/computedvalues.h"
#include "document/document.h"
#include "document/tminiedi.h"
#include "grid/celledi.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wykazki {

class DocumentEditor;
struct DocumentChange;

class PupilGrid : public CellEdiOwner {
public:
    // The one number the in-cell editing helper knows this grid by.
    static constexpr int kGridId = 1;
    // Longest text typed into a cell.
    static constexpr std::size_t kTextLimit = 2000;

    // What the grid needs from the rest of the program.
    struct Hooks {
        std::function<int()> chosenPage;             // "Drukuj stronę:", 0..3
        std::function<void()> longTextUpdate;        // the long-text editor follows
        std::function<void()> gridOptions;           // the corner was clicked
        std::function<void(const QString&)> status;  // a word in the status bar
        // Characters the code page could not hold left out at a cell.
        std::function<void(int x, int y, const QString& characters)> lostCharacters;
        // F5: the text file to save the grid or the selection in; empty
        // when the user cancelled.
        std::function<QString()> textFileName;
    };
    // The picture chooser: the chosen file name, or nothing when cancelled.
    using PictureChooser = std::function<std::optional<std::string>(const std::string& current)>;

    PupilGrid(TCellEdi& grid, DocumentEditor& editor, Hooks hooks);
    ~PupilGrid() override;

    PupilGrid(const PupilGrid&) = delete;
    PupilGrid& operator=(const PupilGrid&) = delete;

    // Until a chooser is set, a picture cell changes only with Delete.
    void setPictureChooser(PictureChooser chooser) { chooser_ = std::move(chooser); }

    // Add a pupil after the current column; remove the current column's pupil.
    void addPupil();
    void removePupil();

    // The grid's events, the grid's owner from construction on (the
    // handlers CellEdi1TopInfo, CellEdi1LeftInfo, CellEdi1Oczko,
    // CellEdi1AkcjaEdit, CellEdi1Akcja, CellEdi1ZmianaKomorki,
    // CellEdi1OczkoToClipboard, CellEdi1ClipboardToOczko and
    // CellEdi1LeftTopAkcja of the main window, in that order).
    CellEdiEvents boundEvents() const override;
    void columnHeader(TCellEdi&, int column, TTekstOczka& ato) const override;
    void rowHeader(TCellEdi&, int row, TTekstOczka& ato) const override;
    void cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const override;
    // A pupil's header names its groups; a computed cell says what it is.
    QString toolTip(TCellEdi&, int column, int row) const override;
    void cellEdit(TCellEdi&, int x, int y, unsigned char& key, int button) override;
    void cellAction(TCellEdi&, int x, int y, std::uint32_t& key, int button,
                    TShiftState shift) override;
    void cellChanged(TCellEdi&, int oldx, int oldy) override;
    void copyText(TCellEdi&, int x, int y, std::string& text) const override;
    void pasteIntoCell(TCellEdi&, int x, int y, std::string& text) override;
    void cornerClicked(TCellEdi&, int button, TShiftState shift) override;
    void pasteStarted(TCellEdi&) override;
    void pasteFinished(TCellEdi&) override;
    void pasteCut(TCellEdi&, int x, int y, std::size_t count) override;
    void charactersLost(TCellEdi&, int x, int y, const QString& characters) override;
    // F5: a selection of more than one cell, else the whole grid.
    void textFileRange(TCellEdi&, std::string& file, int& x1, int& y1, int& x2, int& y2) override;
    void textFileWritten(TCellEdi&, const std::string& file, bool written) override;

    // Forget the number being typed in a cell.
    void forgetTyping() { miniEdi_.forget(); }

private:
    QString pupilLabel(std::size_t x) const;
    int pupils() const;
    int phrases() const;
    bool isDataCell(int x, int y) const;
    PhraseKind kindOf(int y) const;
    // Pupil x's groups, from phrase expectations kept until the next change.
    PupilGroups groupsOf(std::size_t x) const;
    // Row y is a phrase the program computes.
    bool isComputedRow(int y) const;
    // Typing into a computed row is refused with a word in the status bar;
    // true when it was.
    bool refusesTyping(int y) const;
    // The grid's selection as a block of cells, and its part of row y.
    CellBlock selectedBlock() const;
    CellBlock selectedRowBlock(int y) const;
    void documentChanged(const DocumentChange& change);

    void typeIntoText(int x, int y, unsigned char& key, int button);
    void typeIntoGrade(int x, int y, unsigned char& key, int button);
    void typeIntoPicture(int x, int y, unsigned char key);

    TCellEdi& grid_;
    DocumentEditor& editor_;
    const Document& document_;
    Hooks hooks_;
    PictureChooser chooser_;
    TMiniEdi miniEdi_;  // the number being typed into a grade cell
    // The cells of the paste in progress, stored as one step when it ends.
    std::optional<std::vector<CellEdit>> paste_;
    int unreadGrades_ = 0;   // pasted texts that were no grade
    int computedCells_ = 0;  // pasted texts that met a computed phrase
    // The paste's shape: its first cell and whether it stayed in one column.
    std::optional<std::pair<int, int>> pasteStart_;
    bool pasteOneColumn_ = true;
    int pasteRows_ = 0;
    mutable std::optional<std::vector<bool>> gradesExpected_;
};

}  // namespace wykazki

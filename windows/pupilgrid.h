#pragma once
// The main window's grid: pupils as columns, phrases as rows, the averages
// in the extra last column and row. The grid holds no data; these callbacks
// answer it from the document and apply every key, click and paste to the
// selected cells whose phrase kind fits, each as one step of the edit layer.

#include "document/document.h"
#include "document/tminiedi.h"
#include "grid/celledi.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class DocumentEditor;
struct DocumentChange;

class PupilGrid {
public:
    // The one number the in-cell editing helper knows this grid by.
    static constexpr int kGridId = 1;
    // Longest text typed into a cell.
    static constexpr std::size_t kTextLimit = 2000;

    // What the grid needs from the rest of the program.
    struct Hooks {
        std::function<int()> chosenPage;       // "Drukuj stronę:", 0..3
        std::function<void()> longTextUpdate;  // the long-text editor follows
        std::function<void()> gridOptions;     // the corner was clicked
        std::function<void(const QString&)> status;  // a word in the status bar
    };
    // The picture chooser: the chosen file name, or nothing when cancelled.
    using PictureChooser = std::function<std::optional<std::string>(const std::string& current)>;

    PupilGrid(TCellEdi& grid, DocumentEditor& editor, Hooks hooks);
    ~PupilGrid();

    PupilGrid(const PupilGrid&) = delete;
    PupilGrid& operator=(const PupilGrid&) = delete;

    // Until a chooser is set, a picture cell changes only with Delete.
    void setPictureChooser(PictureChooser chooser) { chooser_ = std::move(chooser); }

    // Add a pupil after the current column; remove the current column's pupil.
    void addPupil();
    void removePupil();

    // The callbacks, bound to the grid on construction.
    void CellEdi1TopInfo(int poz, TTekstOczka& ato) const;
    void CellEdi1LeftInfo(int poz, TTekstOczka& ato) const;
    void CellEdi1Oczko(int x, int y, TTekstOczka& ato) const;
    void CellEdi1AkcjaEdit(int x, int y, unsigned char& key, int button);
    void CellEdi1Akcja(int x, int y, std::uint32_t& key, int button, TShiftState shift);
    void CellEdi1ZmianaKomorki(int oldx, int oldy);
    void CellEdi1OczkoToClipboard(int x, int y, std::string& txt) const;
    void CellEdi1ClipboardToOczko(int x, int y, std::string& txt);
    void CellEdi1LeftTopAkcja(int button, TShiftState shift);

    // Forget the number being typed in a cell.
    void forgetTyping() { miniEdi_.forget(); }

private:
    QString pupilLabel(std::size_t x) const;
    int pupils() const;
    int phrases() const;
    bool isDataCell(int x, int y) const;
    int kindOf(int y) const;
    // The grid's selection as a block of cells, and its part of row y.
    CellBlock selectedBlock() const;
    CellBlock selectedRowBlock(int y) const;
    void pasteStarted();
    void pasteFinished();
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
    int unreadGrades_ = 0;  // pasted texts that were no grade
};

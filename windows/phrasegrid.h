#pragma once
// The phrase editor's grid: one row per phrase, ten columns for its name,
// kind, position, size, alignment, font or picture, line spacing and page.
// The grid holds no data; as its owner this answers it from the phrase
// list and applies every key, click and paste to the selected rows, each as
// one step of the edit layer. Adding and removing keep every pupil's values in
// step with the phrases.

#include "document/computedvalues.h"
#include "document/document.h"
#include "document/tminiedi.h"
#include "grid/celledi.h"

#include <QString>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace wykazki {

class DocumentEditor;
struct DocumentChange;

class PhraseGrid : public CellEdiOwner {
public:
    // The number the in-cell editing helper knows this grid by.
    static constexpr int kGridId = 2;

    // The picture chooser: the chosen file name, or nothing when cancelled.
    using PictureChooser = std::function<std::optional<std::string>(const std::string& current)>;
    // The font dialog on a phrase's font: true and the font written into
    // the phrase when the user confirmed.
    using FontChooser = std::function<bool(TFra& phrase)>;

    PhraseGrid(TCellEdi& grid, DocumentEditor& editor);
    ~PhraseGrid() override;

    PhraseGrid(const PhraseGrid&) = delete;
    PhraseGrid& operator=(const PhraseGrid&) = delete;

    void setPictureChooser(PictureChooser chooser) { pictureChooser_ = std::move(chooser); }
    void setFontChooser(FontChooser chooser) { fontChooser_ = std::move(chooser); }
    // The corner cell was clicked.
    void setCornerAction(std::function<void()> action) { cornerAction_ = std::move(action); }
    // A message for the window's status bar.
    void setStatus(std::function<void(const QString&)> status) { status_ = std::move(status); }

    // Ten columns, one row per phrase but at least one.
    void applyGridSize();
    // "Dodaj frazę": a new phrase below the current row (at 0 in an empty
    // list), the cursor on it. "Usuń frazę": the current row's phrase.
    void addPhrase();
    void removePhrase();
    // Marks the selected text phrases as computed (the average) or as the
    // behaviour grade, or takes the mark away; one step. False when no
    // selected row is a text phrase.
    bool setRole(PhraseRole role, bool on);
    // The role of the current row's phrase (plain also for other kinds).
    PhraseRole currentRole() const;

    // The grid's events, the grid's owner from construction on (the
    // handlers CellEdi1TopInfo, CellEdi1Oczko, CellEdi1AkcjaEdit,
    // CellEdi1OczkoToClipboard, CellEdi1ClipboardToOczko and
    // CellEdi1LeftTopAkcja of the phrase editor, in that order).
    CellEdiEvents boundEvents() const override;
    void columnHeader(TCellEdi&, int column, TTekstOczka& ato) const override;
    void cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const override;
    void cellEdit(TCellEdi&, int x, int y, unsigned char& key, int button) override;
    void copyText(TCellEdi&, int x, int y, std::string& text) const override;
    void pasteIntoCell(TCellEdi&, int x, int y, std::string& text) override;
    void cornerClicked(TCellEdi&, int button, TShiftState shift) override;
    void pasteStarted(TCellEdi&) override;
    void pasteFinished(TCellEdi&) override;

private:
    int phrases() const;
    // Every row of the selection that is a phrase, top to bottom.
    std::vector<std::size_t> selectedRows();
    void documentChanged(const DocumentChange& change);
    // One step: the new definitions of the rows that took the edit.
    void store(const QString& name, std::vector<std::pair<std::size_t, TFra>> phrases,
               std::vector<CellEdit> values);
    void store(const QString& name, std::vector<std::pair<std::size_t, TFra>> phrases);

    void editName(std::size_t y, unsigned char& key);
    void editKind(std::size_t y, int button);
    void editNumberCell(int x, std::size_t y, unsigned char& key, int button);
    void editAlignment(std::size_t y, unsigned char& key, int button);
    void editFont(std::size_t y, unsigned char& key);
    void editPicture(std::size_t y, unsigned char& key);
    void editPage(std::size_t y, int button);

    TCellEdi& grid_;
    DocumentEditor& editor_;
    const Document& document_;
    PictureChooser pictureChooser_;
    FontChooser fontChooser_;
    std::function<void()> cornerAction_;
    std::function<void(const QString&)> status_;
    TMiniEdi miniEdi_;      // the number being typed into a cell
    bool storing_ = false;  // our own step's notice keeps the number typed
    // The rows of the paste in progress, stored as one step when it ends.
    std::optional<std::map<std::size_t, TFra>> paste_;
};

}  // namespace wykazki

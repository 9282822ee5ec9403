#pragma once
// The picture chooser: a small modal window listing the picture files
// (BMP, PNG, JPEG) of the program folder, sorted by name, narrowed by a typed prefix of up to three
// characters. Enter, a click on the current row or the tool button choose;
// Escape and the close box cancel.

#include "grid/cellediowner.h"

#include <QDialog>

#include <string>
#include <vector>

class QLabel;
class QKeyEvent;

namespace wykazki {

class TCellEdi;

class Tffwlista : public QDialog, private CellEdiOwner {
    Q_OBJECT
public:
    explicit Tffwlista(std::string programFolder, QWidget* parent = nullptr);

    // Mode 0 (the only one): fileName (Windows-1250) is replaced when the
    // user chooses a listed file. Returns false when the user cancelled, or
    // chose while no file was listed.
    bool chooseFromList(int mode, std::string& fileName);

    // What the window shows, for its tests.
    const std::vector<std::string>& fileList() const { return files_; }
    std::vector<std::string> shownNames() const;
    const std::string& filter() const { return filter_; }
    TCellEdi& grid() { return *grid_; }
    QLabel& filterPanel() { return *filterLabel_; }
    QLabel& limitLine() { return *limitLabel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void readFileList();
    // The window previews keys: true when the key was the window's own.
    bool FormKeyDown(QKeyEvent* event);
    void refresh();
    // The row of the filtered list holding fileName, or 0.
    int rowOf(const std::string& fileName) const;
    void choose();  // "Zamknij": choose the current row
    void CellEdi1Oczko(int x, int y, std::string& text) const;

    // The grid's owner: CellEdi1Oczko and CellEdi1Akcja.
    CellEdiEvents boundEvents() const override;
    void cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const override;
    void cellAction(TCellEdi&, int, int, std::uint32_t&, int button, TShiftState) override;

    std::string programFolder_;
    TCellEdi* grid_ = nullptr;
    QLabel* filterLabel_ = nullptr;
    QLabel* limitLabel_ = nullptr;
    std::vector<std::string> files_;     // Windows-1250 names
    std::vector<std::size_t> filtered_;  // positions in files_
    std::string filter_;
    bool chosen_ = false;
    std::string* fileName_ = nullptr;  // the caller's name while open
};

}  // namespace wykazki

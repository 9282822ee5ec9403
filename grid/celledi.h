#pragma once
// TCellEdi, the program's one table control. It holds no cell data: a grid
// of one header column, one header row and Ilx x Ily data cells that asks
// its owner (CellEdiOwner) for the text, colour and alignment of every
// header and cell each time one is painted, and reports keys, clicks,
// pastes and cell changes back.
//
// Coordinates: grid coordinates count the header column and row as 0.
// Every owner event and every method below speaks data coordinates (x =
// grid column - 1, y = grid row - 1), header events get grid index - 1.
// On the Qt side the header column and row are the view's QHeaderViews, so
// Qt's model column x is data column x and grid column x + 1.
//
// Texts are Windows-1250 bytes; keys are Windows virtual-key numbers
// (grid/keycodes.h); button numbers are 1 left, 2 right, 3 middle and 0 for
// the keyboard.
//
// How the control sits on Qt's table view:
// - widths and heights are Qt's section sizes, the grid line included: a
//   cell is painted into its section less the last pixel column and row;
// - the header column has the fixed width SzerInfo (Qt's vertical header
//   cannot be dragged wider), data columns and rows resize by their borders;
// - a double click is a second press (ssDouble in the shift state);
// - a key press runs the key-down steps, then, when it carries text, the
//   typed-character steps; text an input method commits is typed too.

#include "document/screenlayout.h"
#include "grid/cellediowner.h"
#include "grid/cellpainter.h"
#include "grid/gridprintstate.h"
#include "grid/rangetext.h"
#include "grid/tekstoczka.h"

#include <QFont>
#include <QPointer>
#include <QTableView>

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QAbstractButton;

namespace wykazki {

class CellDelegate;
class CellTextCache;
class GridHeader;
class GridModel;

// An inclusive rectangle of grid cells in grid coordinates.
struct GridRect {
    int left = 1;
    int top = 1;
    int right = 1;
    int bottom = 1;

    bool isSingleCell() const { return left == right && top == bottom; }
    bool contains(int column, int row) const
    {
        return column >= left && column <= right && row >= top && row <= bottom;
    }
    bool operator==(const GridRect&) const = default;
};

// Cell painting reads the grid through PaintedGrid only (paintView()).
class TCellEdi : public QTableView, private PaintedGrid {
    Q_OBJECT

public:
    static constexpr int kMaxData = 4999;  // data columns or rows

    explicit TCellEdi(QWidget* parent = nullptr);
    ~TCellEdi() override;

    // The owner answers the grid's events (grid/cellediowner.h); without
    // one every event is unbound. The grid does not own it; an owner that
    // goes before its grid sets nullptr.
    void setOwner(CellEdiOwner* owner) { owner_ = owner; }
    CellEdiOwner* owner() const { return owner_; }
    // Whether there is an owner and it answers the event.
    bool binds(CellEdiEvent event) const
    {
        return owner_ != nullptr && owner_->boundEvents().testFlag(event);
    }

    // ---- Properties. ------------------------------------------------------
    // Data columns / rows, clamped into 1..4999; new ones take the width
    // (height) of the former last one.
    int Ilx() const;
    void setIlx(int n);
    int Ily() const;
    void setIly(int n);
    // Header column width and header row height; WysInfo 0 hides the row.
    int SzerInfo() const;
    void setSzerInfo(int width);
    int WysInfo() const;
    void setWysInfo(int height);
    // Stored, and applied at once to every existing data column (row).
    int DefaultSzerIo() const { return defaultSzerIo_; }
    void setDefaultSzerIo(int width);
    int DefaultWysIo() const { return defaultWysIo_; }
    void setDefaultWysIo(int height);
    // Preset alignment of every part; a change repaints.
    TJustTyp DefaultJust() const { return defaultJust_; }
    void setDefaultJust(TJustTyp just);
    // Preset colours of headers and data cells; setting does not repaint.
    TKolor InfoKolor() const { return infoKolor_; }
    void setInfoKolor(TKolor kolor) { infoKolor_ = kolor; }
    TKolor OczkoKolor() const { return oczkoKolor_; }
    void setOczkoKolor(TKolor kolor) { oczkoKolor_ = kolor; }
    // Selected cells, the current cell while selected, text of selected cells.
    TKolor ZaznaczKolor() const { return zaznaczKolor_; }
    void setZaznaczKolor(TKolor kolor);
    TKolor KursorKolor() const { return kursorKolor_; }
    void setKursorKolor(TKolor kolor);
    TKolor KursorFontKolor() const { return kursorFontKolor_; }
    void setKursorFontKolor(TKolor kolor);
    // The colour of the grid's font (QWidget::font() carries the rest).
    TKolor fontColor() const { return fontColor_; }
    void setFontColor(TKolor kolor);

    // The current cell in data coordinates; setting clamps into the data
    // and makes that single cell the selection.
    int PozX() const;
    void setPozX(int x);
    int PozY() const;
    void setPozY(int y);

    // Width of data column i, height of data row i; setting ignores i
    // outside the data.
    int SzerIo(int i) const;
    void setSzerIo(int i, int width);
    int WysIo(int i) const;
    void setWysIo(int i, int height);

    // ---- Repaint requests. --------------------------------------------------
    void OdswiezOczko(int x, int y);
    void OdswiezWiersz(int y);   // row header and the row's visible cells
    void OdswiezKolumne(int x);  // column header and the column's visible cells
    void Odswiez();

    // ---- Selection walk. ----------------------------------------------------
    // Mode 0: every selected cell, column by column from the left, each
    // column from the top. Mode 1: one cell per selected column on the
    // selection's top row. Mode 2: one cell per selected row in the
    // selection's left column. Other modes yield nothing. The selection is
    // read afresh at every step.
    void StartZaznaczenia(int tryb);
    bool NastepneZaznaczone(int& x, int& y);

    // ---- Layout block stored inside class files. ----------------------------
    GridLayout gridLayout() const;
    void applyLayout(const GridLayout& layout);
    // Reads exactly one block; a short or corrupt one throws EKolmoError(ErrorCode::ReadFailed)
    // and leaves the grid as it was.
    void CzytajUklad(std::istream& in);
    // Throws EKolmoError(ErrorCode::WriteFailed) when the stream fails.
    void ZapiszUklad(std::ostream& out) const;

    // ---- Clipboard and export. ----------------------------------------------
    // Range text (TAB between cells, CR LF after rows) into cel. With
    // tylkoZaznaczenie the selection, otherwise columns x1 .. x2-1 and rows
    // y1 .. y2-1 (x2 <= 0 or > Ilx means Ilx, likewise y2).
    void TekstZakresu(std::string& cel, bool tylkoZaznaczenie, int x1 = 0, int y1 = 0, int x2 = 0,
                      int y2 = 0);
    // Writes that range text to file (a Windows-1250 name) as a class file
    // is saved; false when OnOczkoToClipboard is not bound or the file
    // cannot be written (a read-only one is refused, a failed write leaves
    // the old file as it was).
    bool ZapiszTekst(const std::string& file, int x1, int y1, int x2, int y2);
    // Appends the whole grid as an HTML table (Windows-1250 bytes).
    void TabelaHtml(std::string& cel, bool zKolorami, int odstep, bool wszystkieLinie);

    // What Ctrl+C, Ctrl+V and F5 do, for owners' menus.
    void copySelection();
    // Transposed (Ctrl+Shift+V): the copied rows go down the grid's
    // columns, so that a spreadsheet's column of names fills a row.
    bool pasteClipboard(PasteLayout layout = PasteLayout::AsCopied);  // false: no text
    // The paste rules on given bytes; charactersLeftOut: of the clipboard's
    // text, already cut before these bytes.
    void pasteText(std::string_view bytes, std::size_t charactersLeftOut = 0,
                   PasteLayout layout = PasteLayout::AsCopied);
    // The layout of the paste in progress, for its owner.
    PasteLayout pasteLayout() const { return pasteLayout_; }
    void exportTextFile();

    // ---- The grid base, in grid coordinates. --------------------------------
    int gridColumnCount() const { return Ilx() + 1; }
    int gridRowCount() const { return Ily() + 1; }
    int columnWidthAt(int column) const;  // 0 = header column
    int rowHeightAt(int row) const;       // 0 = header row
    int currentColumn() const { return PozX() + 1; }
    int currentRow() const { return PozY() + 1; }
    // The selection; never covers header cells, always holds the current cell
    // when nothing else is selected.
    GridRect selectedRange() const;
    // Selects the range (clamped into the data), current cell unchanged
    // when it lies inside, else moved to the range's top-left.
    void selectRange(const GridRect& range);
    int firstVisibleColumn() const;
    int firstVisibleRow() const;
    int visibleColumnCount() const;
    int visibleRowCount() const;
    // A data cell's rectangle in viewport coordinates.
    QRect cellRect(int column, int row) const;

    // What cell painting reads of this grid.
    PaintedGrid& paintView() { return *this; }

    // Table printing keeps its layout here between layout and pages.
    GridPrintState& printState() { return printState_; }
    const GridPrintState& printState() const { return printState_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    // Tells the owner which pasted characters the code page could not hold.
    void reportLostCharacters(const QString& pasted);
    // PaintedGrid.
    TTekstOczka cellContent(int column, int row) override;
    GridColours colours() const override;
    bool isCurrentCell(int column, int row) const override;
    void ownerGraphics(QPainter& painter, int column, int row, QPoint topLeft) override;
    bool hasCornerButtons() const override;
    CellTextCache& textCache() override { return *textCache_; }

    // The steps of a key press and of a typed character.
    void keyDown(QKeyEvent* event);
    void typedCharacter(QKeyEvent* event);
    bool typeCharacters(const QString& text, bool ctrl);
    void passKeyToBase(QKeyEvent* event, std::uint32_t key);
    // The mouse steps; true when the press was the grid's own.
    bool cellPress(QMouseEvent* event, bool doubleClick);
    void headerPress(Qt::Orientation orientation, int section, QMouseEvent* event,
                     bool doubleClick);
    // Selects whole rows (or columns) from the current cell's to `section`:
    // Shift+click and dragging across the headers.
    void extendHeaderSelection(Qt::Orientation orientation, int section);
    void cornerPress(QMouseEvent* event, bool doubleClick);
    void paintCorner(QWidget* corner);
    void paintGridLines(const QRect& area);

    // The cell-change report runs from the event loop once the view's
    // current cell or selection has changed, once for all the changes of
    // one event (a drag, a key's moves), and at the latest when the window
    // is about to paint (its update request), so that what the screen
    // shows already follows the owner's answer. Never inside painting.
    void scheduleCellChangeReport();
    void reportCellChange();
    void watchWindowUpdates();
    void setCount(Qt::Orientation orientation, int n, bool propagateSize);
    void setCurrentCell(int x, int y);
    GridRect computeSelectedRange() const;

    GridModel* model_ = nullptr;
    GridHeader* topHeader_ = nullptr;
    GridHeader* leftHeader_ = nullptr;
    CellDelegate* delegate_ = nullptr;
    QAbstractButton* corner_ = nullptr;

    int szerInfo_ = 50;
    int wysInfo_ = 14;
    int defaultSzerIo_ = 100;
    int defaultWysIo_ = 14;
    TJustTyp defaultJust_ = TJustTyp::Lewo;
    TKolor infoKolor_ = 0xC0C0C0;
    TKolor oczkoKolor_ = 0x00FFFF;
    TKolor zaznaczKolor_ = 0x808080;
    TKolor kursorKolor_ = 0x000000;
    TKolor kursorFontKolor_ = 0xFFFFFF;
    TKolor fontColor_ = 0x000000;

    // The font as a layout block gave it, so that writing the block back
    // keeps the stored name and size byte for byte.
    std::string layoutFontName_;
    std::int32_t layoutFontSize_ = 0;
    std::optional<QFont> layoutFont_;

    CellEdiOwner* owner_ = nullptr;
    int lastX_ = 0;  // the cell reported last by OnZmianaKomorki
    int lastY_ = 0;
    bool reportPending_ = false;
    QPointer<QWidget> watchedWindow_;  // whose update requests deliver the report
    bool keyHandled_ = false;
    PasteLayout pasteLayout_ = PasteLayout::AsCopied;
    bool swallowMouse_ = false;  // the press was the grid's own: no drag follows
    int walkX_ = 0;
    int walkY_ = 0;
    int walkMode_ = -1;
    // The selection, read once per paint rather than once per cell.
    GridRect paintSelection_;
    bool painting_ = false;

    GridPrintState printState_;
    std::unique_ptr<CellTextCache> textCache_;
};

}  // namespace wykazki

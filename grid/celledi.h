#pragma once
// TCellEdi, the program's one table control. It holds no cell data: a grid
// of one header column, one header row and Ilx x Ily data cells that asks
// its owner, through the On... callbacks, for the text, colour and
// alignment of every header and cell each time one is painted, and reports
// keys, clicks, pastes and cell changes back.
//
// Coordinates: grid coordinates count the header column and row as 0.
// Every callback and every method below speaks data coordinates (x = grid
// column - 1, y = grid row - 1), header callbacks get poz = grid index - 1.
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
#include "grid/cellpainter.h"
#include "grid/gridprintstate.h"
#include "grid/tekstoczka.h"

#include <QFont>
#include <QTableView>

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QAbstractButton;
class CellDelegate;
class CellTextCache;
class GridHeader;
class GridModel;

// Shift state handed to key and mouse callbacks.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;
inline constexpr TShiftState ssDouble = 0x40;

// Button numbers in callbacks.
inline constexpr int kButtonKeyboard = 0;
inline constexpr int kButtonLeft = 1;
inline constexpr int kButtonRight = 2;
inline constexpr int kButtonMiddle = 3;

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

class TCellEdi : public QTableView {
    Q_OBJECT

public:
    static constexpr int kMaxData = 4999;  // data columns or rows

    explicit TCellEdi(QWidget* parent = nullptr);
    ~TCellEdi() override;

    // ---- Events. All optional; every handler gets the grid first. -------
    // Painting a row header / column header / data cell: fill Ato (preset).
    std::function<void(TCellEdi& sender, int poz, TTekstOczka& ato)> OnLeftInfo;
    std::function<void(TCellEdi& sender, int poz, TTekstOczka& ato)> OnTopInfo;
    std::function<void(TCellEdi& sender, int x, int y, TTekstOczka& ato)> OnOczko;
    // After a cell's texts are painted on screen: extra graphics on painter,
    // (x0, y0) being the cell's top-left pixel (headers too, with x or y
    // -1). Qt paints only inside paint events, so the painter is handed
    // over rather than kept in the grid.
    std::function<void(TCellEdi& sender, QPainter& painter, int x, int y, int x0, int y0)>
        OnGrafOczko;
    // The single selected cell differs from the one reported last.
    std::function<void(TCellEdi& sender, int oldx, int oldy)> OnZmianaKomorki;
    // Key down (button 0) or a click on the current cell (key 0). Only the
    // low 16 bits of key are taken back; 0 swallows the key.
    std::function<void(TCellEdi& sender, int x, int y, std::uint32_t& key, int button,
                       TShiftState shift)>
        OnAkcja;
    // A typed character (Windows-1250 byte), Delete as '~', or a click on the
    // current cell (character 0). Setting key to 0 keeps it from the grid.
    std::function<void(TCellEdi& sender, int x, int y, unsigned char& key, int button)>
        OnAkcjaEdit;
    // A click on the current cell; (xm, ym) relative to the cell's top-left.
    std::function<void(TCellEdi& sender, int x, int y, int xm, int ym, int button)>
        OnMyszWOczkuAkcja;
    // Clicks on the corner and the headers. Binding OnLeftTopAkcja also
    // paints the corner's three buttons.
    std::function<void(TCellEdi& sender, int button, TShiftState shift)> OnLeftTopAkcja;
    std::function<void(TCellEdi& sender, int poz, int button, TShiftState shift)> OnLeftInfoAkcja;
    std::function<void(TCellEdi& sender, int poz, int button, TShiftState shift)> OnTopInfoAkcja;
    // The in-place editor: without OnDozwolonaEdycja it never opens.
    std::function<void(TCellEdi& sender, int x, int y, bool& dozwolona)> OnDozwolonaEdycja;
    std::function<void(TCellEdi& sender, int x, int y, std::string& txt)> OnStartEdycji;
    std::function<void(TCellEdi& sender, int x, int y, std::string& txt)> OnMaskaEdycji;
    std::function<void(TCellEdi& sender, int x, int y, std::string& txt)> OnEdycja;
    // Copy and text-file export ask for a cell's plain text; paste delivers
    // one (x, y may lie beyond the data; the owner ignores those).
    std::function<void(TCellEdi& sender, int x, int y, std::string& txt)> OnOczkoToClipboard;
    std::function<void(TCellEdi& sender, int x, int y, std::string& txt)> OnClipboardToOczko;
    // Around the OnClipboardToOczko calls of one paste, so that an owner can
    // take the whole paste as one change.
    std::function<void(TCellEdi& sender)> OnPasteStarted;
    std::function<void(TCellEdi& sender)> OnPasteFinished;
    // F5: file name (Windows-1250) and range, preset "", 0, 0, Ilx, Ily.
    std::function<void(TCellEdi& sender, std::string& file, int& x1, int& y1, int& x2, int& y2)>
        OnToTxtFile;

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
    void OdswiezWiersz(int y);    // row header and the row's visible cells
    void OdswiezKolumne(int x);   // column header and the column's visible cells
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
    GridLayout uklad() const;
    void zastosujUklad(const GridLayout& layout);
    // Reads exactly one block; a short or corrupt one throws EKolmoError(1)
    // and leaves the grid as it was.
    void CzytajUklad(std::istream& in);
    // Throws EKolmoError(2) when the stream fails.
    void ZapiszUklad(std::ostream& out) const;

    // ---- Clipboard and export. ----------------------------------------------
    // Range text (TAB between cells, CR LF after rows) into cel. With
    // tylkoZaznaczenie the selection, otherwise columns x1 .. x2-1 and rows
    // y1 .. y2-1 (x2 <= 0 or > Ilx means Ilx, likewise y2).
    void TekstZakresu(std::string& cel, bool tylkoZaznaczenie, int x1 = 0, int y1 = 0,
                      int x2 = 0, int y2 = 0);
    // Writes that range text to file (a Windows-1250 name); false when
    // OnOczkoToClipboard is not bound or the file cannot be written.
    bool ZapiszTekst(const std::string& file, int x1, int y1, int x2, int y2);
    // Appends the whole grid as an HTML table (Windows-1250 bytes).
    void TabelaHtml(std::string& cel, bool zKolorami, int odstep, bool wszystkieLinie);

    // What Ctrl+C, Ctrl+V and F5 do, for owners' menus.
    void copySelection();
    bool pasteClipboard();                  // false when the clipboard holds no text
    void pasteText(std::string_view bytes); // the paste rules on given bytes
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

private:
    friend void paintCell(TCellEdi&, QPainter&, int, int, const QRect&, CellState, ColouringMode,
                          PaintTarget);
    friend class CellDelegate;
    friend class GridHeader;

    // The steps of a key press and of a typed character.
    void keyDown(QKeyEvent* event);
    void typedCharacter(QKeyEvent* event);
    bool typeCharacters(const QString& text, bool ctrl);
    void passKeyToBase(QKeyEvent* event, std::uint32_t key);
    // The mouse steps; true when the press was the grid's own.
    bool cellPress(QMouseEvent* event, bool doubleClick);
    void headerPress(Qt::Orientation orientation, int section, QMouseEvent* event,
                     bool doubleClick);
    void cornerPress(QMouseEvent* event, bool doubleClick);
    void paintCorner(QWidget* corner);
    void paintGridLines(const QRect& area);

    void reportCellChange(int x, int y);
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

    int lastX_ = 0;  // the cell reported last by OnZmianaKomorki
    int lastY_ = 0;
    bool keyHandled_ = false;
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

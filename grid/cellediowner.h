#pragma once
// The owner of a TCellEdi: the window (or tool) that answers the grid's
// events. The grid holds no cell data; it asks its owner for every text and
// colour and hands every key, click, paste and cell change to it.
//
// Each function answers one of the grid's documented events, named in its
// comment. The grid raises an event only when the owner binds it
// (boundEvents()); an unbound event is skipped as the contract says: the
// presets and default header labels stand, and the grid keeps its own use
// of the key or click (Ctrl+C, Ctrl+V and F5 stay ordinary keys, a corner or
// header click selects, the in-place editor never opens).
//
// Coordinates are data coordinates (x = grid column - 1, y = grid row - 1);
// texts are Windows-1250 bytes; keys are Windows virtual-key numbers.
// Every function gets the grid first, so that one owner may serve several.

#include "grid/tekstoczka.h"

#include <QFlags>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

class QPainter;

namespace wykazki {

class TCellEdi;

// Shift state handed to key and mouse events.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;
inline constexpr TShiftState ssDouble = 0x40;

// Button numbers in events.
inline constexpr int kButtonKeyboard = 0;
inline constexpr int kButtonLeft = 1;
inline constexpr int kButtonRight = 2;
inline constexpr int kButtonMiddle = 3;

// The grid's events, by their documented names.
enum class CellEdiEvent : std::uint32_t {
    OnLeftInfo = 1u << 0,
    OnTopInfo = 1u << 1,
    OnOczko = 1u << 2,
    OnGrafOczko = 1u << 3,
    OnZmianaKomorki = 1u << 4,
    OnAkcja = 1u << 5,
    OnAkcjaEdit = 1u << 6,
    OnMyszWOczkuAkcja = 1u << 7,
    OnLeftTopAkcja = 1u << 8,
    OnLeftInfoAkcja = 1u << 9,
    OnTopInfoAkcja = 1u << 10,
    OnDozwolonaEdycja = 1u << 11,
    OnStartEdycji = 1u << 12,
    OnMaskaEdycji = 1u << 13,
    OnEdycja = 1u << 14,
    OnOczkoToClipboard = 1u << 15,
    OnClipboardToOczko = 1u << 16,  // pasteStarted and pasteFinished come with it
    OnToTxtFile = 1u << 17,
};
using CellEdiEvents = QFlags<CellEdiEvent>;

}  // namespace wykazki

// Outside any namespace, so that it hides none of Qt's own operator|.
Q_DECLARE_OPERATORS_FOR_FLAGS(wykazki::CellEdiEvents)

namespace wykazki {

class CellEdiOwner {
public:
    virtual ~CellEdiOwner() = default;

    // The events this owner answers; asked afresh each time.
    virtual CellEdiEvents boundEvents() const = 0;

    // ---- What the grid shows (painting, the HTML table) ---------------------
    // Fill the preset ato of row header `row` (OnLeftInfo), column header
    // `column` (OnTopInfo), data cell (x, y) (OnOczko).
    virtual void rowHeader(TCellEdi&, int /*row*/, TTekstOczka&) const {}
    virtual void columnHeader(TCellEdi&, int /*column*/, TTekstOczka&) const {}
    virtual void cellText(TCellEdi&, int /*x*/, int /*y*/, TTekstOczka&) const {}
    // The tooltip of a grid cell, headers included (column and row counted
    // from 1, 0 the header); empty for none.
    virtual QString toolTip(TCellEdi&, int /*column*/, int /*row*/) const { return {}; }
    // Typed or pasted characters the code page cannot hold were left out
    // at data cell (x, y) (for a paste, its first cell); characters as
    // unmappableCharacters() lists them.
    virtual void charactersLost(TCellEdi&, int /*x*/, int /*y*/, const QString& /*characters*/) {}
    // After a cell's texts are painted on screen (OnGrafOczko): extra
    // graphics, (x0, y0) being the cell's top-left pixel; headers come with
    // x or y -1. The pen's colour is kept across the call.
    virtual void cellGraphics(TCellEdi&, QPainter&, int /*x*/, int /*y*/, int /*x0*/, int /*y0*/) {}

    // ---- Notices ------------------------------------------------------------
    // The single selected cell differs from the one reported last
    // (OnZmianaKomorki); (oldx, oldy) is the cell left. Raised from the
    // event loop soon after the change, never while the grid paints.
    virtual void cellChanged(TCellEdi&, int /*oldx*/, int /*oldy*/) {}
    // Key down (button 0) or a click on the current cell (key 0) (OnAkcja).
    // Only the low 16 bits of key are taken back; 0 swallows the key.
    virtual void cellAction(TCellEdi&, int /*x*/, int /*y*/, std::uint32_t& /*key*/, int /*button*/,
                            TShiftState)
    {
    }
    // A typed character (Windows-1250 byte), Delete as '~', or a click on
    // the current cell with character 0 (OnAkcjaEdit). Setting key to 0
    // keeps it from the grid.
    virtual void cellEdit(TCellEdi&, int /*x*/, int /*y*/, unsigned char& /*key*/, int /*button*/)
    {
    }
    // A click on the current cell, (xm, ym) from its top-left (OnMyszWOczkuAkcja).
    virtual void cellClicked(TCellEdi&, int /*x*/, int /*y*/, int /*xm*/, int /*ym*/,
                             int /*button*/)
    {
    }
    // Clicks on the corner (OnLeftTopAkcja; binding it also paints the
    // corner's three buttons), a row header (OnLeftInfoAkcja), a column
    // header (OnTopInfoAkcja).
    virtual void cornerClicked(TCellEdi&, int /*button*/, TShiftState) {}
    virtual void rowHeaderClicked(TCellEdi&, int /*row*/, int /*button*/, TShiftState) {}
    virtual void columnHeaderClicked(TCellEdi&, int /*column*/, int /*button*/, TShiftState) {}

    // ---- The in-place editor ------------------------------------------------
    // May it open on (x, y) (OnDozwolonaEdycja)? Its first text
    // (OnStartEdycji) and input mask (OnMaskaEdycji); the text committed
    // (OnEdycja).
    virtual bool editingAllowed(TCellEdi&, int /*x*/, int /*y*/) { return false; }
    virtual void editorText(TCellEdi&, int /*x*/, int /*y*/, std::string& /*text*/) {}
    virtual void editorMask(TCellEdi&, int /*x*/, int /*y*/, std::string& /*mask*/) {}
    virtual void editorCommitted(TCellEdi&, int /*x*/, int /*y*/, std::string& /*text*/) {}

    // ---- Clipboard and export -----------------------------------------------
    // The plain text of a cell for copying and the text file
    // (OnOczkoToClipboard).
    virtual void copyText(TCellEdi&, int /*x*/, int /*y*/, std::string& /*text*/) const {}
    // One pasted cell (OnClipboardToOczko); (x, y) may lie beyond the data,
    // the owner ignores those. Around the cells of one paste come
    // pasteStarted and pasteFinished, so that an owner can take the whole
    // paste as one change.
    virtual void pasteIntoCell(TCellEdi&, int /*x*/, int /*y*/, std::string& /*text*/) {}
    virtual void pasteStarted(TCellEdi&) {}
    virtual void pasteFinished(TCellEdi&) {}
    // After pasteFinished: the paste was longer than a paste may be, and its
    // last characters (count of them) were left out; (x, y) is the cell its
    // kept part ended in.
    virtual void pasteCut(TCellEdi&, int /*x*/, int /*y*/, std::size_t /*count*/) {}
    // F5 (OnToTxtFile): the file name (Windows-1250) and range, preset
    // "", 0, 0, Ilx, Ily.
    virtual void textFileRange(TCellEdi&, std::string& /*file*/, int& /*x1*/, int& /*y1*/,
                               int& /*x2*/, int& /*y2*/)
    {
    }
    // After F5 with a file name: whether the file was written.
    virtual void textFileWritten(TCellEdi&, const std::string& /*file*/, bool /*written*/) {}
};

}  // namespace wykazki

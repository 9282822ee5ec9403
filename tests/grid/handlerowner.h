#pragma once
// A grid owner made of one handler per event, for tests that bind, replace
// and unbind single events: an event is bound while its handler is set.

#include "grid/celledi.h"

#include <functional>

namespace wykazki {

struct HandlerOwner : CellEdiOwner {
    std::function<void(TCellEdi&, int, TTekstOczka&)> OnLeftInfo;
    std::function<void(TCellEdi&, int, TTekstOczka&)> OnTopInfo;
    std::function<void(TCellEdi&, int, int, TTekstOczka&)> OnOczko;
    std::function<void(TCellEdi&, QPainter&, int, int, int, int)> OnGrafOczko;
    std::function<void(TCellEdi&, int, int)> OnZmianaKomorki;
    std::function<void(TCellEdi&, int, int, std::uint32_t&, int, TShiftState)> OnAkcja;
    std::function<void(TCellEdi&, int, int, unsigned char&, int)> OnAkcjaEdit;
    std::function<void(TCellEdi&, int, int, int, int, int)> OnMyszWOczkuAkcja;
    std::function<void(TCellEdi&, int, TShiftState)> OnLeftTopAkcja;
    std::function<void(TCellEdi&, int, int, TShiftState)> OnLeftInfoAkcja;
    std::function<void(TCellEdi&, int, int, TShiftState)> OnTopInfoAkcja;
    std::function<void(TCellEdi&, int, int, bool&)> OnDozwolonaEdycja;
    std::function<void(TCellEdi&, int, int, std::string&)> OnStartEdycji;
    std::function<void(TCellEdi&, int, int, std::string&)> OnMaskaEdycji;
    std::function<void(TCellEdi&, int, int, std::string&)> OnEdycja;
    std::function<void(TCellEdi&, int, int, std::string&)> OnOczkoToClipboard;
    std::function<void(TCellEdi&, int, int, std::string&)> OnClipboardToOczko;
    std::function<void(TCellEdi&, std::string&, int&, int&, int&, int&)> OnToTxtFile;

    CellEdiEvents boundEvents() const override
    {
        CellEdiEvents events;
        const auto bind = [&events](bool bound, CellEdiEvent event) {
            events.setFlag(event, bound);
        };
        bind(bool(OnLeftInfo), CellEdiEvent::OnLeftInfo);
        bind(bool(OnTopInfo), CellEdiEvent::OnTopInfo);
        bind(bool(OnOczko), CellEdiEvent::OnOczko);
        bind(bool(OnGrafOczko), CellEdiEvent::OnGrafOczko);
        bind(bool(OnZmianaKomorki), CellEdiEvent::OnZmianaKomorki);
        bind(bool(OnAkcja), CellEdiEvent::OnAkcja);
        bind(bool(OnAkcjaEdit), CellEdiEvent::OnAkcjaEdit);
        bind(bool(OnMyszWOczkuAkcja), CellEdiEvent::OnMyszWOczkuAkcja);
        bind(bool(OnLeftTopAkcja), CellEdiEvent::OnLeftTopAkcja);
        bind(bool(OnLeftInfoAkcja), CellEdiEvent::OnLeftInfoAkcja);
        bind(bool(OnTopInfoAkcja), CellEdiEvent::OnTopInfoAkcja);
        bind(bool(OnDozwolonaEdycja), CellEdiEvent::OnDozwolonaEdycja);
        bind(bool(OnStartEdycji), CellEdiEvent::OnStartEdycji);
        bind(bool(OnMaskaEdycji), CellEdiEvent::OnMaskaEdycji);
        bind(bool(OnEdycja), CellEdiEvent::OnEdycja);
        bind(bool(OnOczkoToClipboard), CellEdiEvent::OnOczkoToClipboard);
        bind(bool(OnClipboardToOczko), CellEdiEvent::OnClipboardToOczko);
        bind(bool(OnToTxtFile), CellEdiEvent::OnToTxtFile);
        return events;
    }

    void rowHeader(TCellEdi& g, int row, TTekstOczka& ato) const override
    {
        OnLeftInfo(g, row, ato);
    }
    void columnHeader(TCellEdi& g, int column, TTekstOczka& ato) const override
    {
        OnTopInfo(g, column, ato);
    }
    void cellText(TCellEdi& g, int x, int y, TTekstOczka& ato) const override
    {
        OnOczko(g, x, y, ato);
    }
    void cellGraphics(TCellEdi& g, QPainter& p, int x, int y, int x0, int y0) override
    {
        OnGrafOczko(g, p, x, y, x0, y0);
    }
    void cellChanged(TCellEdi& g, int oldx, int oldy) override { OnZmianaKomorki(g, oldx, oldy); }
    void cellAction(TCellEdi& g, int x, int y, std::uint32_t& key, int button,
                    TShiftState shift) override
    {
        OnAkcja(g, x, y, key, button, shift);
    }
    void cellEdit(TCellEdi& g, int x, int y, unsigned char& key, int button) override
    {
        OnAkcjaEdit(g, x, y, key, button);
    }
    void cellClicked(TCellEdi& g, int x, int y, int xm, int ym, int button) override
    {
        OnMyszWOczkuAkcja(g, x, y, xm, ym, button);
    }
    void cornerClicked(TCellEdi& g, int button, TShiftState shift) override
    {
        OnLeftTopAkcja(g, button, shift);
    }
    void rowHeaderClicked(TCellEdi& g, int row, int button, TShiftState shift) override
    {
        OnLeftInfoAkcja(g, row, button, shift);
    }
    void columnHeaderClicked(TCellEdi& g, int column, int button, TShiftState shift) override
    {
        OnTopInfoAkcja(g, column, button, shift);
    }
    bool editingAllowed(TCellEdi& g, int x, int y) override
    {
        bool allowed = false;
        OnDozwolonaEdycja(g, x, y, allowed);
        return allowed;
    }
    void editorText(TCellEdi& g, int x, int y, std::string& text) override
    {
        OnStartEdycji(g, x, y, text);
    }
    void editorMask(TCellEdi& g, int x, int y, std::string& mask) override
    {
        OnMaskaEdycji(g, x, y, mask);
    }
    void editorCommitted(TCellEdi& g, int x, int y, std::string& text) override
    {
        OnEdycja(g, x, y, text);
    }
    void copyText(TCellEdi& g, int x, int y, std::string& text) const override
    {
        OnOczkoToClipboard(g, x, y, text);
    }
    void pasteIntoCell(TCellEdi& g, int x, int y, std::string& text) override
    {
        OnClipboardToOczko(g, x, y, text);
    }
    void textFileRange(TCellEdi& g, std::string& file, int& x1, int& y1, int& x2, int& y2) override
    {
        OnToTxtFile(g, file, x1, y1, x2, y2);
    }
};

}  // namespace wykazki

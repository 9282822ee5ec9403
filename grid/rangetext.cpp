#include "grid/rangetext.h"

#include "document/tabtext.h"
#include "grid/celledi.h"
#include "qtbridge/cp1250text.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

void appendRangeCell(std::string& text, const std::string& cell)
{
    appendTabCell(text, cell);
    text += '\t';
}

void endRangeRow(std::string& text)
{
    if (!text.empty() && text.back() == '\t')
        text.pop_back();
    text += "\r\n";
}

void walkPastedText(std::string_view bytes, int columnLimit, int rowLimit,
                    const std::function<void(int i, int j, std::string& text)>& deliver)
{
    walkTabText(bytes, [&](int i, int j, std::string& cell) {
        if (i < columnLimit && j < rowLimit)
            deliver(i, j, cell);
    });
}

void TCellEdi::TekstZakresu(std::string& cel, bool tylkoZaznaczenie, int x1, int y1, int x2, int y2)
{
    if (tylkoZaznaczenie) {
        const GridRect range = selectedRange();
        x1 = range.left - 1;
        y1 = range.top - 1;
        x2 = range.right;
        y2 = range.bottom;
    } else {
        if (x2 <= 0 || x2 > Ilx())
            x2 = Ilx();
        if (y2 <= 0 || y2 > Ily())
            y2 = Ily();
    }
    cel.clear();
    for (int y = y1; y < y2; ++y) {
        for (int x = x1; x < x2; ++x) {
            std::string cell;
            if (binds(CellEdiEvent::OnOczkoToClipboard))
                owner_->copyText(*this, x, y, cell);
            appendRangeCell(cel, cell);
        }
        endRangeRow(cel);
    }
}

bool TCellEdi::ZapiszTekst(const std::string& file, int x1, int y1, int x2, int y2)
{
    if (!binds(CellEdiEvent::OnOczkoToClipboard))
        return false;
    std::string text;
    TekstZakresu(text, false, x1, y1, x2, y2);
    QFile out(qstringFromCp1250(file));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const bool written = out.write(text.data(), qint64(text.size())) == qint64(text.size());
    out.close();
    return written && out.error() == QFileDevice::NoError;
}

void TCellEdi::copySelection()
{
    if (!binds(CellEdiEvent::OnOczkoToClipboard))
        return;
    std::string text;
    TekstZakresu(text, true);
    // Plain text only: Calc reads quoted multi-line cells from plain text
    // (through its import question), but splits its own tab-separated form
    // at every line break when another program offers it.
    QGuiApplication::clipboard()->setText(qstringFromCp1250(text));
}

bool TCellEdi::pasteClipboard()
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr)
        return false;
    // Calc's plain text puts a multi-line cell on one line; its own
    // tab-separated form keeps the lines.
    const QString calcFormat = QString::fromLatin1(kCalcTsvFormat);
    if (mime->hasFormat(calcFormat)) {
        const QByteArray utf8 = mime->data(calcFormat).left(qsizetype(kMaxPasteBytes) * 4);
        std::string bytes = cp1250FromQString(
            QString::fromUtf8(utf8).left(qsizetype(kMaxPasteBytes)), Unmappable::Question);
        pasteText(bytes);
        return true;
    }
    if (!mime->hasText())
        return false;
    // Other programs' characters the code page cannot hold arrive as '?',
    // as a code-page program is given them.
    // Every UTF-16 unit gives at most one byte, so the limit can be applied
    // before converting.
    std::string bytes =
        cp1250FromQString(mime->text().left(qsizetype(kMaxPasteBytes)), Unmappable::Question);
    if (bytes.size() > kMaxPasteBytes)
        bytes.resize(kMaxPasteBytes);
    pasteText(bytes);
    return true;
}

void TCellEdi::pasteText(std::string_view bytes)
{
    if (!binds(CellEdiEvent::OnClipboardToOczko))
        return;
    bytes = bytes.substr(0, kMaxPasteBytes);
    // Into a selection of several cells the paste starts at its top-left
    // cell, wherever the current cell ended up after a drag.
    const GridRect range = selectedRange();
    const int x0 = range.isSingleCell() ? PozX() : range.left - 1;
    const int y0 = range.isSingleCell() ? PozY() : range.top - 1;
    CellEdiOwner& owner = *owner_;
    owner.pasteStarted(*this);
    // The offsets are held against the grid's size, not the target cells,
    // so a paste near the edge hands the owner cells beyond it.
    walkPastedText(bytes, Ilx(), Ily(), [&](int i, int j, std::string& text) {
        owner.pasteIntoCell(*this, x0 + i, y0 + j, text);
        OdswiezOczko(x0 + i, y0 + j);
    });
    owner.pasteFinished(*this);
}

void TCellEdi::exportTextFile()
{
    if (!binds(CellEdiEvent::OnToTxtFile))
        return;
    std::string file;
    int x1 = 0;
    int y1 = 0;
    int x2 = Ilx();
    int y2 = Ily();
    owner_->textFileRange(*this, file, x1, y1, x2, y2);
    // The key path has no use for the result; a failed file stays silent.
    (void)ZapiszTekst(file, x1, y1, x2, y2);
}

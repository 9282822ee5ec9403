#include "grid/rangetext.h"

#include "document/platformfile.h"
#include "document/tabtext.h"
#include "grid/celledi.h"
#include "qtbridge/cp1250text.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QMimeData>

#include <filesystem>

namespace wykazki {

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
                    const std::function<void(int i, int j, std::string& text)>& deliver,
                    PasteLayout layout)
{
    const bool transposed = layout == PasteLayout::Transposed;
    walkTabText(bytes, [&](int i, int j, std::string& cell) {
        const int column = transposed ? j : i;
        const int row = transposed ? i : j;
        if (column < columnLimit && row < rowLimit)
            deliver(column, row, cell);
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
    // Put in place as a class file is saved: a failed write leaves the old
    // file whole, a read-only one is refused, owner and mode stay.
    const QByteArray path = QFile::encodeName(qstringFromCp1250(file));
    return platformfile::replaceWritableFile(std::filesystem::path(path.toStdString()), text)
           == platformfile::ReplaceResult::Ok;
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

namespace {

// Characters (not UTF-16 units) of text from index on.
std::size_t charactersFrom(const QString& text, qsizetype index)
{
    std::size_t count = 0;
    for (qsizetype i = index; i < text.size(); ++i)
        count += text[i].isLowSurrogate() ? 0u : 1u;
    return count;
}

}  // namespace

bool TCellEdi::pasteClipboard(PasteLayout layout)
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    if (mime == nullptr)
        return false;
    // Calc's plain text puts a multi-line cell on one line; its own
    // tab-separated form keeps the lines.
    const QString calcFormat = QString::fromLatin1(kCalcTsvFormat);
    QString whole;
    if (mime->hasFormat(calcFormat))
        whole = QString::fromUtf8(mime->data(calcFormat));
    else if (mime->hasText())
        whole = mime->text();
    else
        return false;
    // Other programs' characters the code page cannot hold arrive as '?',
    // as a code-page program is given them. Every UTF-16 unit gives at most
    // one byte, so the limit can be applied before converting.
    const QString text = whole.left(qsizetype(kMaxPasteBytes));
    const std::size_t leftOut = charactersFrom(whole, text.size());
    whole.clear();
    pasteText(cp1250FromQString(text, Unmappable::Question), leftOut, layout);
    reportLostCharacters(text);
    return true;
}

void TCellEdi::reportLostCharacters(const QString& pasted)
{
    const QString lost = unmappableCharacters(pasted);
    if (!lost.isEmpty() && owner_)
        owner_->charactersLost(*this, PozX(), PozY(), lost);
}

void TCellEdi::pasteText(std::string_view bytes, std::size_t charactersLeftOut, PasteLayout layout)
{
    if (!binds(CellEdiEvent::OnClipboardToOczko))
        return;
    if (bytes.size() > kMaxPasteBytes) {
        charactersLeftOut += bytes.size() - kMaxPasteBytes;
        bytes = bytes.substr(0, kMaxPasteBytes);
    }
    // Into a selection of several cells the paste starts at its top-left
    // cell, wherever the current cell ended up after a drag.
    const GridRect range = selectedRange();
    const int x0 = range.isSingleCell() ? PozX() : range.left - 1;
    const int y0 = range.isSingleCell() ? PozY() : range.top - 1;
    CellEdiOwner& owner = *owner_;
    pasteLayout_ = layout;
    owner.pasteStarted(*this);
    int lastX = x0;
    int lastY = y0;
    // The offsets are held against the grid's size, not the target cells,
    // so a paste near the edge hands the owner cells beyond it.
    walkPastedText(
        bytes, Ilx(), Ily(),
        [&](int i, int j, std::string& text) {
            lastX = x0 + i;
            lastY = y0 + j;
            owner.pasteIntoCell(*this, lastX, lastY, text);
            OdswiezOczko(lastX, lastY);
        },
        layout);
    owner.pasteFinished(*this);
    pasteLayout_ = PasteLayout::AsCopied;
    if (charactersLeftOut > 0)
        owner.pasteCut(*this, lastX, lastY, charactersLeftOut);
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
    if (file.empty())
        return;  // no file named: nothing to write
    const bool written = ZapiszTekst(file, x1, y1, x2, y2);
    owner_->textFileWritten(*this, file, written);
}

}  // namespace wykazki

#include "pupilgrid.h"

#include "editing/documenteditor.h"

#include "document/pupilgridtext.h"
#include "qtbridge/cp1250text.h"

#include <algorithm>

namespace wykazki {

namespace {

void fill(TTekstOczka& ato, PupilGridText&& cell)
{
    ato.tekst[0] = std::move(cell.text);
    if (cell.color)
        ato.kolor = *cell.color;
}

}  // namespace

PupilGrid::PupilGrid(TCellEdi& grid, DocumentEditor& editor, Hooks hooks)
    : grid_(grid), editor_(editor), document_(editor.document()), hooks_(std::move(hooks))
{
    grid_.setOwner(this);
    QObject::connect(&editor_, &DocumentEditor::changed, &grid_,
                     [this](const DocumentChange& change) { documentChanged(change); });
}

PupilGrid::~PupilGrid()
{
    // The grid may outlive this object by a few events while its window
    // is torn down.
    if (grid_.owner() == this)
        grid_.setOwner(nullptr);
    QObject::disconnect(&editor_, &DocumentEditor::changed, &grid_, nullptr);
}

CellEdiEvents PupilGrid::boundEvents() const
{
    return CellEdiEvent::OnTopInfo | CellEdiEvent::OnLeftInfo | CellEdiEvent::OnOczko
           | CellEdiEvent::OnAkcjaEdit | CellEdiEvent::OnAkcja | CellEdiEvent::OnZmianaKomorki
           | CellEdiEvent::OnOczkoToClipboard | CellEdiEvent::OnClipboardToOczko
           | CellEdiEvent::OnLeftTopAkcja | CellEdiEvent::OnToTxtFile;
}

int PupilGrid::pupils() const
{
    return static_cast<int>(document_.pupils().count());
}

int PupilGrid::phrases() const
{
    return static_cast<int>(document_.phrases().count());
}

bool PupilGrid::isDataCell(int x, int y) const
{
    return x >= 0 && y >= 0 && x < pupils() && y < phrases();
}

PhraseKind PupilGrid::kindOf(int y) const
{
    return document_.phrases()[static_cast<std::size_t>(y)].kind;
}

CellBlock PupilGrid::selectedBlock() const
{
    const GridRect range = grid_.selectedRange();
    auto data = [](int gridIndex) { return static_cast<std::size_t>(std::max(gridIndex - 1, 0)); };
    return {data(range.left), data(range.top), data(range.right), data(range.bottom)};
}

CellBlock PupilGrid::selectedRowBlock(int y) const
{
    CellBlock block = selectedBlock();
    block.firstPhrase = static_cast<std::size_t>(y);
    block.lastPhrase = static_cast<std::size_t>(y);
    return block;
}

void PupilGrid::documentChanged(const DocumentChange& change)
{
    gradesExpected_.reset();
    if (change.touches(DocumentChange::Whole & ~DocumentChange::Values))
        miniEdi_.forget();  // the cell being typed into may be another now
    grid_.Odswiez();        // the averages follow every change
}

// ---- What the grid shows ---------------------------------------------------

void PupilGrid::columnHeader(TCellEdi&, int column, TTekstOczka& ato) const
{
    fill(ato, pupilGridColumnHeader(document_, column));
    if (column < 0 || column >= pupils())
        return;
    // The groups as small marks beside the number: W distinction,
    // N not promoted, ! grades missing; the tooltip names them.
    const PupilGroups groups = groupsOf(static_cast<std::size_t>(column));
    std::string marks;
    for (const auto& [member, mark] :
         {std::pair{groups.distinction, "W"}, std::pair{groups.notPromoted, "N"},
          std::pair{groups.incomplete, "!"}})
        if (member)
            marks += marks.empty() ? mark : std::string(" ") + mark;
    if (marks.empty())
        return;
    ato.ile = 2;
    ato.just[0] = TJustTyp::Lewo;
    ato.just[1] = TJustTyp::Prawo;
    ato.tekst[1] = marks;
}

QString PupilGrid::toolTip(TCellEdi&, int column, int row) const
{
    const int x = column - 1;
    const int y = row - 1;
    if (row == 0 && x >= 0 && x < pupils()) {
        const PupilGroups groups = groupsOf(static_cast<std::size_t>(x));
        QStringList named;
        if (groups.distinction)
            named << QStringLiteral("W – z wyróżnieniem (średnia co najmniej 4,75 i zachowanie "
                                    "wzorowe lub bardzo dobre)");
        if (groups.notPromoted)
            named << QStringLiteral("N – niepromowany (ocena niedostateczna)");
        if (groups.incomplete)
            named << QStringLiteral("! – oceny niepełne");
        return named.join(u'\n');
    }
    if (x >= 0 && x < pupils() && isComputedRow(y))
        return QStringLiteral("Średnia ocen ucznia, wyliczana przez program");
    return {};
}

PupilGroups PupilGrid::groupsOf(std::size_t x) const
{
    if (!gradesExpected_)
        gradesExpected_ = gradesExpected(document_.phrases(), document_.pupils());
    return pupilGroups(document_.phrases(), document_.pupils(), x, *gradesExpected_);
}

bool PupilGrid::isComputedRow(int y) const
{
    return y >= 0 && y < phrases()
           && taggedRole(document_.phrases()[static_cast<std::size_t>(y)]) == PhraseRole::Average;
}

bool PupilGrid::refusesTyping(int y) const
{
    if (!isComputedRow(y))
        return false;
    if (hooks_.status)
        hooks_.status(QStringLiteral("Tę frazę wylicza program (średnia ocen ucznia); "
                                     "nie wpisuje się jej ręcznie."));
    return true;
}

void PupilGrid::rowHeader(TCellEdi&, int row, TTekstOczka& ato) const
{
    const int page = hooks_.chosenPage ? hooks_.chosenPage() : 0;
    fill(ato, pupilGridRowHeader(document_, row, page));
}

void PupilGrid::cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const
{
    fill(ato, pupilGridCell(document_, x, y));
}

void PupilGrid::copyText(TCellEdi&, int x, int y, std::string& text) const
{
    // A data cell copies what it shows, so a grade copies its wording;
    // headers and averages give nothing.
    if (isDataCell(x, y))
        text = pupilGridCell(document_, x, y).text;
}

// ---- Pupils ----------------------------------------------------------------

void PupilGrid::addPupil()
{
    const int x = grid_.PozX();
    const int count = pupils();
    if (count > 0 && x >= count)
        return;  // the averages column
    // The main window's grid-size rule follows the change notice.
    editor_.addPupil(count > 0 ? static_cast<std::size_t>(x) + 1 : 0);
    if (pupils() > 1)
        grid_.setPozX(x + 1);
    grid_.setFocus();
}

void PupilGrid::removePupil()
{
    const int x = grid_.PozX();
    const int count = pupils();
    if (count > 0 && x >= count)
        return;  // the averages column
    if (x >= 0 && x < count) {
        const QString removed = pupilLabel(static_cast<std::size_t>(x));
        editor_.removePupil(static_cast<std::size_t>(x));
        // No question before: one key takes it back.
        if (hooks_.status)
            hooks_.status(QStringLiteral("Usunięto ucznia: %1, Alt+Backspace cofa").arg(removed));
    }
    grid_.setFocus();
}

QString PupilGrid::pupilLabel(std::size_t x) const
{
    // The number and the first text the pupil has (the name, as a rule).
    QString label = QString::number(x + 1);
    for (std::size_t j = 0; j < document_.phrases().count(); ++j) {
        const std::string& text = document_.value(x, j).text;
        if (document_.phrases()[j].kind == PhraseKind::Text && !text.empty()) {
            QString first = qstringFromCp1250(text.substr(0, text.find_first_of("\r\n")));
            return label + QStringLiteral(". ") + first.left(60);
        }
    }
    return label;
}

// ---- The corner and the current cell ---------------------------------------

void PupilGrid::cornerClicked(TCellEdi&, int, TShiftState)
{
    if (hooks_.gridOptions)
        hooks_.gridOptions();
}

void PupilGrid::cellChanged(TCellEdi&, int, int)
{
    editor_.endTyping();  // typing into another cell is a step of its own
    if (hooks_.longTextUpdate)
        hooks_.longTextUpdate();
}

}  // namespace wykazki

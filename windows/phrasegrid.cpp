#include "phrasegrid.h"

#include "editing/documenteditor.h"

#include "document/formatting.h"
#include "document/phrasecolumns.h"
#include "grid/placeholders.h"

#include <algorithm>

namespace wykazki {

namespace {

const QString kName = QStringLiteral("zmiana nazwy frazy");
const QString kKind = QStringLiteral("zmiana rodzaju frazy");
const QString kPosition = QStringLiteral("zmiana położenia frazy");
const QString kSize = QStringLiteral("zmiana rozmiaru frazy");
const QString kAlignment = QStringLiteral("zmiana wyrównania");
const QString kFont = QStringLiteral("zmiana czcionki");
const QString kChoosingPicture = QStringLiteral("wybór obrazka");
const QString kClearingPicture = QStringLiteral("usunięcie obrazka");
const QString kLineSpacing = QStringLiteral("zmiana odstępu wierszy");
const QString kPage = QStringLiteral("zmiana strony");
const QString kPaste = QStringLiteral("wklejenie");

QString numberStepName(int column)
{
    switch (column) {
    case kColumnX0:
    case kColumnY0: return kPosition;
    case kColumnWidth:
    case kColumnHeight: return kSize;
    default: return kLineSpacing;
    }
}

}  // namespace

PhraseGrid::PhraseGrid(TCellEdi& grid, DocumentEditor& editor)
    : grid_(grid), editor_(editor), document_(editor.document())
{
    grid_.setOwner(this);
    QObject::connect(&editor_, &DocumentEditor::changed, &grid_,
                     [this](const DocumentChange& change) { documentChanged(change); });

    grid_.setSzerInfo(30);
    applyGridSize();
    for (int x = 0; x < kPhraseEditorColumns; ++x)
        grid_.setSzerIo(x, kPhraseColumnWidths[x]);
}

PhraseGrid::~PhraseGrid()
{
    if (grid_.owner() == this)
        grid_.setOwner(nullptr);
    QObject::disconnect(&editor_, &DocumentEditor::changed, &grid_, nullptr);
}

CellEdiEvents PhraseGrid::boundEvents() const
{
    return CellEdiEvent::OnTopInfo | CellEdiEvent::OnOczko | CellEdiEvent::OnAkcjaEdit
           | CellEdiEvent::OnOczkoToClipboard | CellEdiEvent::OnClipboardToOczko
           | CellEdiEvent::OnLeftTopAkcja;
}

int PhraseGrid::phrases() const
{
    return static_cast<int>(document_.phrases().count());
}

void PhraseGrid::applyGridSize()
{
    grid_.setIlx(kPhraseEditorColumns);
    grid_.setIly(std::max(phrases(), 1));
}

std::vector<std::size_t> PhraseGrid::selectedRows()
{
    std::vector<std::size_t> rows;
    grid_.StartZaznaczenia(2);
    int x = 0;
    int y = 0;
    while (grid_.NastepneZaznaczone(x, y)) {
        if (y >= 0 && y < phrases())
            rows.push_back(static_cast<std::size_t>(y));
    }
    return rows;
}

void PhraseGrid::documentChanged(const DocumentChange& change)
{
    // An undo, a read or another window's change: the number being typed
    // may no longer be the cell's.
    if (!storing_)
        miniEdi_.forget();
    if (change.touches(DocumentChange::Phrases | DocumentChange::Whole))
        applyGridSize();
    grid_.Odswiez();
}

void PhraseGrid::store(const QString& name, std::vector<std::pair<std::size_t, TFra>> phrases,
                       std::vector<CellEdit> values)
{
    storing_ = true;
    editor_.setPhrases(name, std::move(phrases), std::move(values));
    storing_ = false;
}

void PhraseGrid::store(const QString& name, std::vector<std::pair<std::size_t, TFra>> phrases)
{
    store(name, std::move(phrases), {});
}

// ---- What the grid shows ---------------------------------------------------

void PhraseGrid::columnHeader(TCellEdi&, int column, TTekstOczka& ato) const
{
    ato.tekst[0] = phraseColumnHeader(column);
}

void PhraseGrid::cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const
{
    if (y < 0 || y >= phrases() || x < 0 || x >= kPhraseEditorColumns) {
        markMissing(ato);
        return;
    }
    const TFra& phrase = document_.phrases()[static_cast<std::size_t>(y)];
    if (phrase.kind == PhraseKind::Grade)
        ato.kolor = kGradeRowColor;
    else if (phrase.kind == PhraseKind::Picture)
        ato.kolor = kPictureRowColor;
    PhraseCellText cell = phraseCellText(phrase, x);
    ato.tekst[0] = std::move(cell.text);
    // A computed or behaviour phrase says so beside its name.
    if (x == kColumnName && taggedRole(phrase) != PhraseRole::Plain) {
        ato.ile = 2;
        ato.just[0] = TJustTyp::Lewo;
        ato.just[1] = TJustTyp::Prawo;
        ato.tekst[1] = taggedRole(phrase) == PhraseRole::Average ? "= \x9Crednia" : "= zachowanie";
    }
    if (cell.color)
        ato.kolor = *cell.color;
}

bool PhraseGrid::setRole(PhraseRole role, bool on)
{
    const std::string_view tag = role == PhraseRole::Average ? kAverageTag : kBehaviourTag;
    std::vector<std::pair<std::size_t, TFra>> changed;
    bool anyText = false;
    for (const std::size_t y : selectedRows()) {
        TFra phrase = document_.phrases()[y];
        if (phrase.kind != PhraseKind::Text)
            continue;
        anyText = true;
        if (on)
            phrase.text = std::string(tag);
        else if (taggedRole(phrase) == role)
            phrase.text.clear();
        if (!(phrase == document_.phrases()[y]))
            changed.emplace_back(y, std::move(phrase));
    }
    if (!changed.empty())
        store(on ? QStringLiteral("oznaczenie frazy") : QStringLiteral("zdjęcie oznaczenia frazy"),
              std::move(changed));
    return anyText;
}

PhraseRole PhraseGrid::currentRole() const
{
    const int y = grid_.PozY();
    return y >= 0 && y < phrases() ? taggedRole(document_.phrases()[static_cast<std::size_t>(y)])
                                   : PhraseRole::Plain;
}

void PhraseGrid::copyText(TCellEdi&, int x, int y, std::string& text) const
{
    // A cell copies exactly what it shows; rows beyond the phrases give nothing.
    if (y >= 0 && y < phrases() && x >= 0 && x < kPhraseEditorColumns)
        text = phraseCellText(document_.phrases()[static_cast<std::size_t>(y)], x).text;
}

void PhraseGrid::cornerClicked(TCellEdi&, int, TShiftState)
{
    if (cornerAction_)
        cornerAction_();
}

// ---- Adding and removing phrases -------------------------------------------

void PhraseGrid::addPhrase()
{
    const int y = grid_.PozY();
    const int count = phrases();
    editor_.addPhrase(count > 0 ? static_cast<std::size_t>(y) + 1 : 0);
    // The grid got its new row from the change notice. The cursor goes to
    // the new phrase's name, which is what is typed next.
    grid_.setPozX(0);
    if (phrases() > 1)
        grid_.setPozY(y + 1);
    grid_.Odswiez();
    grid_.setFocus();
}

void PhraseGrid::removePhrase()
{
    const int y = grid_.PozY();
    if (y >= 0 && y < phrases())
        editor_.removePhrase(static_cast<std::size_t>(y));
    grid_.Odswiez();
    grid_.setFocus();
}

// ---- Edits -------------------------------------------------------------------

void PhraseGrid::cellEdit(TCellEdi&, int x, int y, unsigned char& key, int button)
{
    if (phrases() == 0) {
        key = 0;  // nothing to edit
        return;
    }
    if (y < 0 || y >= phrases())
        return;
    const auto row = static_cast<std::size_t>(y);
    switch (x) {
    case kColumnName: editName(row, key); break;
    case kColumnKind: editKind(row, button); break;
    case kColumnX0:
    case kColumnY0:
    case kColumnWidth:
    case kColumnHeight:
    case kColumnLineSpacing: editNumberCell(x, row, key, button); break;
    case kColumnAlignment: editAlignment(row, key, button); break;
    case kColumnFont:
        if (document_.phrases()[row].kind == PhraseKind::Picture)
            editPicture(row, key);
        else
            editFont(row, key);
        break;
    case kColumnPage: editPage(row, button); break;
    default: break;
    }
}

void PhraseGrid::editName(std::size_t y, unsigned char& key)
{
    std::string name = document_.phrases()[y].name;
    char ch = static_cast<char>(key);
    editText(name, ch, kPhraseNameLimit, false);
    key = static_cast<unsigned char>(ch);
    std::vector<std::pair<std::size_t, TFra>> changed;
    for (std::size_t row : selectedRows()) {
        TFra phrase = document_.phrases()[row];
        phrase.name = name;
        changed.emplace_back(row, std::move(phrase));
    }
    store(kName, std::move(changed));
}

void PhraseGrid::editKind(std::size_t y, int button)
{
    const int current = static_cast<int>(document_.phrases()[y].kind);
    const int last = static_cast<int>(PhraseKind::Picture);
    int kind = current;
    if (button == kButtonLeft)
        kind = std::min(current + 1, last);
    else if (button == kButtonRight)
        kind = std::clamp(current - 1, 0, last);
    else
        return;  // keys do nothing here
    std::vector<std::pair<std::size_t, TFra>> changed;
    for (std::size_t row : selectedRows()) {
        TFra phrase = document_.phrases()[row];
        phrase.kind = static_cast<PhraseKind>(kind);
        if (phrase.kind != PhraseKind::Text)
            phrase.lineSpacing = 0.0f;  // line spacing belongs to texts
        changed.emplace_back(row, std::move(phrase));
    }
    store(kKind, std::move(changed));
}

void PhraseGrid::editNumberCell(int x, std::size_t y, unsigned char& key, int button)
{
    const TFra& current = document_.phrases()[y];
    if (x == kColumnLineSpacing && current.kind != PhraseKind::Text)
        return;
    const NumberRule rule = *phraseNumberRule(x);
    double value = phraseNumber(current, x);
    char ch = static_cast<char>(key);
    const CellId cell{kGridId, x, static_cast<std::int32_t>(y)};
    if (!editNumber(value, ch, button, rule.step, rule.lower, rule.upper, rule.decimals, cell,
                    miniEdi_))
        return;  // refused: out of bounds or not a number key
    key = static_cast<unsigned char>(ch);
    std::vector<std::pair<std::size_t, TFra>> changed;
    for (std::size_t row : selectedRows()) {
        TFra phrase = document_.phrases()[row];
        if (x == kColumnLineSpacing && (phrase.kind != PhraseKind::Text || phrase.width <= 0))
            continue;
        setPhraseNumber(phrase, x, value);
        if (x == kColumnWidth && phrase.width <= 0)
            phrase.lineSpacing = 0.0f;  // no box, no line spacing
        changed.emplace_back(row, std::move(phrase));
    }
    store(numberStepName(x), std::move(changed));
}

void PhraseGrid::editAlignment(std::size_t y, unsigned char& key, int button)
{
    if (document_.phrases()[y].kind == PhraseKind::Picture)
        return;
    std::optional<std::int16_t> letter;
    switch (key) {
    case 'l':
    case 'L': letter = 0; break;
    case 'c':
    case 'C': letter = 1; break;
    case 'p':
    case 'P': letter = 2; break;
    default: break;
    }
    std::vector<std::pair<std::size_t, TFra>> changed;
    for (std::size_t row : selectedRows()) {
        TFra phrase = document_.phrases()[row];
        if (!hasAlignment(phrase))
            continue;  // the others keep their alignment
        if (button == kButtonLeft)
            phrase.align = static_cast<std::int16_t>(std::min<int>(phrase.align + 1, 2));
        else if (button == kButtonRight)
            phrase.align = static_cast<std::int16_t>(std::clamp<int>(phrase.align - 1, 0, 2));
        else if (letter)
            phrase.align = *letter;
        else
            continue;
        changed.emplace_back(row, std::move(phrase));
    }
    if (letter && !changed.empty())
        key = 0;
    store(kAlignment, std::move(changed));
}

void PhraseGrid::editFont(std::size_t y, unsigned char& key)
{
    key = 0;
    TFra font = document_.phrases()[y];
    if (!fontChooser_ || !fontChooser_(font))
        return;
    std::vector<std::pair<std::size_t, TFra>> changed;
    for (std::size_t row : selectedRows()) {
        TFra phrase = document_.phrases()[row];
        if (phrase.kind == PhraseKind::Picture)
            continue;
        phrase.fontName = font.fontName;
        phrase.fontSize = font.fontSize;
        phrase.fontColor = font.fontColor;
        phrase.bold = font.bold;
        phrase.italic = font.italic;
        phrase.underline = font.underline;
        phrase.strikeout = font.strikeout;
        changed.emplace_back(row, std::move(phrase));
    }
    store(kFont, std::move(changed));
}

void PhraseGrid::editPicture(std::size_t y, unsigned char& key)
{
    const bool clearing = key == static_cast<unsigned char>(kKeyDelete);
    key = 0;
    std::optional<std::string> picture;
    if (clearing)
        picture = std::string();
    else if (pictureChooser_)
        picture = pictureChooser_(document_.phrases()[y].picture);
    if (!picture)
        return;  // cancelled
    // The picture reaches the pupils who had none or had the phrase's old
    // one; a pupil's own picture stays. Phrase and copies are one step.
    std::vector<std::pair<std::size_t, TFra>> changed;
    std::vector<CellEdit> values;
    const std::size_t pupils = document_.pupils().count();
    std::vector<bool> keptOwn(pupils, false);
    for (std::size_t row : selectedRows()) {
        TFra phrase = document_.phrases()[row];
        if (phrase.kind != PhraseKind::Picture)
            continue;
        for (std::size_t pupil = 0; pupil < pupils; ++pupil) {
            const std::string& own = document_.value(pupil, row).picture;
            if (own.empty() || own == phrase.picture)
                values.push_back({pupil, row, ValueField::Picture, *picture});
            else if (own != *picture)
                keptOwn[pupil] = true;
        }
        phrase.picture = *picture;
        changed.emplace_back(row, std::move(phrase));
    }
    store(clearing ? kClearingPicture : kChoosingPicture, std::move(changed), std::move(values));
    if (status_) {
        const auto kept = std::count(keptOwn.begin(), keptOwn.end(), true);
        status_(kept == 0 ? QString()
                          : QStringLiteral("Własny obrazek zachowało uczniów: %1.").arg(kept));
    }
}

void PhraseGrid::editPage(std::size_t y, int button)
{
    // A key leaves the page as it is but still hands it to the selection.
    int page = document_.phrases()[y].page;
    if (button == kButtonLeft)
        page = std::min(page + 1, int{kLastPage});
    else if (button == kButtonRight)
        page = std::clamp(page - 1, 0, int{kLastPage});
    std::vector<std::pair<std::size_t, TFra>> changed;
    for (std::size_t row : selectedRows()) {
        TFra phrase = document_.phrases()[row];
        phrase.page = static_cast<std::int16_t>(page);
        changed.emplace_back(row, std::move(phrase));
    }
    store(kPage, std::move(changed));
}

// ---- Paste -------------------------------------------------------------------

void PhraseGrid::pasteIntoCell(TCellEdi&, int x, int y, std::string& text)
{
    // Rows beyond the last phrase are ignored: a paste never makes phrases.
    if (y < 0 || y >= phrases() || x < 0 || x >= kPhraseEditorColumns)
        return;
    const auto row = static_cast<std::size_t>(y);
    if (paste_) {
        // Cells of one row arrive left to right, so "Poz" sees the pasted "Szer".
        auto [entry, fresh] = paste_->try_emplace(row, document_.phrases()[row]);
        pastePhraseCell(entry->second, x, text);
        return;
    }
    TFra phrase = document_.phrases()[row];
    pastePhraseCell(phrase, x, text);
    store(kPaste, {{row, std::move(phrase)}});
}

void PhraseGrid::pasteStarted(TCellEdi&)
{
    paste_.emplace();
}

void PhraseGrid::pasteFinished(TCellEdi&)
{
    if (!paste_)
        return;
    std::vector<std::pair<std::size_t, TFra>> rows(std::make_move_iterator(paste_->begin()),
                                                   std::make_move_iterator(paste_->end()));
    paste_.reset();
    store(kPaste, std::move(rows));
}

}  // namespace wykazki

#include "ffwrozmn.h"

#include "glyphtoolbar.h"
#include "windowgrid.h"

#include "document/cp1250.h"
#include "document/formatting.h"
#include "grid/celledi.h"
#include "grid/placeholders.h"
#include "help/helpcontext.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QString shown(const std::string& name)
{
    return QString::fromStdString(cp1250::toUtf8(name));
}

}  // namespace

Tffwrozmn::Tffwrozmn(CopyWriter writeCopy, QWidget* parent)
    : QWidget(parent, Qt::Window), writeCopy_(std::move(writeCopy))
{
    setObjectName(QStringLiteral("ffwrozmn"));
    setWindowTitle(QStringLiteral("Tworzenie plików dla poszczególnych wychowawców"));
    helpcontext::set(*this, helpcontext::kPerTeacherFiles);
    // The old form's size is the least the window needs.
    setMinimumSize(391, 300);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    QToolBar* toolbar = makeGlyphToolBar(*this);
    speedButtons_ = {
        &addGlyphCommand(*toolbar, *this, {"SpeedButton1", "DODAJ", "Dodaj nazwę pliku"},
                         [this] { addName(); }),
        &addGlyphCommand(*toolbar, *this, {"SpeedButton2", "SKASUJ", "Usuń nazwę pliku"},
                         [this] { removeName(); }),
        &addGlyphCommand(*toolbar, *this, {"SpeedButton3", "ROZMN", "Twórz pliki dla oddziałów"},
                         [this] { writeFiles(); }),
        &addGlyphCommand(*toolbar, *this, {"SpeedButton4", "KONIEC", "Zamknij"},
                         [this] { close(); }),
    };
    column->addWidget(toolbar);

    grid_ = makeWindowGrid(*this, 30, 300);
    column->addWidget(grid_, 1);

    auto* statusBar = new QStatusBar(this);
    status_ = new QLabel(statusBar);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar->addWidget(status_, 1);
    column->addWidget(statusBar);

    grid_->setOwner(this);
}

CellEdiEvents Tffwrozmn::boundEvents() const
{
    return CellEdiEvent::OnTopInfo | CellEdiEvent::OnOczko | CellEdiEvent::OnAkcjaEdit
           | CellEdiEvent::OnOczkoToClipboard | CellEdiEvent::OnClipboardToOczko;
}

void Tffwrozmn::columnHeader(TCellEdi&, int, TTekstOczka& ato) const
{
    ato.tekst[0] = cp1250::fromUtf8("Nazwa pliku (bez rozszerzenia)").value_or(std::string());
}

void Tffwrozmn::cellText(TCellEdi&, int, int y, TTekstOczka& ato) const
{
    if (names_.empty()) {
        markMissing(ato);
    } else if (y >= 0 && static_cast<std::size_t>(y) < names_.size()) {
        const std::string& name = names_[static_cast<std::size_t>(y)].tekst;
        if (name.empty())
            markUnnamed(ato);
        else
            ato.tekst[0] = name;
    }
}

void Tffwrozmn::cellEdit(TCellEdi& grid, int, int y, unsigned char& key, int)
{
    if (names_.empty() || y < 0 || static_cast<std::size_t>(y) >= names_.size())
        return;
    std::string name = names_[static_cast<std::size_t>(y)].tekst;
    char ch = static_cast<char>(key);
    editText(name, ch, kNameLimit, false);
    key = static_cast<unsigned char>(ch);
    // Every selected row takes the name: one cell per row.
    grid.StartZaznaczenia(2);
    int x = 0;
    int row = 0;
    while (grid.NastepneZaznaczone(x, row)) {
        if (row >= 0 && static_cast<std::size_t>(row) < names_.size())
            names_[static_cast<std::size_t>(row)].tekst = name;
    }
    grid.OdswiezKolumne(0);
}

void Tffwrozmn::copyText(TCellEdi&, int, int y, std::string& text) const
{
    if (y >= 0 && static_cast<std::size_t>(y) < names_.size())
        text = names_[static_cast<std::size_t>(y)].tekst;
}

void Tffwrozmn::pasteIntoCell(TCellEdi& grid, int, int y, std::string& text)
{
    if (y >= 0 && static_cast<std::size_t>(y) < names_.size()) {
        names_[static_cast<std::size_t>(y)].tekst = text;
        grid.OdswiezKolumne(0);
    }
}

void Tffwrozmn::open()
{
    grid_->setIly(std::max<int>(1, static_cast<int>(names_.size())));
    if (!isVisible())
        show();
    raise();
    activateWindow();
    grid_->setFocus();
}

QString Tffwrozmn::statusText() const
{
    return status_->text();
}

void Tffwrozmn::refreshGrid()
{
    grid_->Odswiez();
    grid_->setFocus();
}

void Tffwrozmn::addName()
{
    const std::size_t at =
        names_.empty() ? 0 : std::min(names_.size(), static_cast<std::size_t>(grid_->PozY()) + 1);
    names_.insert(names_.begin() + static_cast<std::ptrdiff_t>(at), TNazwa{});
    if (names_.size() > 1) {
        grid_->setIly(grid_->Ily() + 1);
        grid_->setPozY(grid_->PozY() + 1);
    }
    refreshGrid();
}

void Tffwrozmn::removeName()
{
    const int y = grid_->PozY();
    if (y < 0 || static_cast<std::size_t>(y) >= names_.size())
        return;
    names_.erase(names_.begin() + y);
    if (!names_.empty())
        grid_->setIly(grid_->Ily() - 1);
    refreshGrid();
}

std::optional<QString> Tffwrozmn::refusal(const std::string& name)
{
    const QString text = shown(name);
    const QString trimmed = text.trimmed();
    // Separators would leave the program folder; "." and ".." name folders.
    const bool unusable =
        trimmed.isEmpty() || text.contains(QLatin1Char('/')) || text.contains(QLatin1Char('\\'))
        || trimmed == QLatin1String(".") || trimmed == QLatin1String("..")
        || std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
    if (!unusable)
        return std::nullopt;
    return QStringLiteral("\"%1\"").arg(text);
}

void Tffwrozmn::writeFiles()
{
    int written = 0;
    int failed = 0;
    QStringList refused;
    // A copy: a failure's error window runs the event loop, which could
    // reach the list.
    const std::vector<TNazwa> names = names_;
    for (const TNazwa& name : names) {
        if (name.tekst.empty())
            continue;
        if (const std::optional<QString> why = refusal(name.tekst)) {
            refused << *why;
            status_->setText(
                QStringLiteral("Nazwa %1 nie może być nazwą pliku - pominięta.").arg(*why));
            continue;
        }
        const std::string fileName = QFile::encodeName(shown(name.tekst)).toStdString();
        if (writeCopy_(fileName))
            ++written;
        else
            ++failed;
    }
    QString summary =
        QStringLiteral("Zapisano plików: %1, nieudanych: %2.").arg(written).arg(failed);
    if (!refused.isEmpty())
        summary += QStringLiteral(" Pominięto niewłaściwe nazwy plików: %1.")
                       .arg(refused.join(QStringLiteral(", ")));
    status_->setText(summary);
    status_->setToolTip(summary);  // a narrow window cuts the line
}

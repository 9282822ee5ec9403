#include "ffwrozmn.h"

#include "glyphtoolbar.h"
#include "jobprogress.h"
#include "windowgrid.h"

#include "document/cp1250.h"
#include "document/formatting.h"
#include "grid/celledi.h"
#include "grid/placeholders.h"
#include "help/helpcontext.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

namespace wykazki {

namespace {

QString withoutTrailingSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    return folder;
}

QString shown(const std::string& name)
{
    return QString::fromStdString(cp1250::toUtf8(name));
}

}  // namespace

Tffwrozmn::Tffwrozmn(Copies copies, QWidget* parent)
    : QWidget(parent, Qt::Window), copies_(std::move(copies))
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

    // A label of its own rather than a status bar: the summary names the
    // folder and the skipped files, and wraps instead of being cut.
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_->setContentsMargins(4, 2, 4, 2);
    column->addWidget(status_);

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
    QStringList refused;
    QStringList openClass;
    QStringList existing;
    // (file name, shown name, whether a file of that name is there)
    std::vector<std::tuple<std::string, QString, bool>> targets;
    for (const TNazwa& name : names_) {
        if (name.tekst.empty())
            continue;
        if (const std::optional<QString> why = refusal(name.tekst)) {
            refused << *why;
            continue;
        }
        const QString shownName = shown(name.tekst) + QStringLiteral(".wkz");
        const std::string fileName = QFile::encodeName(shown(name.tekst)).toStdString();
        const Target target = copies_.target(fileName);
        if (target == Target::OpenClass) {
            // The teacher's own work is never replaced by this window.
            if (!openClass.contains(shownName))
                openClass << shownName;
            continue;
        }
        const bool exists = target == Target::ExistingFile;
        if (exists && !existing.contains(shownName))
            existing << shownName;
        targets.emplace_back(fileName, shownName, exists);
    }

    bool replace = true;
    if (!existing.isEmpty()) {
        const int answer = copies_.ask(
            QStringLiteral("Zastąpić istniejące pliki: %1?")
                .arg(existing.join(QStringLiteral(", "))),
            {QStringLiteral("Tak"), QStringLiteral("Pomiń istniejące"), QStringLiteral("Anuluj")});
        if (answer != 0 && answer != 1) {
            status_->setText(QStringLiteral("Anulowano: nie zapisano żadnego pliku."));
            return;
        }
        replace = answer == 0;
    }

    int written = 0;
    int failed = 0;
    QStringList failures;
    bool cancelled = false;
    {
        // Gone before any question below, which it would cover and block.
        JobProgress progress(this, QStringLiteral("Tworzenie plików dla oddziałów"),
                             static_cast<int>(targets.size()));
        int done = 0;
        for (const auto& [fileName, shownName, exists] : targets) {
            if (!progress.step(done++, shownName)) {
                cancelled = true;
                break;
            }
            if (exists && !replace)
                continue;
            QString why;
            if (copies_.write(fileName, &why)) {
                ++written;
            } else {
                ++failed;
                // The reason may name the file itself already.
                failures << (why.startsWith(shownName + QLatin1Char(':'))
                                 ? why
                                 : QStringLiteral("%1: %2").arg(shownName, why));
            }
        }
    }
    // However many failed (a full disk fails them all), one window says so.
    if (!failures.isEmpty())
        copies_.ask(QStringLiteral("Nie zapisano plików: %1\n\n%2")
                        .arg(failures.size())
                        .arg(failures.join(QLatin1Char('\n'))),
                    {QStringLiteral("OK")});
    QString summary = QStringLiteral("Zapisano plików: %1, nieudanych: %2, w folderze %3.")
                          .arg(written)
                          .arg(failed)
                          .arg(withoutTrailingSlash(copies_.folder()));
    if (cancelled)
        summary += QStringLiteral(" Przerwano: dalszych plików nie zapisano.");
    if (!replace)
        summary +=
            QStringLiteral(" Pominięto istniejące: %1.").arg(existing.join(QStringLiteral(", ")));
    if (!openClass.isEmpty())
        summary += QStringLiteral(" Nie zastąpiono pliku otwartej klasy: %1.")
                       .arg(openClass.join(QStringLiteral(", ")));
    if (!refused.isEmpty())
        summary += QStringLiteral(" Pominięto niewłaściwe nazwy plików: %1.")
                       .arg(refused.join(QStringLiteral(", ")));
    status_->setText(summary);
}

}  // namespace wykazki

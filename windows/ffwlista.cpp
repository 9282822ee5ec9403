#include "ffwlista.h"

#include "glyphtoolbar.h"
#include "windowgrid.h"

#include "document/cp1250.h"
#include "document/fileops.h"
#include "document/formatting.h"
#include "document/picturenames.h"
#include "grid/celledi.h"
#include "qtbridge/cp1250text.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <unistd.h>

namespace wykazki {

namespace {

constexpr TKolor kBialy = 0xFFFFFF;

// The pictures the renderer reads, by their extension in any case.
bool isPictureName(const std::string& name)
{
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = name.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "bmp" || extension == "png" || extension == "jpg" || extension == "jpeg";
}

}  // namespace

Tffwlista::Tffwlista(std::string programFolder, QWidget* parent)
    : QDialog(parent), programFolder_(std::move(programFolder))
{
    setObjectName(QStringLiteral("ffwlista"));
    setWindowTitle(QStringLiteral("Wybierz z listy"));
    setAttribute(Qt::WA_QuitOnClose, false);
    // The old form's size is the least the window needs.
    setMinimumSize(210, 300);
    resize(210, 300);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The close button chooses the current row; the filter typed so far
    // shows beside it.
    QToolBar* toolbar = makeGlyphToolBar(*this);
    addGlyphCommand(*toolbar, *this, {"SpeedButton1", "KONIEC", "Zamknij"}, [this] { choose(); });
    filterLabel_ = new QLabel(toolbar);
    filterLabel_->setObjectName(QStringLiteral("Filtr"));
    QFont bold = filterLabel_->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    filterLabel_->setFont(bold);
    filterLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    filterLabel_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(filterLabel_);
    column->addWidget(toolbar);

    grid_ = makeWindowGrid(*this, 30, 150);
    grid_->setWysInfo(0);  // no column header
    grid_->setOczkoKolor(kBialy);
    grid_->setOwner(this);
    grid_->installEventFilter(this);
    column->addWidget(grid_, 1);

    // Said only when the folder holds more files than the list can show.
    limitLabel_ = new QLabel(this);
    limitLabel_->setObjectName(QStringLiteral("limit"));
    limitLabel_->setWordWrap(true);
    limitLabel_->setContentsMargins(4, 2, 4, 2);
    limitLabel_->hide();
    column->addWidget(limitLabel_);
}

void Tffwlista::readFileList()
{
    files_.clear();
    // Listed by the folder's bytes: Qt cannot spell every folder name the
    // file system holds.
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator entry(fs::path(programFolder_), error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code statusError;
        if (!isPictureName(name) || !fs::is_regular_file(entry->status(statusError))
            || ::access(entry->path().c_str(), R_OK) != 0)
            continue;
        // A name Windows-1250 cannot hold could not be stored in the class file.
        if (std::optional<std::string> bytes = cp1250::fromUtf8(name))
            files_.push_back(std::move(*bytes));
    }
    sortPictureNames(files_);
}

bool Tffwlista::chooseFromList(int mode, std::string& fileName)
{
    if (mode != 0)
        return false;
    filter_.clear();
    readFileList();
    setWindowTitle(QStringLiteral("Pliki z obrazami"));
    refresh();
    grid_->setPozY(rowOf(fileName));
    // Only a choice counts: Escape and the close box both leave without one.
    chosen_ = false;
    fileName_ = &fileName;
    grid_->setFocus();
    exec();
    fileName_ = nullptr;
    return chosen_;
}

int Tffwlista::rowOf(const std::string& fileName) const
{
    // The stored name may lack its ".bmp" and differ in case from the file.
    const QString name = qstringFromCp1250(picturePath(std::string(), fileName));
    for (std::size_t row = 0; row < filtered_.size(); ++row)
        if (qstringFromCp1250(files_[filtered_[row]]).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(row);
    return 0;
}

std::vector<std::string> Tffwlista::shownNames() const
{
    std::vector<std::string> names;
    for (std::size_t i : filtered_)
        names.push_back(files_[i]);
    return names;
}

void Tffwlista::refresh()
{
    filtered_ = filterPictureNames(files_, filter_);
    grid_->setIly(static_cast<int>(std::max<std::size_t>(filtered_.size(), 1)));
    const auto shown = static_cast<std::size_t>(TCellEdi::kMaxData);
    limitLabel_->setVisible(filtered_.size() > shown);
    if (filtered_.size() > shown)
        limitLabel_->setText(QStringLiteral("Pokazano %1 z %2 plików — wpisz początek nazwy")
                                 .arg(shown)
                                 .arg(filtered_.size()));
    filterLabel_->setText(QStringLiteral("Filtr: ") + qstringFromCp1250(filter_)
                          + QLatin1Char(' '));
    grid_->Odswiez();
}

void Tffwlista::CellEdi1Oczko(int, int y, std::string& text) const
{
    if (y >= 0 && static_cast<std::size_t>(y) < filtered_.size()) {
        text = files_[filtered_[static_cast<std::size_t>(y)]];
        // A line break in a name shows as a mark, not as a cut row.
        constexpr char kPilcrow = '\xB6';  // ¶ in Windows-1250
        std::replace(text.begin(), text.end(), '\n', kPilcrow);
        std::replace(text.begin(), text.end(), '\r', kPilcrow);
    } else {
        text = kMissingMark;
    }
}

CellEdiEvents Tffwlista::boundEvents() const
{
    return CellEdiEvent::OnOczko | CellEdiEvent::OnAkcja;
}

void Tffwlista::cellText(TCellEdi&, int x, int y, TTekstOczka& ato) const
{
    CellEdi1Oczko(x, y, ato.tekst[0]);
}

void Tffwlista::cellAction(TCellEdi&, int, int, std::uint32_t&, int button, TShiftState)
{
    if (button == kButtonLeft)
        choose();  // a click on the row under the cursor chooses it
}

void Tffwlista::choose()
{
    const int y = grid_->PozY();
    if (fileName_ != nullptr) {
        // Nothing listed under the cursor: no choice.
        if (y >= 0 && static_cast<std::size_t>(y) < filtered_.size()) {
            *fileName_ = files_[filtered_[static_cast<std::size_t>(y)]];
            chosen_ = true;
        }
    }
    close();
}

bool Tffwlista::FormKeyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: choose(); return true;
    case Qt::Key_Escape: close(); return true;
    case Qt::Key_Delete: filter_.clear(); break;
    case Qt::Key_Backspace:
        if (!filter_.empty())
            filter_.pop_back();
        break;
    default: {
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return false;
        const std::string typed = cp1250FromQString(event->text(), Unmappable::Drop);
        if (typed.size() != 1 || static_cast<unsigned char>(typed[0]) < 32)
            return false;  // navigation and other keys go to the list
        if (typed == "." || typed == "~")
            filter_.clear();
        else if (filter_.size() < kMaxPictureFilter)
            filter_ += typed;
        break;
    }
    }
    refresh();
    return true;
}

bool Tffwlista::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == grid_ && event->type() == QEvent::KeyPress)
        return FormKeyDown(static_cast<QKeyEvent*>(event));
    return QDialog::eventFilter(watched, event);
}

void Tffwlista::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event))
        QDialog::keyPressEvent(event);
}

}  // namespace wykazki

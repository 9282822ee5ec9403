#include "ffwlista.h"

#include "glyphtoolbar.h"
#include "windowgrid.h"

#include "document/cp1250.h"
#include "document/formatting.h"
#include "document/picturenames.h"
#include "grid/celledi.h"
#include "qtbridge/cp1250text.h"

#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr TKolor kBialy = 0xFFFFFF;

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
}

void Tffwlista::readFileList()
{
    files_.clear();
    const QDir folder(QFile::decodeName(QByteArray::fromStdString(programFolder_)));
    const QStringList names =
        folder.entryList({QStringLiteral("*.bmp")}, QDir::Files | QDir::Readable, QDir::NoSort);
    for (const QString& name : names) {
        // A name Windows-1250 cannot hold could not be stored in the class file.
        if (std::optional<std::string> bytes = cp1250::fromUtf8(name.toStdString()))
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
    grid_->setPozY(0);
    cancelled_ = false;
    fileName_ = &fileName;
    grid_->setFocus();
    exec();
    fileName_ = nullptr;
    return !cancelled_;
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
    filterLabel_->setText(QStringLiteral("Filtr: ") + qstringFromCp1250(filter_)
                          + QLatin1Char(' '));
    grid_->Odswiez();
}

void Tffwlista::CellEdi1Oczko(int, int y, std::string& text) const
{
    if (y >= 0 && static_cast<std::size_t>(y) < filtered_.size())
        text = files_[filtered_[static_cast<std::size_t>(y)]];
    else
        text = kMissingMark;
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
        if (y >= 0 && static_cast<std::size_t>(y) < filtered_.size())
            *fileName_ = files_[filtered_[static_cast<std::size_t>(y)]];
        else
            cancelled_ = true;  // nothing listed under the cursor: no choice
    }
    close();
}

bool Tffwlista::FormKeyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: choose(); return true;
    case Qt::Key_Escape:
        cancelled_ = true;
        close();
        return true;
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

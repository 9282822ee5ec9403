#include "ffwfrazy.h"

#include "closa.h"
#include "glyphtoolbar.h"
#include "phrasefontdialog.h"
#include "phrasegrid.h"
#include "programcontext.h"

#include "grid/celledi.h"
#include "help/helpcontext.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

Tffwfrazy::Tffwfrazy(ProgramContext& context) : context_(context)
{
    setObjectName(QStringLiteral("ffwfrazy"));
    setWindowTitle(QStringLiteral("Elementy świadectwa"));
    helpcontext::set(*this, helpcontext::kPhraseEditor);
    // Closing the main window ends the program even while this one is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    buildToolbar();
    grid_ = new TCellEdi(this);
    grid_->setObjectName(QStringLiteral("CellEdi1"));
    grid_->installEventFilter(this);
    setCentralWidget(grid_);

    statusLabel_ =
        new QLabel(QStringLiteral("Gotowe wzory znajdują się na naszych stronach WWW ..."), this);
    statusLabel_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(statusLabel_, 1);

    phraseGrid_ = std::make_unique<PhraseGrid>(*grid_, context_.editor());
    phraseGrid_->setCornerAction([this] { emit gridOptionsRequested(); });
    phraseGrid_->setFontChooser(
        [this](TFra& phrase) { return PhraseFontDialog::choose(this, phrase); });

    // The stored block may count other rows than the phrases read with it.
    context_.addWindowHook(*this, *grid_, &ScreenLayout::phraseEditor, &ScreenLayout::phraseGrid,
                           [this] { phraseGrid_->applyGridSize(); });
    // The old form's size is the first size; the class file's rectangle may
    // make the window smaller, down to what its controls need.
    resize(minimumSizeHint().expandedTo(QSize(500, 300)));
}

Tffwfrazy::~Tffwfrazy() = default;

void Tffwfrazy::buildToolbar()
{
    QToolBar* toolbar = makeGlyphToolBar(*this);
    speedButtons_ = {
        &addGlyphCommand(*toolbar, *this, {"SpeedButton1", "ZAPISZ", "Zapisz"}, [this] { save(); }),
        &addGlyphCommand(*toolbar, *this, {"SpeedButton2", "DODAJ", "Dodaj frazę"},
                         [this] { addPhrase(); }),
        &addGlyphCommand(*toolbar, *this, {"SpeedButton3", "SKASUJ", "Usuń frazę"},
                         [this] { removePhrase(); }),
        &addGlyphCommand(*toolbar, *this, {"SpeedButton4", "DRUKUJ", "Drukuj tabelkę"},
                         [this] { printTable(); }),
        &addGlyphCommand(*toolbar, *this, {"SpeedButton5", "KONIEC", "Zamknij"},
                         [this] { close(); }),
    };
    addToolBar(Qt::TopToolBarArea, toolbar);
}

QString Tffwfrazy::statusText() const
{
    return statusLabel_->text();
}

void Tffwfrazy::showAtRow(int phrase)
{
    phraseGrid_->applyGridSize();
    if (phrase >= 0 && phrase < grid_->Ily())
        grid_->setPozY(phrase);
    if (isHidden())
        show();
    raise();
    activateWindow();
    grid_->setFocus();
}

// ---- Commands ----------------------------------------------------------------

void Tffwfrazy::save()
{
    context_.closa().save();
}

void Tffwfrazy::addPhrase()
{
    phraseGrid_->addPhrase();
}

void Tffwfrazy::removePhrase()
{
    phraseGrid_->removePhrase();
}

void Tffwfrazy::printTable()
{
    emit tablePrintRequested(QStringLiteral("Kolmo'05"));
}

// ---- Keys ----------------------------------------------------------------------

bool Tffwfrazy::FormKeyDown(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return false;
    close();
    return true;
}

bool Tffwfrazy::eventFilter(QObject* watched, QEvent* event)
{
    // Before the grid, which would hand Escape to the cell as a character.
    if (watched == grid_ && event->type() == QEvent::KeyPress
        && FormKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void Tffwfrazy::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event))
        QMainWindow::keyPressEvent(event);
}

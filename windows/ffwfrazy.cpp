#include "ffwfrazy.h"

#include "closa.h"
#include "glyphs.h"
#include "phrasefontdialog.h"
#include "phrasegrid.h"
#include "programcontext.h"
#include "windowrect.h"

#include "grid/celledi.h"
#include "help/helpcontext.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

struct ToolbarButton {
    const char* glyph;
    const char* hint;  // UTF-8
    void (Tffwfrazy::*slot)();
};

}  // namespace

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

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* panel = new QWidget(central);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setMinimumHeight(49);
    buildToolbar(*panel);
    column->addWidget(panel);

    cellEdi1_ = new TCellEdi(central);
    cellEdi1_->setObjectName(QStringLiteral("CellEdi1"));
    cellEdi1_->installEventFilter(this);
    column->addWidget(cellEdi1_, 1);
    setCentralWidget(central);

    statusLabel_ = new QLabel(QStringLiteral("Gotowe wzory znajdują się na naszych stronach WWW ..."),
                              this);
    statusLabel_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(statusLabel_, 1);

    phraseGrid_ = std::make_unique<PhraseGrid>(*cellEdi1_, context_.editor());
    phraseGrid_->setCornerAction([this] { emit gridOptionsRequested(); });
    phraseGrid_->setFontChooser([this](TFra& phrase) { return PhraseFontDialog::choose(this, phrase); });

    context_.addScreenHook({
        [this](const ScreenLayout& screen) { applyScreen(screen); },
        [this](ScreenLayout& screen) { collectScreen(screen); },
    });
    resize(500, 300);
}

Tffwfrazy::~Tffwfrazy() = default;

void Tffwfrazy::buildToolbar(QWidget& panel)
{
    const ToolbarButton buttons[5] = {
        {"ZAPISZ", "Zapisz", &Tffwfrazy::SpeedButton1Click},
        {"DODAJ", "Dodaj frazę", &Tffwfrazy::SpeedButton2Click},
        {"SKASUJ", "Usuń frazę", &Tffwfrazy::SpeedButton3Click},
        {"DRUKUJ", "Drukuj tabelkę", &Tffwfrazy::SpeedButton4Click},
        {"KONIEC", "Zamknij", &Tffwfrazy::SpeedButton5Click},
    };
    auto* row = new QHBoxLayout(&panel);
    row->setContentsMargins(8, 8, 8, 8);
    row->setSpacing(8);
    for (int i = 0; i < 5; ++i) {
        auto* button = new QToolButton(&panel);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        button->setMinimumSize(32, 32);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        setGlyph(*button, buttons[i].glyph, QString::fromUtf8(buttons[i].hint));
        connect(button, &QToolButton::clicked, this, buttons[i].slot);
        row->addWidget(button);
        speedButtons_[static_cast<std::size_t>(i)] = button;
    }
    row->addStretch(1);
}

QString Tffwfrazy::statusText() const
{
    return statusLabel_->text();
}

void Tffwfrazy::showAtRow(int phrase)
{
    phraseGrid_->applyGridSize();
    if (phrase >= 0 && phrase < cellEdi1_->Ily())
        cellEdi1_->setPozY(phrase);
    if (isHidden())
        show();
    raise();
    activateWindow();
    cellEdi1_->setFocus();
}

// ---- Commands ----------------------------------------------------------------

void Tffwfrazy::SpeedButton1Click()
{
    context_.closa().save();
}

void Tffwfrazy::SpeedButton2Click()
{
    phraseGrid_->addPhrase();
}

void Tffwfrazy::SpeedButton3Click()
{
    phraseGrid_->removePhrase();
}

void Tffwfrazy::SpeedButton4Click()
{
    emit tablePrintRequested(QStringLiteral("Kolmo'05"));
}

void Tffwfrazy::SpeedButton5Click()
{
    close();
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
    if (watched == cellEdi1_ && event->type() == QEvent::KeyPress
        && FormKeyDown(static_cast<QKeyEvent*>(event)))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

void Tffwfrazy::keyPressEvent(QKeyEvent* event)
{
    if (!FormKeyDown(event))
        QMainWindow::keyPressEvent(event);
}

// ---- Window rectangle and grid layout in the class file --------------------

void Tffwfrazy::applyScreen(const ScreenLayout& screen)
{
    applyWindowRect(*this, screen.phraseEditor);
    cellEdi1_->zastosujUklad(screen.phraseGrid);
    // The stored block may count other rows than the phrases read with it.
    phraseGrid_->applyGridSize();
}

void Tffwfrazy::collectScreen(ScreenLayout& screen) const
{
    screen.phraseEditor = windowRectOf(*this);
    screen.phraseGrid = cellEdi1_->uklad();
}

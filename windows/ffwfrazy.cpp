#include "ffwfrazy.h"

#include "closa.h"
#include "ffwmain.h"
#include "ffwopcje.h"
#include "glyphtoolbar.h"
#include "layoutpanel.h"
#include "layoutview.h"
#include "phrasefontdialog.h"
#include "phrasegrid.h"
#include "programcontext.h"
#include "usersettings.h"

#include "document/phrasecolumns.h"
#include "grid/celledi.h"
#include "help/helpcontext.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace wykazki {

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
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("layoutSplitter"));
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(grid_);
    setCentralWidget(splitter_);

    statusLabel_ =
        new QLabel(QStringLiteral("Gotowe wzory znajdują się na naszych stronach WWW ..."), this);
    statusLabel_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(statusLabel_, 1);

    phraseGrid_ = std::make_unique<PhraseGrid>(*grid_, context_.editor());
    phraseGrid_->setCornerAction([this] { emit gridOptionsRequested(); });
    phraseGrid_->setStatus([this](const QString& text) { statusLabel_->setText(text); });
    phraseGrid_->setFontChooser(
        [this](TFra& phrase) { return PhraseFontDialog::choose(this, phrase); });

    // Tags a text phrase as computed or as the behaviour grade.
    roleMenu_ = new QMenu(this);
    averageRole_ = roleMenu_->addAction(QStringLiteral("Wyliczane: &średnia ocen"));
    behaviourRole_ = roleMenu_->addAction(QStringLiteral("Ocena &zachowania"));
    for (QAction* role : {averageRole_, behaviourRole_}) {
        role->setCheckable(true);
        connect(role, &QAction::triggered, this, [this, role](bool on) {
            const PhraseRole which =
                role == averageRole_ ? PhraseRole::Average : PhraseRole::Behaviour;
            if (!phraseGrid_->setRole(which, on))
                statusLabel_->setText(QStringLiteral("Wyliczane bywają tylko frazy tekstowe."));
        });
    }
    connect(roleMenu_, &QMenu::aboutToShow, this, [this] {
        const PhraseRole role = phraseGrid_->currentRole();
        averageRole_->setChecked(role == PhraseRole::Average);
        behaviourRole_->setChecked(role == PhraseRole::Behaviour);
    });
    grid_->viewport()->installEventFilter(this);

    layoutPanel_ = new LayoutPanel(context_.editor(), *grid_, context_.programFolder(),
                                   [this] { return context_.mainWindow().currentPupil(); });
    // The class file's rectangle for this window comes back exactly as
    // stored, however small: the view gives way rather than widening it.
    layoutPanel_->view().setFormScanSource([this](int page) {
        return Tffwopcje::showFormInPreview() ? context_.formScan(page, nullptr) : QImage();
    });
    layoutPanel_->setMinimumSize(1, 1);
    splitter_->addWidget(layoutPanel_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 1);
    const UserSettings settings;
    splitter_->restoreState(settings.value("layoutView/splitter").toByteArray());
    const bool layoutShown = settings.value("layoutView/visible", true).toBool();
    layoutPanel_->setVisible(layoutShown);
    layoutSwitch_->setChecked(layoutShown);
    connect(layoutSwitch_, &QAction::toggled, this, [this](bool on) {
        layoutPanel_->setVisible(on);
        UserSettings().setValue("layoutView/visible", on);
    });

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
    toolbar->addSeparator();
    layoutSwitch_ = toolbar->addAction(QStringLiteral("Układ strony"));
    layoutSwitch_->setObjectName(QStringLiteral("layoutSwitch"));
    layoutSwitch_->setCheckable(true);
    layoutSwitch_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    layoutSwitch_->setToolTip(QStringLiteral("Pokaż lub ukryj układ strony (Ctrl+L)"));
    addToolBar(Qt::TopToolBarArea, toolbar);
}

void Tffwfrazy::hideEvent(QHideEvent* event)
{
    UserSettings().setValue("layoutView/splitter", splitter_->saveState());
    QMainWindow::hideEvent(event);
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
    // Right click or the menu key on a "Nazwa frazy" cell.
    if (event->type() == QEvent::ContextMenu
        && (watched == grid_->viewport() || watched == grid_)) {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        const bool byMouse = menuEvent->reason() == QContextMenuEvent::Mouse;
        const QModelIndex index = grid_->indexAt(menuEvent->pos());
        const int column = byMouse ? index.column() : grid_->PozX();
        if (column == kColumnName) {
            if (byMouse && index.isValid() && !grid_->selectedRange().contains(1, index.row() + 1))
                grid_->setPozY(index.row());
            const QPoint at =
                byMouse ? menuEvent->globalPos()
                        : grid_->viewport()->mapToGlobal(
                            grid_->visualRect(grid_->model()->index(grid_->PozY(), 0)).center());
            roleMenu_->popup(at);
            return true;
        }
    }
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

}  // namespace wykazki

// Building the main window's controls: one action per command, the menus
// and the toolbar over those actions, the page choice and the long-text
// switch above the grid.

#include "ffwmain.h"

#include "ffwopis.h"
#include "keyscheme.h"
#include "speech/gradereader.h"
#include "speech/gradesentences.h"

#include "glyphtoolbar.h"
#include "programcontext.h"

#include "editing/documenteditor.h"
#include "grid/celledi.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace wykazki {

namespace {

struct Command {
    GlyphCommand button;
    void (Tffwmain::*slot)();
    const char* menuName;  // object name of the shared menu entry, or nullptr
    const char* menuText;  // UTF-8
    QKeyCombination shortcut;
    bool groupEnds;  // a separator follows on the toolbar
};

// Toolbar order. Commands with a menu name are the menu entries too.
const Command kCommands[Tffwmain::kToolCommands] = {
    {{"SpeedButton1", "ZAPISZ", "Zapisz"},
     &Tffwmain::save,
     "Zapisz1",
     "&Zapisz",
     {},  // the user's key scheme gives it
     true},
    {{"SpeedButton2", "EDYTUJ", "Edytuj elementy świadectwa"},
     &Tffwmain::editPhrases,
     "Edytujfrazy1",
     "Edytuj &frazy",
     {},
     true},
    {{"SpeedButton3", "DODAJ", "Dodaj ucznia"},
     &Tffwmain::addPupil,
     "Dodajucznia1",
     "&Dodaj ucznia",
     {},
     false},
    {{"SpeedButton4", "SKASUJ", "Usuń ucznia"},
     &Tffwmain::removePupil,
     "Usucznia1",
     "&Usuń ucznia",
     {},
     true},
    {{"SpeedButton5", "DRUKUJ", "Drukuj dane"},
     &Tffwmain::printTable,
     "printTable",
     nullptr,
     {},
     true},
    {{"SpeedButton6", "OPCJE", "Opcje"}, &Tffwmain::editOptions, "editOptions", nullptr, {}, true},
    {{"SpeedButton7", "PODGLAD", "Podgląd wykazki"},
     &Tffwmain::previewCurrent,
     "previewCurrent",
     nullptr,
     {},
     false},
    {{"SpeedButton8", "WYKAZKA", "Wydruk wykazek"},
     &Tffwmain::printSelected,
     "Drukujzaznwkz1",
     "&Drukuj zaznaczone wykazki",
     Qt::CTRL | Qt::Key_P,
     true},
    {{"SpeedButton9", "KONIEC", "Zamknij"}, nullptr, "Koniec1", "&Koniec", {}, false},
};

}  // namespace

QToolButton& Tffwmain::speedButton(int number)
{
    auto* button = qobject_cast<QToolButton*>(
        toolbar_->widgetForAction(toolCommands_.at(static_cast<std::size_t>(number - 1))));
    Q_ASSERT(button != nullptr);
    return *button;
}

void Tffwmain::buildCommands()
{
    for (std::size_t i = 0; i < toolCommands_.size(); ++i) {
        const Command& command = kCommands[i];
        QAction* action =
            makeGlyphAction(*this, command.button,
                            command.menuText ? QString::fromUtf8(command.menuText) : QString());
        action->setObjectName(QString::fromLatin1(command.menuName));
        if (command.shortcut != QKeyCombination())
            action->setShortcut(QKeySequence(command.shortcut));
        if (command.slot != nullptr)
            connect(action, &QAction::triggered, this, command.slot);
        else
            connect(action, &QAction::triggered, this, &QWidget::close);
        toolCommands_[i] = action;
    }
}

void Tffwmain::buildToolbar()
{
    toolbar_ = makeGlyphToolBar(*this);
    for (std::size_t i = 0; i < toolCommands_.size(); ++i) {
        addGlyphButton(*toolbar_, *toolCommands_[i], kCommands[i].button);
        if (kCommands[i].groupEnds)
            toolbar_->addSeparator();
    }
    addToolBar(Qt::TopToolBarArea, toolbar_);
}

void Tffwmain::buildPanelControls(QWidget& panel)
{
    auto* column = new QVBoxLayout(&panel);
    column->setContentsMargins(8, 4, 8, 4);

    pageBox_ = new QGroupBox(QStringLiteral("Drukuj stronę:"), &panel);
    pageBox_->setObjectName(QStringLiteral("RadioGroup1"));
    pageBox_->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(pageBox_);
    pageChoice_ = new QButtonGroup(this);
    const char* items[4] = {"Pierwszą", "Drugą", "Trzecią", "Czwartą"};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(QString::fromUtf8(items[i]), pageBox_);
        item->setFocusPolicy(Qt::TabFocus);
        row->addWidget(item, 1);
        pageChoice_->addButton(item, i);
    }
    pageChoice_->button(0)->setChecked(true);
    connect(pageChoice_, &QButtonGroup::idClicked, this, &Tffwmain::pageChosen);
    column->addWidget(pageBox_, 0, Qt::AlignLeft);

    longTextSwitch_ =
        new QCheckBox(QStringLiteral("Pokazuj edytorek obszerniejszego tekstu"), &panel);
    longTextSwitch_->setObjectName(QStringLiteral("CheckBox1"));
    longTextSwitch_->setFocusPolicy(Qt::TabFocus);
    connect(longTextSwitch_, &QCheckBox::clicked, this, &Tffwmain::longTextSwitched);
    column->addWidget(longTextSwitch_);
}

void Tffwmain::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto addCommand = [this](QMenu& menu, const char* objectName, const QString& text,
                             const QKeySequence& shortcut, void (Tffwmain::*slot)()) {
        QAction* action = menu.addAction(text);
        action->setObjectName(QString::fromLatin1(objectName));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const QKeySequence none;

    QMenu* filesMenu = bar->addMenu(QStringLiteral("&Pliki"));
    filesMenu->setObjectName(QStringLiteral("Pliki1"));
    newAction_ =
        addCommand(*filesMenu, "Nowy1", QStringLiteral("&Nowy"), none, &Tffwmain::newDocument);
    filesMenu->addSeparator();
    openAction_ =
        addCommand(*filesMenu, "Odczytaj1", QStringLiteral("&Odczytaj"), none, &Tffwmain::openFile);
    filesMenu->addAction(toolCommands_[kSave]);
    saveAsAction_ = addCommand(*filesMenu, "Zapiszpodnownazw1",
                               QStringLiteral("Z&apisz pod nową nazwą"), none, &Tffwmain::saveAs);
    filesMenu->addSeparator();
    addCommand(*filesMenu, "Importujzarkusza1", QStringLiteral("&Importuj z arkusza…"), none,
               &Tffwmain::importSheet);
    addCommand(*filesMenu, "Eksportujdoarkusza1", QStringLiteral("&Eksportuj do arkusza…"), none,
               &Tffwmain::exportSheet);
    filesMenu->addSeparator();
    addCommand(*filesMenu, "Rozmnnaposzczeglneoddziay1",
               QStringLiteral("&Rozmnóż na poszczególne oddziały"), none,
               &Tffwmain::makePerTeacherFiles);
    filesMenu->addSeparator();
    filesMenu->addAction(toolCommands_[kPrintSelected]);
    filesMenu->addSeparator();
    filesMenu->addAction(toolCommands_[kClose]);

    QMenu* editMenu = bar->addMenu(QStringLiteral("&Edycja"));
    editMenu->setObjectName(QStringLiteral("Edycja1"));
    buildUndoCommands(*editMenu);
    selectAllAction_ = addCommand(*editMenu, "Zaznaczwszystko1",
                                  QStringLiteral("Zaznacz &wszystko"), none, &Tffwmain::selectAll);
    editMenu->addSeparator();
    addCommand(*editMenu, "Wklejzzamiana1", QStringLiteral("W&klej z zamianą wierszy i kolumn"),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), &Tffwmain::pasteTransposed);
    editMenu->addSeparator();
    editMenu->addAction(toolCommands_[kAddPupil]);
    editMenu->addAction(toolCommands_[kRemovePupil]);
    editMenu->addSeparator();
    editMenu->addAction(toolCommands_[kPhrases]);
    editMenu->addSeparator();
    addCommand(*editMenu, "Wyliczsrednie1", QStringLiteral("Wylicz ś&rednie"), none,
               &Tffwmain::computeAverages);
    addCommand(*editMenu, "Zaznaczwyroznienie1", QStringLiteral("Zaznacz uczniów z w&yróżnieniem"),
               none, &Tffwmain::selectDistinction);
    addCommand(*editMenu, "Sprawdzprzeddrukiem1", QStringLiteral("&Sprawdź przed drukiem"),
               QKeySequence(Qt::Key_F9), &Tffwmain::checkClass);
    editMenu->addSeparator();
    addCommand(*editMenu, "Czytajoceny1", QStringLiteral("C&zytaj oceny ucznia"),
               QKeySequence(Qt::Key_F7), &Tffwmain::readGrades);
    addCommand(*editMenu, "Czytajdalej1", QStringLiteral("Czytaj d&alej"),
               QKeySequence(Qt::SHIFT | Qt::Key_F7), &Tffwmain::readNextPupil);
    // Escape stops a reading, and only then takes the key.
    stopReadingAction_ = new QAction(QStringLiteral("Przerwij czytanie"), this);
    stopReadingAction_->setShortcut(QKeySequence(Qt::Key_Escape));
    stopReadingAction_->setEnabled(false);
    connect(stopReadingAction_, &QAction::triggered, this, [this] { gradeReader().stop(); });
    addAction(stopReadingAction_);

    // A top-level item without a submenu. A menu bar would draw a glyph in
    // place of the text, so the item is its own action that runs the
    // toolbar's and follows its enabled state.
    QAction* options = toolCommands_[kOptions];
    QAction* opcje = bar->addAction(QStringLiteral("&Opcje"));
    opcje->setObjectName(QStringLiteral("Opcje1"));
    connect(opcje, &QAction::triggered, options, &QAction::trigger);
    connect(options, &QAction::enabledChanged, opcje, &QAction::setEnabled);

    QMenu* helpMenu = bar->addMenu(QStringLiteral("Pomoc"));
    helpMenu->setObjectName(QStringLiteral("Pomoc1"));
    auto emitting = [this, helpMenu](const char* name, const QString& text,
                                     void (Tffwmain::*signal)()) {
        QAction* action = helpMenu->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, signal);
    };
    emitting("Info1", QStringLiteral("&Info"), &Tffwmain::infoRequested);
    helpMenu->addSeparator();
    emitting("Spistreci1", QStringLiteral("&Spis treści"), &Tffwmain::helpContentsRequested);
    emitting("Wyszukaj1", QStringLiteral("&Wyszukaj"), &Tffwmain::helpSearchRequested);
    emitting("Jakszuka1", QStringLiteral("&Jak szukać?"), &Tffwmain::helpOnHelpRequested);
    helpMenu->addSeparator();
    emitting("Kolmo051", QStringLiteral("&Kolmo'05"), &Tffwmain::aboutRequested);
}

void Tffwmain::buildUndoCommands(QMenu& menu)
{
    // The keys come with the user's scheme (applyKeyScheme).
    QUndoStack& stack = context_.editor().undoStack();
    undoAction_ = menu.addAction(QString());
    undoAction_->setObjectName(QStringLiteral("Cofnij1"));
    connect(undoAction_, &QAction::triggered, &stack, &QUndoStack::undo);
    redoAction_ = menu.addAction(QString());
    redoAction_->setObjectName(QStringLiteral("Ponow1"));
    connect(redoAction_, &QAction::triggered, &stack, &QUndoStack::redo);
    // One history for the whole program: the keys work in the long-text
    // editor's window too (a modal window still blocks them).
    undoAction_->setShortcutContext(Qt::ApplicationShortcut);
    redoAction_->setShortcutContext(Qt::ApplicationShortcut);

    // "Cofnij: wpisanie oceny" names the step that would be taken back.
    auto caption = [](const QString& verb, const QString& step) {
        return step.isEmpty() ? verb : verb + QStringLiteral(": ") + step;
    };
    auto update = [this, history = &stack, caption] {
        undoAction_->setText(caption(QStringLiteral("&Cofnij"), history->undoText()));
        undoAction_->setEnabled(history->canUndo());
        redoAction_->setText(caption(QStringLiteral("&Ponów"), history->redoText()));
        redoAction_->setEnabled(history->canRedo());
    };
    connect(&stack, &QUndoStack::indexChanged, this, update);
    connect(&stack, &QUndoStack::undoTextChanged, this, update);
    connect(&stack, &QUndoStack::redoTextChanged, this, update);
    update();
}

void Tffwmain::applyKeyScheme(KeyScheme scheme)
{
    const SchemeShortcuts keys = shortcutsOf(scheme);
    toolCommands_[kSave]->setShortcut(keys.save);
    saveAsAction_->setShortcut(keys.saveAs);
    // The class is saved from the phrase editor and the long-text editor
    // too, as it is undone there (a modal window still blocks the keys).
    toolCommands_[kSave]->setShortcutContext(Qt::ApplicationShortcut);
    saveAsAction_->setShortcutContext(Qt::ApplicationShortcut);
    openAction_->setShortcut(keys.open);
    newAction_->setShortcut(keys.newDocument);
    selectAllAction_->setShortcut(keys.selectAll);
    undoAction_->setShortcuts(keys.undo);
    redoAction_->setShortcuts(keys.redo);
    if (Tffwopis* opis = context_.opisIfMade())
        opis->setHistoryKeys(keys.undo, keys.redo);
    keyScheme_ = scheme;
}

void Tffwmain::selectAll()
{
    grid_->selectRange({1, 1, grid_->Ilx(), grid_->Ily()});
    grid_->setFocus();
}

GradeReader& Tffwmain::gradeReader()
{
    if (!gradeReader_)
        setGradeReader(std::make_unique<GradeReader>());
    return *gradeReader_;
}

void Tffwmain::setGradeReader(std::unique_ptr<GradeReader> reader)
{
    gradeReader_ = std::move(reader);
    connect(gradeReader_.get(), &GradeReader::finished, this, [this] {
        stopReadingAction_->setEnabled(false);
        // The message of the reading goes with it.
        if (statusText().startsWith(QStringLiteral("Czytanie ocen ucznia ")))
            setStatusText(QStringLiteral("Koniec czytania ocen."));
    });
}

void Tffwmain::readGrades()
{
    GradeReader& reader = gradeReader();
    if (reader.reading()) {
        reader.stop();
        return;
    }
    QString why;
    if (!reader.available(&why)) {
        setStatusText(why);
        return;
    }
    const Document& doc = context_.document();
    const int pupil = grid_->PozX();
    if (pupil < 0 || static_cast<std::size_t>(pupil) >= doc.pupils().count()) {
        setStatusText(QStringLiteral("Ustaw kursor w kolumnie ucznia, którego oceny przeczytać."));
        return;
    }
    const QStringList sentences = gradeSentences(doc, static_cast<std::size_t>(pupil));
    lastReading_ = sentences;
    stopReadingAction_->setEnabled(true);
    setStatusText(
        QStringLiteral("Czytanie ocen ucznia %1 (F7 albo Esc przerywa, Shift+F7: następny "
                       "uczeń)")
            .arg(pupil + 1));
    reader.read(sentences);
}

void Tffwmain::readNextPupil()
{
    const int next = grid_->PozX() + 1;
    if (static_cast<std::size_t>(next) >= context_.document().pupils().count()) {
        setStatusText(QStringLiteral("To był ostatni uczeń."));
        return;
    }
    gradeReader().stop();
    grid_->setPozX(next);
    readGrades();
}

}  // namespace wykazki

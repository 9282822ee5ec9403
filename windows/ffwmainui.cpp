// Building the main window's controls: the top panel with the toolbar, the
// page choice and the long-text switch, the menus, the status bar.

#include "ffwmain.h"

#include "glyphs.h"
#include "programcontext.h"

#include "editing/documenteditor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolButton>

namespace {

struct ToolbarButton {
    int left;
    const char* glyph;
    const char* hint;  // UTF-8
    void (Tffwmain::*slot)();
};

}  // namespace

void Tffwmain::buildToolbar(QWidget& panel)
{
    const ToolbarButton buttons[9] = {
        {8, "ZAPISZ", "Zapisz", &Tffwmain::SpeedButton1Click},
        {48, "EDYTUJ", "Edytuj elementy świadectwa", &Tffwmain::SpeedButton2Click},
        {88, "DODAJ", "Dodaj ucznia", &Tffwmain::SpeedButton3Click},
        {120, "SKASUJ", "Usuń ucznia", &Tffwmain::SpeedButton4Click},
        {160, "DRUKUJ", "Drukuj dane", &Tffwmain::SpeedButton5Click},
        {200, "OPCJE", "Opcje", &Tffwmain::SpeedButton6Click},
        {240, "PODGLAD", "Podgląd wykazki", &Tffwmain::SpeedButton7Click},
        {272, "WYKAZKA", "Wydruk wykazek", &Tffwmain::SpeedButton8Click},
        {312, "KONIEC", "Zamknij", &Tffwmain::SpeedButton9Click},
    };
    for (int i = 0; i < 9; ++i) {
        auto* button = new QToolButton(&panel);
        button->setObjectName(QStringLiteral("SpeedButton%1").arg(i + 1));
        button->setGeometry(buttons[i].left, 8, 32, 32);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        setGlyph(*button, buttons[i].glyph, QString::fromUtf8(buttons[i].hint));
        connect(button, &QToolButton::clicked, this, buttons[i].slot);
        speedButtons_[static_cast<std::size_t>(i)] = button;
    }
}

void Tffwmain::buildPanelControls(QWidget& panel)
{
    radioBox_ = new QGroupBox(QStringLiteral("Drukuj stronę:"), &panel);
    radioBox_->setObjectName(QStringLiteral("RadioGroup1"));
    radioBox_->setGeometry(8, 44, 337, 40);
    auto* row = new QHBoxLayout(radioBox_);
    row->setContentsMargins(8, 0, 8, 2);
    radioGroup1_ = new QButtonGroup(this);
    const char* items[4] = {"Pierwszą", "Drugą", "Trzecią", "Czwartą"};
    for (int i = 0; i < 4; ++i) {
        auto* item = new QRadioButton(QString::fromUtf8(items[i]), radioBox_);
        item->setFocusPolicy(Qt::TabFocus);
        row->addWidget(item, 1);
        radioGroup1_->addButton(item, i);
    }
    radioGroup1_->button(0)->setChecked(true);
    connect(radioGroup1_, &QButtonGroup::idClicked, this, &Tffwmain::RadioGroup1Click);

    checkBox1_ = new QCheckBox(QStringLiteral("Pokazuj edytorek obszerniejszego tekstu"), &panel);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->setGeometry(8, 88, 249, 20);
    checkBox1_->setFocusPolicy(Qt::TabFocus);
    connect(checkBox1_, &QCheckBox::clicked, this, &Tffwmain::CheckBox1Click);
}

QAction* Tffwmain::addCommand(QMenu& menu, const char* objectName, const QString& text,
                              const QKeySequence& shortcut, void (Tffwmain::*slot)())
{
    QAction* action = menu.addAction(text);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void Tffwmain::buildMenus()
{
    QMenuBar* bar = menuBar();
    const QKeySequence none;

    QMenu* pliki = bar->addMenu(QStringLiteral("&Pliki"));
    pliki->setObjectName(QStringLiteral("Pliki1"));
    addCommand(*pliki, "Nowy1", QStringLiteral("&Nowy"), none, &Tffwmain::Nowy1Click);
    pliki->addSeparator();
    addCommand(*pliki, "Odczytaj1", QStringLiteral("&Odczytaj"), QKeySequence(Qt::CTRL | Qt::Key_O),
               &Tffwmain::Odczytaj1Click);
    addCommand(*pliki, "Zapisz1", QStringLiteral("&Zapisz"), QKeySequence(Qt::CTRL | Qt::Key_Z),
               &Tffwmain::SpeedButton1Click);
    addCommand(*pliki, "Zapiszpodnownazw1", QStringLiteral("Z&apisz pod nową nazwą"),
               QKeySequence(Qt::CTRL | Qt::Key_A), &Tffwmain::Zapiszpodnownazw1Click);
    pliki->addSeparator();
    addCommand(*pliki, "Rozmnnaposzczeglneoddziay1",
               QStringLiteral("&Rozmnóż na poszczególne oddziały"), none, &Tffwmain::Rozmnoz1Click);
    pliki->addSeparator();
    addCommand(*pliki, "Drukujzaznwkz1", QStringLiteral("&Drukuj zaznaczone wykazki"),
               QKeySequence(Qt::CTRL | Qt::Key_P), &Tffwmain::SpeedButton8Click);
    pliki->addSeparator();
    addCommand(*pliki, "Koniec1", QStringLiteral("&Koniec"), none, &Tffwmain::SpeedButton9Click);

    QMenu* edycja = bar->addMenu(QStringLiteral("&Edycja"));
    edycja->setObjectName(QStringLiteral("Edycja1"));
    buildUndoCommands(*edycja);
    edycja->addSeparator();
    addCommand(*edycja, "Dodajucznia1", QStringLiteral("&Dodaj ucznia"), none,
               &Tffwmain::SpeedButton3Click);
    addCommand(*edycja, "Usucznia1", QStringLiteral("&Usuń ucznia"), none,
               &Tffwmain::SpeedButton4Click);
    edycja->addSeparator();
    addCommand(*edycja, "Edytujfrazy1", QStringLiteral("Edytuj &frazy"), none,
               &Tffwmain::SpeedButton2Click);

    // A top-level item without a submenu.
    QAction* opcje = bar->addAction(QStringLiteral("&Opcje"));
    opcje->setObjectName(QStringLiteral("Opcje1"));
    connect(opcje, &QAction::triggered, this, &Tffwmain::SpeedButton6Click);

    QMenu* pomoc = bar->addMenu(QStringLiteral("Pomoc"));
    pomoc->setObjectName(QStringLiteral("Pomoc1"));
    auto emitting = [this, pomoc](const char* name, const QString& text, void (Tffwmain::*signal)()) {
        QAction* action = pomoc->addAction(text);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, signal);
    };
    emitting("Info1", QStringLiteral("&Info"), &Tffwmain::infoRequested);
    pomoc->addSeparator();
    emitting("Spistreci1", QStringLiteral("&Spis treści"), &Tffwmain::helpContentsRequested);
    emitting("Wyszukaj1", QStringLiteral("&Wyszukaj"), &Tffwmain::helpSearchRequested);
    emitting("Jakszuka1", QStringLiteral("&Jak szukać?"), &Tffwmain::helpOnHelpRequested);
    pomoc->addSeparator();
    emitting("Kolmo051", QStringLiteral("&Kolmo'05"), &Tffwmain::aboutRequested);
}

void Tffwmain::buildUndoCommands(QMenu& menu)
{
    // Ctrl+Z stays Zapisz, as teachers know it; undo takes Alt+Backspace.
    QUndoStack& stack = context_.editor().undoStack();
    undoAction_ = menu.addAction(QString());
    undoAction_->setObjectName(QStringLiteral("Cofnij1"));
    undoAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Backspace));
    connect(undoAction_, &QAction::triggered, &stack, &QUndoStack::undo);
    redoAction_ = menu.addAction(QString());
    redoAction_->setObjectName(QStringLiteral("Ponow1"));
    redoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
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

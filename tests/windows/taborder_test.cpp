// The whole program from the keyboard: Tab visits every control of each
// window that takes focus, and comes back round.

#include "windowfixture.h"

#include "help/helpwindow.h"
#include "windows/classcheckwindow.h"
#include "windows/ffdruk.h"
#include "windows/ffopcje.h"
#include "windows/ffwfrazy.h"
#include "windows/ffwintro.h"
#include "windows/ffwlista.h"
#include "windows/ffwopcje.h"
#include "windows/ffwopis.h"
#include "windows/ffwrozmn.h"
#include "windows/importdialog.h"
#include "windows/printcardsdialog.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSet>
#include <QTest>

#include <algorithm>

namespace wykazki {

namespace {

// The controls of window a user reaches with Tab.
QSet<QWidget*> focusable(QWidget& window)
{
    QSet<QWidget*> controls;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&window) || !w->isEnabled()
            || w->window() != &window)
            continue;
        // A tab widget's tab bar takes the focus for it.
        if (w->focusProxy() != nullptr)
            continue;
        // A spin box's or combo box's own line edit stands for its owner.
        if (w->parentWidget() != nullptr
            && (qobject_cast<QAbstractSpinBox*>(w->parentWidget()) != nullptr
                || qobject_cast<QComboBox*>(w->parentWidget()) != nullptr))
            continue;
        controls.insert(w);
    }
    return controls;
}

// Presses Tab until focus comes back to where it started; the controls met.
QSet<QWidget*> tabRound(QWidget& window)
{
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    QWidget* start = QApplication::focusWidget();
    QSet<QWidget*> met;
    for (int i = 0; i < 200 && start != nullptr; ++i) {
        QWidget* now = QApplication::focusWidget();
        if (now == nullptr)
            break;
        // A spin box's line edit counts as the spin box.
        QWidget* control =
            now->parentWidget() != nullptr && qobject_cast<QAbstractSpinBox*>(now->parentWidget())
                ? now->parentWidget()
                : now;
        met.insert(control);
        QTest::keyClick(now, Qt::Key_Tab);
        if (QApplication::focusWidget() == start)
            break;
    }
    return met;
}

class TabOrderTest : public WindowTest {
protected:
    void expectEveryControlReached(QWidget& window, const char* name)
    {
        const QSet<QWidget*> met = tabRound(window);
        const QSet<QWidget*> controls = focusable(window);
        EXPECT_GE(met.size(), std::min<qsizetype>(controls.size(), 2)) << name;
        for (QWidget* control : controls)
            EXPECT_TRUE(met.contains(control))
                << name << ": " << control->metaObject()->className() << " "
                << control->objectName().toStdString() << " is never reached by Tab";
    }
};

TEST_F(TabOrderTest, everyWindowsControlsAreReachedByTab)
{
    start();
    expectEveryControlReached(window(), "main window");

    context->phraseEditor().showAtRow(0);
    expectEveryControlReached(context->phraseEditor(), "phrase editor");
    context->phraseEditor().close();

    Tffdruk& table = context->tablePrintWindow();
    table.prepare(grid(), QStringLiteral("T"));
    expectEveryControlReached(table, "table print");
    table.close();

    PrintCardsDialog& cards = context->printCardsDialog();
    cards.prepare(doc(), QString(), {0}, 0);
    expectEveryControlReached(cards, "print dialog");
    cards.close();

    Tffwopcje& options = context->optionsWindow();
    expectEveryControlReached(options, "options");
    options.close();

    context->perTeacherFiles().open();
    expectEveryControlReached(context->perTeacherFiles(), "per-teacher files");
    context->perTeacherFiles().close();

    Tffopcje& gridOptions = context->gridOptionsWindow();
    gridOptions.prepare(grid(), Tffopcje::Mode::UniformSizes);
    expectEveryControlReached(gridOptions, "grid options");
    gridOptions.close();

    ClassCheckWindow& check = context->classCheckWindow();
    check.showFindings(doc(), {}, doc().pupils().count(), 0);
    expectEveryControlReached(check, "class check");
    check.close();

    ImportSource source;
    source.isText = true;
    source.read = [](ImportSource::Encoding, int, QString*) {
        SheetTable sheet;
        sheet.rows = {{QStringLiteral("Imię i nazwisko"), QStringLiteral("Matematyka")},
                      {QStringLiteral("Jan Nowak"), QStringLiteral("5")}};
        return sheet;
    };
    ImportDialog import(doc(), QStringLiteral("klasa.csv"), std::move(source), &window());
    expectEveryControlReached(import, "import");
}

TEST_F(TabOrderTest, theEditorsViewersAndChoosersControlsAreReachedByTab)
{
    start();
    // The long-text editor is one text box: Tab has nowhere else to go in
    // it and types no TAB into the pupil's text.
    selectCell(1, kRemarks);
    window().longTextSwitch().click();
    Tffwopis& longText = context->opis();
    longText.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&longText));
    longText.memo().setFocus();
    const std::string before = value(1, kRemarks).text;
    QTest::keyClick(&longText.memo(), Qt::Key_Tab);
    EXPECT_EQ(value(1, kRemarks).text, before);
    EXPECT_FALSE(longText.memo().toPlainText().contains(QLatin1Char('\t')));
    window().longTextSwitch().click();

    Tffwlista& pictures = context->pictureChooser();
    expectEveryControlReached(pictures, "picture chooser");
    pictures.close();

    Tffintro& info = context->infoWindow();
    expectEveryControlReached(info, "information");
    info.close();

    context->setHelpFactory(
        [](const QString& collection) { return std::make_unique<HelpWindow>(collection); });
    HelpWindow& help = dynamic_cast<HelpWindow&>(context->helpWindow());
    expectEveryControlReached(help, "help");
    help.close();
}

}  // namespace

}  // namespace wykazki

// The start makes only the main window; the others are made when first
// used, and a window never made gives back the rectangle and grid layout
// its class file brought exactly as they were read.

#include "windowfixture.h"

#include "document/classfile.h"
#include "document/phrasecolumns.h"
#include "windows/ffdruk.h"
#include "windows/ffkolmo.h"
#include "windows/ffopcje.h"
#include "windows/ffwerr.h"
#include "windows/ffwfrazy.h"
#include "windows/ffwintro.h"
#include "windows/ffwlista.h"
#include "windows/ffwopcje.h"
#include "windows/ffwopis.h"
#include "windows/ffwpodglad.h"
#include "windows/ffwrozmn.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>

namespace wykazki {

namespace {

// How many windows of the program's own kinds exist besides the main window.
int otherWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::allWidgets()) {
        if (qobject_cast<Tffwfrazy*>(w) || qobject_cast<Tffwerr*>(w)
            || qobject_cast<Tffwpodglad*>(w) || qobject_cast<Tffwopcje*>(w)
            || qobject_cast<Tffwrozmn*>(w) || qobject_cast<Tffwlista*>(w)
            || qobject_cast<Tffwopis*>(w) || qobject_cast<Tffintro*>(w)
            || qobject_cast<Tffkolmo*>(w) || qobject_cast<Tffdruk*>(w)
            || qobject_cast<Tffopcje*>(w))
            ++count;
    }
    return count;
}

TEST_F(WindowTest, theStartMakesNoWindowButTheMainOne)
{
    start();
    EXPECT_EQ(otherWindows(), 0);
    // Switching the long-text editor on makes it; the phrase editor comes
    // with its command.
    window().longTextSwitch().click();
    EXPECT_EQ(otherWindows(), 1);
    EXPECT_TRUE(context->opis().isVisible());
    action(window(), "Edytujfrazy1")->trigger();
    EXPECT_EQ(otherWindows(), 2);
    EXPECT_TRUE(context->phraseEditor().isVisible());
}

// Stored values a window, once made, would not give back as they are.
struct StoredScreen {
    const char* name;
    std::function<void(ScreenLayout&)> change;
};

class NeverMadeWindow : public WindowTest, public ::testing::WithParamInterface<StoredScreen> {};

TEST_P(NeverMadeWindow, keepsWhatTheClassFileStoredThroughASave)
{
    ClassFileContents stored = sampleClass();
    GetParam().change(stored.screen);
    writeClass(QStringLiteral("Przyklad.wkz"), stored);
    start(false);
    modify();
    action(window(), "Zapisz1")->trigger();
    ASSERT_FALSE(editor().isModified());

    const ClassFileContents back = readClassFileAt(
        QFile::encodeName(folder.filePath(QStringLiteral("Przyklad.wkz"))).toStdString());
    EXPECT_EQ(back.screen.phraseEditor, stored.screen.phraseEditor);
    EXPECT_EQ(back.screen.phraseGrid, stored.screen.phraseGrid);
    EXPECT_EQ(back.screen.preview, stored.screen.preview);
    EXPECT_EQ(back.screen.printOptions, stored.screen.printOptions);
    EXPECT_EQ(back.screen.tablePrint, stored.screen.tablePrint);
    EXPECT_EQ(otherWindows(), 0);
}

INSTANTIATE_TEST_SUITE_P(Stored, NeverMadeWindow,
                         ::testing::Values(
                             // Smaller than the phrase editor's controls need.
                             StoredScreen{"tooSmallForItsControls",
                                          [](ScreenLayout& s) {
                                              s.phraseEditor = {5, 5, 45, 35};
                                          }},
                             // On no screen of this computer.
                             StoredScreen{"offEveryScreen",
                                          [](ScreenLayout& s) {
                                              s.phraseEditor = {-30000, -30000, -29000, -29200};
                                          }},
                             // Three columns and a row for a grid of ten columns and five phrases.
                             StoredScreen{"gridOfOtherSizes",
                                          [](ScreenLayout& s) {
                                              s.phraseGrid.fontName = "Nie Ma Takiej";
                                              s.phraseGrid.fontSize = 3;
                                              s.phraseGrid.columnWidths = {7, 8, 9};
                                              s.phraseGrid.rowHeights = {2};
                                          }},
                             StoredScreen{"dialogsPlacedByTheWindowSystem",
                                          [](ScreenLayout& s) {
                                              s.preview = {11, 12, 13, 14};
                                              s.printOptions = {-1, -2, 3, 4};
                                              s.tablePrint = {100, 200, 50, 60};
                                          }}),
                         [](const ::testing::TestParamInfo<StoredScreen>& row) {
                             return std::string(row.param.name);
                         });

// Made after a read, the phrase editor takes what the read brought; with
// nothing read, a save stores the editor's own first rectangle and grid.
TEST_F(WindowTest, aPhraseEditorMadeLaterTakesTheReadLayoutAndWithoutOneItsOwn)
{
    start();
    action(window(), "Edytujfrazy1")->trigger();
    EXPECT_EQ(context->phraseEditor().size(), QSize(302, 402));
    EXPECT_EQ(context->phraseEditor().grid().Ilx(), kPhraseEditorColumns);

    // A second program's start with no sample to read.
    markSaved();
    context.reset();
    const QTemporaryDir empty;
    auto fake = std::make_unique<FakeDialogs>();
    dialogs = fake.get();
    context = std::make_unique<ProgramContext>(
        QFile::encodeName(empty.path() + QLatin1Char('/')).toStdString(), std::move(fake));
    start(false);
    dialogs->saveAnswers.push_back(folder.filePath(QStringLiteral("nowa.wkz")));
    action(window(), "Zapiszpodnownazw1")->trigger();
    const ClassFileContents back = readClassFileAt(
        QFile::encodeName(folder.filePath(QStringLiteral("nowa.wkz"))).toStdString());
    EXPECT_FALSE(back.screen.phraseEditor.isNull());
    EXPECT_EQ(back.screen.phraseGrid, context->phraseEditor().grid().gridLayout());
    EXPECT_EQ(back.screen.phraseGrid.columnWidths.size(), std::size_t(kPhraseEditorColumns + 1));
}

}  // namespace

}  // namespace wykazki

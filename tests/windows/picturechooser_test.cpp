// The picture chooser on a folder of its own: the sorted list, the prefix
// filter typed with Polish letters, and every way of closing.

#include "document/cp1250.h"
#include "grid/celledi.h"
#include "qtbridge/cp1250text.h"
#include "windows/ffwlista.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace wykazki {

namespace {

std::string cp(const char* utf8)
{
    return cp1250::fromUtf8(utf8).value();
}

class PictureChooserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (const char* name : {"Łódź.bmp", "łąka.bmp", "Godło.bmp", "godlo2.bmp", "zebra.bmp",
                                 "notatki.txt", "GRUBY.BMP"}) {
            QFile file(folder.filePath(QString::fromUtf8(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }

    // Opens the chooser on name; while it is open, runs inside on it.
    bool choose(std::string& name, const std::function<void(Tffwlista&)>& inside)
    {
        Tffwlista chooser(QFile::encodeName(folder.path() + QLatin1Char('/')).toStdString());
        QTimer::singleShot(0, [&chooser, inside] { inside(chooser); });
        return chooser.chooseFromList(0, name);
    }
    static void type(Tffwlista& chooser, Qt::Key key, const QString& text = QString())
    {
        QTest::sendKeyEvent(QTest::Click, &chooser.grid(), key, text, Qt::NoModifier);
    }

    QTemporaryDir folder;
};

}  // namespace

TEST_F(PictureChooserTest, listsTheBitmapsSortedAndNarrowsThemByATypedPrefix)
{
    std::string name = "stary.bmp";
    const bool chosen = choose(name, [](Tffwlista& chooser) {
        EXPECT_EQ(chooser.windowTitle(), QStringLiteral("Pliki z obrazami"));
        EXPECT_EQ(chooser.fileList(),
                  (std::vector<std::string>{"godlo2.bmp", cp("Godło.bmp"), "GRUBY.BMP",
                                            cp("łąka.bmp"), cp("Łódź.bmp"), "zebra.bmp"}));
        const struct {
            Qt::Key key;
            const char* text;
            const char* filter;
            std::vector<std::string> shown;
        } steps[] = {
            {Qt::Key_G, "G", "G", {"godlo2.bmp", cp("Godło.bmp"), "GRUBY.BMP"}},
            {Qt::Key_O, "o", "Go", {"godlo2.bmp", cp("Godło.bmp")}},
            {Qt::Key_D, "d", "God", {"godlo2.bmp", cp("Godło.bmp")}},
            {Qt::Key_L, "l", "God", {"godlo2.bmp", cp("Godło.bmp")}},  // a fourth: ignored
            {Qt::Key_Backspace, "\b", "Go", {"godlo2.bmp", cp("Godło.bmp")}},
            {Qt::Key_X, "x", "Gox", {}},
            {Qt::Key_Delete, "", "", {}},
            {Qt::Key_L, "Ł", "Ł", {cp("łąka.bmp"), cp("Łódź.bmp")}},
            {Qt::Key_O, "ó", "Łó", {cp("Łódź.bmp")}},
            {Qt::Key_Period, ".", "", {}},
            {Qt::Key_Z, "z", "z", {"zebra.bmp"}},
            {Qt::Key_AsciiTilde, "~", "", {}},
        };
        for (const auto& step : steps) {
            type(chooser, step.key, QString::fromUtf8(step.text));
            EXPECT_EQ(chooser.filter(), cp(step.filter)) << step.text;
            const auto expected =
                step.shown.empty() && chooser.filter().empty() ? chooser.fileList() : step.shown;
            EXPECT_EQ(chooser.shownNames(), expected) << step.text;
            EXPECT_EQ(chooser.grid().Ily(), std::max<int>(int(expected.size()), 1)) << step.text;
        }
        EXPECT_EQ(chooser.filterPanel().text(), QStringLiteral("Filtr:  "));
        type(chooser, Qt::Key_L, QStringLiteral("ł"));
        EXPECT_EQ(chooser.filterPanel().text(), QStringLiteral("Filtr: ł "));
        chooser.grid().setPozY(1);
        type(chooser, Qt::Key_Return);
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(name, cp("Łódź.bmp"));  // with its extension
}

// Every way of leaving the window: only a choice replaces the name.
TEST_F(PictureChooserTest, escapeAndTheCloseBoxCancelEnterAndAClickChoose)
{
    const struct {
        const char* way;
        std::function<void(Tffwlista&)> leave;
        bool chosen;
        std::string name;
    } ways[] = {
        {"Escape", [](Tffwlista& chooser) { type(chooser, Qt::Key_Escape); }, false, "stary.bmp"},
        {"close box", [](Tffwlista& chooser) { chooser.close(); }, false, "stary.bmp"},
        {"Enter",
         [](Tffwlista& chooser) {
             chooser.grid().setPozY(2);
             type(chooser, Qt::Key_Return);
         },
         true, "GRUBY.BMP"},
        {"click",
         [](Tffwlista& chooser) {
             TCellEdi& grid = chooser.grid();
             grid.setPozY(5);
             QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.cellRect(1, 6).center());
         },
         true, "zebra.bmp"},
    };
    for (const auto& way : ways) {
        std::string name = "stary.bmp";
        EXPECT_EQ(choose(name,
                         [&way](Tffwlista& chooser) {
                             EXPECT_TRUE(chooser.filter().empty());  // every opening afresh
                             way.leave(chooser);
                         }),
                  way.chosen)
            << way.way;
        EXPECT_EQ(name, way.name) << way.way;
    }
}

// PNG and JPEG files are listed beside the bitmaps, and the list opens on
// the picture the cell or phrase has now.
TEST_F(PictureChooserTest, listsPngAndJpegAndOpensOnTheCurrentPicture)
{
    for (const char* name : {"foto.PNG", "skan.jpg", "skan2.JPEG", "rys.gif"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const struct {
        const char* current;
        const char* shown;  // the row under the cursor at opening
    } cases[] = {
        {"zebra.bmp", "zebra.bmp"},   {"ZEBRA", "zebra.bmp"},   {"godło.BMP", "Godło.bmp"},
        {"skan2.jpeg", "skan2.JPEG"}, {"brak.bmp", "foto.PNG"}, {"", "foto.PNG"},
    };
    for (const auto& c : cases) {
        std::string name = cp(c.current);
        choose(name, [&c](Tffwlista& chooser) {
            EXPECT_EQ(chooser.fileList(),
                      (std::vector<std::string>{"foto.PNG", "godlo2.bmp", cp("Godło.bmp"),
                                                "GRUBY.BMP", cp("łąka.bmp"), cp("Łódź.bmp"),
                                                "skan.jpg", "skan2.JPEG", "zebra.bmp"}));
            const auto row = static_cast<std::size_t>(chooser.grid().PozY());
            EXPECT_EQ(chooser.shownNames().at(row), cp(c.shown)) << c.current;
            type(chooser, Qt::Key_Escape);
        });
    }
}

TEST_F(PictureChooserTest, choosingWhileNothingIsListedChangesNothing)
{
    std::string name = "stary.bmp";
    EXPECT_FALSE(choose(name, [](Tffwlista& chooser) {
        type(chooser, Qt::Key_Q, QStringLiteral("q"));
        TTekstOczka ato;
        chooser.grid().owner()->cellText(chooser.grid(), 0, 0, ato);
        EXPECT_EQ(ato.tekst[0], "........");
        type(chooser, Qt::Key_Enter);
    }));
    EXPECT_EQ(name, "stary.bmp");

    // An empty folder: one "........" row, and choosing keeps the name.
    for (const QString& file : QDir(folder.path()).entryList(QDir::Files))
        QFile::remove(folder.filePath(file));
    EXPECT_FALSE(choose(name, [](Tffwlista& chooser) {
        EXPECT_TRUE(chooser.fileList().empty());
        EXPECT_EQ(chooser.grid().Ily(), 1);
        type(chooser, Qt::Key_Return);
    }));
    EXPECT_EQ(name, "stary.bmp");
}

// A folder of more pictures than the list shows says so and how to reach
// the others; a name with a line break shows the break as a mark.
TEST_F(PictureChooserTest, aHugeFolderSaysHowManyAreShownAndBreaksAreMarked)
{
    for (int i = 0; i < 5100; ++i) {
        QFile file(folder.filePath(QStringLiteral("p%1.bmp").arg(i, 5, 10, QLatin1Char('0'))));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QFile broken(folder.filePath(QStringLiteral("a\nb.bmp")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    std::string name;
    choose(name, [](Tffwlista& chooser) {
        EXPECT_FALSE(chooser.limitLine().isHidden());
        EXPECT_EQ(chooser.limitLine().text(),
                  QStringLiteral("Pokazano 4999 z 5107 plików — wpisz początek nazwy"));
        TTekstOczka ato(0, TJustTyp::Lewo);
        chooser.grid().owner()->cellText(chooser.grid(), 0, 0, ato);
        EXPECT_EQ(ato.tekst[0], "a\xB6"
                                "b.bmp");
        // Narrowed by a typed prefix, every file shows and the line goes.
        type(chooser, Qt::Key_P, QStringLiteral("p"));
        type(chooser, Qt::Key_0, QStringLiteral("0"));
        type(chooser, Qt::Key_1, QStringLiteral("1"));
        EXPECT_TRUE(chooser.limitLine().isHidden());
        type(chooser, Qt::Key_Escape);
    });
}

}  // namespace wykazki

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

TEST_F(PictureChooserTest, escapeCancelsTheCloseBoxKeepsTheNameAClickChooses)
{
    std::string name = "stary.bmp";
    EXPECT_FALSE(choose(name, [](Tffwlista& chooser) { type(chooser, Qt::Key_Escape); }));
    EXPECT_EQ(name, "stary.bmp");

    EXPECT_TRUE(choose(name, [](Tffwlista& chooser) {
        EXPECT_TRUE(chooser.filter().empty());  // every opening starts afresh
        chooser.close();
    }));
    EXPECT_EQ(name, "stary.bmp");

    EXPECT_TRUE(choose(name, [](Tffwlista& chooser) {
        TCellEdi& grid = chooser.grid();
        grid.setPozY(5);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.cellRect(1, 6).center());
    }));
    EXPECT_EQ(name, "zebra.bmp");
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

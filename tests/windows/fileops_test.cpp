// The file module's pieces that need no main window interaction: dialog
// filters, the copy under a given name, picture lookup and the hourglass.

#include "windowfixture.h"

#include "document/classfile.h"
#include "windows/closa.h"
#include "windows/dialogs.h"
#include "windows/klepsydrkursor.h"

#include <QFile>
#include <QImage>
#include <QTest>
#include <QWidget>

namespace wykazki {

TEST(FileDialogFilter, turnsDescriptionPatternPairsIntoQtFilters)
{
    EXPECT_EQ(qtFileFilter(Tclosa::kOpenFilter),
              QStringLiteral("Pliki świadectw (*.wkz);;Wszystkie pliki (*)"));
    EXPECT_EQ(qtFileFilter(Tclosa::kSaveFilter), QStringLiteral("Pliki świadectw (*.wkz)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("Tekst|*.txt;*.csv")),
              QStringLiteral("Tekst (*.txt *.csv)"));
    EXPECT_EQ(qtFileFilter(QStringLiteral("bez wzorca")), QString());
}

TEST(Hourglass, showsTheWaitCursorAndPutsTheOldOneBack)
{
    QWidget window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        KlepsydrKursor outer;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        try {
            KlepsydrKursor inner;
            throw std::runtime_error("read failed");
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Hourglass, waitsForAWindowOnTheScreen)
{
    {
        KlepsydrKursor beforeTheFirstFrame;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(WindowTest, saveCopyAsWritesIntoTheProgramFolderAndKeepsTheCurrentName)
{
    start();
    const QString current = context->closa().saveFileName();
    ASSERT_TRUE(context->closa().saveCopyAs("3a"));
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("3a.wkz"))));
    EXPECT_EQ(context->closa().saveFileName(), current);
    const ClassFileContents copy =
        readClassFileAt(QFile::encodeName(folder.filePath(QStringLiteral("3a.wkz"))).toStdString());
    EXPECT_EQ(copy.pupils, doc().pupils());
}

TEST_F(WindowTest, picturesAreLookedUpInTheProgramFolder)
{
    QImage logo(4, 3, QImage::Format_RGB32);
    logo.fill(Qt::red);
    ASSERT_TRUE(logo.save(folder.filePath(QStringLiteral("logo.bmp")), "BMP"));
    ASSERT_TRUE(logo.save(folder.filePath(QStringLiteral("a.png")), "PNG"));
    ASSERT_TRUE(logo.save(folder.filePath(QStringLiteral("b.JPEG")), "JPEG"));

    QImage picture;
    EXPECT_TRUE(context->closa().loadPicture("logo", picture));
    EXPECT_EQ(picture.size(), QSize(4, 3));
    EXPECT_TRUE(context->closa().loadPicture("a.png", picture));
    EXPECT_TRUE(context->closa().loadPicture("b.JPEG", picture));  // no ".bmp" added

    QImage untouched(1, 1, QImage::Format_RGB32);
    EXPECT_FALSE(context->closa().loadPicture("brak", untouched));
    EXPECT_EQ(untouched.size(), QSize(1, 1));
}

}  // namespace wykazki

// Tffwrozmn: copies of the open class file under typed names.

#include "windowfixture.h"

#include "document/classfile.h"
#include "windows/closa.h"
#include "windows/ffwrozmn.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QTest>

namespace {

class PerTeacherTest : public WindowTest {
protected:
    Tffwrozmn& rozmn() { return context->perTeacherFiles(); }
    TCellEdi& names() { return rozmn().grid(); }

    // Dodaj nazwę pliku, then the name typed into the new row.
    void addName(const char* typed)
    {
        QTest::mouseClick(&rozmn().speedButton(1), Qt::LeftButton);
        QTest::keyClicks(&names(), QString::fromUtf8(typed));
    }
    QStringList classFiles() const
    {
        return QDir(folder.path()).entryList({QStringLiteral("*.wkz")}, QDir::Files, QDir::Name);
    }
    ClassFileContents readBack(const char* name)
    {
        return readClassFileAt(
            QFile::encodeName(folder.filePath(QLatin1String(name))).toStdString());
    }
};

TEST_F(PerTeacherTest, namesGiveOneCopyEachAndTheOpenFileStays)
{
    start();
    modify();
    rozmn().open();
    addName("1a");
    addName("");
    addName("1b");
    ASSERT_EQ(rozmn().names().size(), 3u);
    QTest::mouseClick(&rozmn().speedButton(3), Qt::LeftButton);

    EXPECT_EQ(classFiles(), (QStringList{QStringLiteral("1a.wkz"), QStringLiteral("1b.wkz"),
                                         QStringLiteral("Przyklad.wkz")}));
    for (const char* copy : {"1a.wkz", "1b.wkz"}) {
        SCOPED_TRACE(copy);
        ClassFileContents expected = doc().contents();
        const ClassFileContents read = readBack(copy);
        expected.version = read.version;
        EXPECT_EQ(read, expected);
    }
    EXPECT_EQ(rozmn().statusText(), QStringLiteral("Zapisano plików: 2, nieudanych: 0."));
    EXPECT_TRUE(doc().ogolne().modified());

    // Zapisz still writes the file that was open.
    setGrade(0, kMaths, 5);
    QTest::mouseClick(&window().speedButton(1), Qt::LeftButton);
    EXPECT_EQ(readBack("Przyklad.wkz").dokumenty.value(0, kMaths).grade, 5);
    EXPECT_NE(readBack("1a.wkz").dokumenty.value(0, kMaths).grade, 5);
}

TEST_F(PerTeacherTest, namesThatAreNoFileNamesAreRefused)
{
    const struct {
        const char* name;
        bool refused;
    } cases[] = {
        {"../x", true}, {"a/b", true},  {"a\\b", true}, {".", true},    {"..", true},
        {"   ", true},  {"a\tb", true}, {"1a", false},  {"..a", false}, {"klasa 2b", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tffwrozmn::refusal(cp(c.name)).has_value(), c.refused) << c.name;

    start();
    rozmn().open();
    addName("../x");
    addName("2c");
    QTest::mouseClick(&rozmn().speedButton(3), Qt::LeftButton);
    EXPECT_EQ(classFiles(),
              (QStringList{QStringLiteral("2c.wkz"), QStringLiteral("Przyklad.wkz")}));
    QDir above(folder.path());
    above.cdUp();
    EXPECT_FALSE(above.exists(QStringLiteral("x.wkz")));
    EXPECT_TRUE(
        rozmn().statusText().startsWith(QStringLiteral("Zapisano plików: 1, nieudanych: 0.")));
    EXPECT_TRUE(rozmn().statusText().contains(QStringLiteral("\"../x\"")));
}

TEST_F(PerTeacherTest, aFailedWriteIsReportedAndTheNextNameStillWritten)
{
    start();
    // A folder where the copy should go: the write fails.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("zajety.wkz")));
    rozmn().open();
    addName("zajety");
    addName("3a");
    QTest::mouseClick(&rozmn().speedButton(3), Qt::LeftButton);
    EXPECT_EQ(dialogs->errors.size(), 1u);
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("3a.wkz"))));
    EXPECT_EQ(rozmn().statusText(), QStringLiteral("Zapisano plików: 1, nieudanych: 1."));
}

TEST_F(PerTeacherTest, gridFollowsTheListAndTypingFillsTheSelectedRows)
{
    start();
    rozmn().open();
    // Empty: one row of dots, typing and Twórz do nothing.
    EXPECT_EQ(names().Ily(), 1);
    TTekstOczka ato(names().OczkoKolor(), TJustTyp::Lewo);
    names().owner()->cellText(names(), 0, 0, ato);
    EXPECT_EQ(ato.tekst[0], "........");
    QTest::keyClicks(&names(), QStringLiteral("ab"));
    EXPECT_TRUE(rozmn().names().empty());
    QTest::mouseClick(&rozmn().speedButton(3), Qt::LeftButton);
    EXPECT_EQ(classFiles(), QStringList{QStringLiteral("Przyklad.wkz")});

    for (int i = 0; i < 4; ++i)
        addName("");
    EXPECT_EQ(names().Ily(), 4);
    names().setPozY(0);
    names().selectRange(GridRect{1, 1, 1, 3});
    // Typed as the keyboard delivers Polish letters: events carrying text.
    for (const QChar c : QString::fromUtf8("3ć-bardzo-długa-nazwa-pliku")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(&names(), &press);
    }
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(rozmn().names()[i].tekst, cp("3ć-bardzo-długa-nazw"))
            << i;  // 20 characters at most
    EXPECT_EQ(rozmn().names()[3].tekst, "");

    // Usuń removes the current row only.
    names().setPozY(1);
    QTest::mouseClick(&rozmn().speedButton(2), Qt::LeftButton);
    EXPECT_EQ(rozmn().names().size(), 3u);
    EXPECT_EQ(names().Ily(), 3);

    // The list outlives the window.
    QTest::mouseClick(&rozmn().speedButton(4), Qt::LeftButton);
    EXPECT_FALSE(rozmn().isVisible());
    rozmn().open();
    EXPECT_EQ(rozmn().names().size(), 3u);
    EXPECT_EQ(names().Ily(), 3);
}

}  // namespace

// Tffwrozmn: copies of the open class file under typed names.

#include "windowfixture.h"

#include "document/classfile.h"
#include "windows/closa.h"
#include "windows/ffwrozmn.h"
#include "windows/jobprogress.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

namespace wykazki {

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
    EXPECT_TRUE(dialogs->questions.empty());  // nothing to replace: no question
    EXPECT_EQ(rozmn().statusText(), QStringLiteral("Zapisano plików: 2, nieudanych: 0, w folderze ")
                                        + folder.path() + QStringLiteral("."));
    EXPECT_TRUE(editor().isModified());

    // Zapisz still writes the file that was open.
    setGrade(0, kMaths, 5);
    QTest::mouseClick(&window().speedButton(1), Qt::LeftButton);
    EXPECT_EQ(readBack("Przyklad.wkz").pupils.value(0, kMaths).grade, 5);
    EXPECT_NE(readBack("1a.wkz").pupils.value(0, kMaths).grade, 5);
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
        rozmn().statusText().startsWith(QStringLiteral("Zapisano plików: 1, nieudanych: 0,")));
    EXPECT_TRUE(rozmn().statusText().contains(QStringLiteral("\"../x\"")));
}

// However many copies fail, one window names each and says why; the
// other names are still written.
TEST_F(PerTeacherTest, failedWritesAreSummedUpInOneWindow)
{
    start();
    // Folders where the copies should go: those writes fail.
    for (const char* busy : {"zajety.wkz", "drugi.wkz", "trzeci.wkz"})
        ASSERT_TRUE(QDir(folder.path()).mkdir(QLatin1String(busy)));
    rozmn().open();
    for (const char* name : {"zajety", "3a", "drugi", "trzeci"})
        addName(name);
    dialogs->chooseAnswers.push_back(0);  // replace what is there
    JobProgress::setDelayMs(0);
    QTest::mouseClick(&rozmn().speedButton(3), Qt::LeftButton);
    JobProgress::setDelayMs(500);
    EXPECT_TRUE(dialogs->errors.empty());
    ASSERT_EQ(dialogs->questions.size(), 1u);
    // The progress of the copies is gone: it would cover the summary.
    EXPECT_FALSE(dialogs->questions.back().overProgress);
    const QString summary = dialogs->questions.back().text;
    EXPECT_TRUE(summary.startsWith(QStringLiteral("Nie zapisano plików: 3\n")))
        << summary.toStdString();
    for (const char* name : {"zajety.wkz: ", "drugi.wkz: ", "trzeci.wkz: "})
        EXPECT_TRUE(summary.contains(QLatin1String(name))) << name;
    EXPECT_EQ(dialogs->questions.back().buttons, QStringList{QStringLiteral("OK")});
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("3a.wkz"))));
    EXPECT_TRUE(
        rozmn().statusText().startsWith(QStringLiteral("Zapisano plików: 1, nieudanych: 3,")));
}

// Files already there are replaced only when the teacher says so, and the
// open class's own file never from this window.
struct ExistingCopies {
    int answer;  // Tak, Pomiń istniejące, Anuluj
    bool replaced;
    bool newWritten;
    const char* status;
};

class ExistingCopiesTest : public PerTeacherTest,
                           public ::testing::WithParamInterface<ExistingCopies> {};

TEST_P(ExistingCopiesTest, areListedInOneQuestionAndTheOpenClassIsNeverReplaced)
{
    const ExistingCopies& row = GetParam();
    ClassFileContents other = sampleClass();
    other.phrases[kName].name = "Inny";
    writeClass(QStringLiteral("7b.wkz"), other);
    writeClass(QStringLiteral("8a.wkz"), other);
    start();
    modify();
    const auto bytes = [this](const char* name) {
        QFile file(folder.filePath(QLatin1String(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray sample = bytes("Przyklad.wkz");
    const QByteArray old = bytes("7b.wkz");
    rozmn().open();
    for (const char* name : {"Przyklad", "7b", "9c", "8a", "7b"})
        addName(name);
    dialogs->chooseAnswers.push_back(row.answer);
    QTest::mouseClick(&rozmn().speedButton(3), Qt::LeftButton);

    ASSERT_EQ(dialogs->questions.size(), 1u);
    EXPECT_EQ(dialogs->questions[0].text,
              QStringLiteral("Zastąpić istniejące pliki: 7b.wkz, 8a.wkz?"));
    EXPECT_EQ(dialogs->questions[0].buttons,
              (QStringList{QStringLiteral("Tak"), QStringLiteral("Pomiń istniejące"),
                           QStringLiteral("Anuluj")}));
    EXPECT_EQ(bytes("Przyklad.wkz"), sample);
    EXPECT_EQ(bytes("7b.wkz") != old, row.replaced);
    EXPECT_EQ(QFile::exists(folder.filePath(QStringLiteral("9c.wkz"))), row.newWritten);
    EXPECT_EQ(rozmn().statusText(), QString::fromUtf8(row.status).arg(folder.path()));
    EXPECT_TRUE(editor().isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ExistingCopiesTest,
    ::testing::Values(
        ExistingCopies{0, true, true,
                       "Zapisano plików: 4, nieudanych: 0, w folderze %1. Nie zastąpiono pliku "
                       "otwartej klasy: Przyklad.wkz."},
        ExistingCopies{1, false, true,
                       "Zapisano plików: 1, nieudanych: 0, w folderze %1. Pominięto istniejące: "
                       "7b.wkz, 8a.wkz. Nie zastąpiono pliku otwartej klasy: Przyklad.wkz."},
        ExistingCopies{2, false, false, "Anulowano: nie zapisano żadnego pliku."}));

// The summary wraps in the narrowest window rather than being cut.
TEST_F(PerTeacherTest, theSummaryIsShownWhole)
{
    start();
    rozmn().open();
    rozmn().resize(rozmn().minimumSize());
    for (const char* name : {"Przyklad", "klasa-pierwsza-a", "klasa-pierwsza-b", "../x"})
        addName(name);
    QTest::mouseClick(&rozmn().speedButton(3), Qt::LeftButton);
    QApplication::processEvents();
    auto* status = rozmn().findChild<QLabel*>(QStringLiteral("StatusBar1"));
    ASSERT_NE(status, nullptr);
    EXPECT_TRUE(status->text().contains(folder.path()));
    EXPECT_GE(status->height(), status->heightForWidth(status->width()));
    EXPECT_LE(status->sizeHint().width(), rozmn().width());
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

}  // namespace wykazki

// Saving never goes silently over another copy's file, a file changed on
// disk since it was read, or a read-only file; names are the file
// system's bytes, whatever they are.

#include "windowfixture.h"

#include "document/classfile.h"
#include "qtbridge/classfilelock.h"
#include "windows/closa.h"
#include "windows/ffwlista.h"
#include "windows/programcontext.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace wykazki {

namespace fs = std::filesystem;

namespace {

std::string bytesOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

const QString kTak = QStringLiteral("&Tak");
const QString kCancel = QStringLiteral("Anuluj");

class GuardedSave : public WindowTest {
protected:
    std::string sample()
    {
        return QFile::encodeName(folder.filePath(QStringLiteral("Przyklad.wkz"))).toStdString();
    }

    // A second copy of the program over the same program folder, which
    // answers the lock's question with answer (0 Tak, 1 Nie).
    std::unique_ptr<ProgramContext> secondCopy(int answer, FakeDialogs*& fake)
    {
        auto owned = std::make_unique<FakeDialogs>();
        fake = owned.get();
        fake->chooseAnswers.push_back(answer);
        auto second = std::make_unique<ProgramContext>(
            QFile::encodeName(folder.path() + QLatin1Char('/')).toStdString(), std::move(owned));
        second->mainWindow().show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&second->mainWindow()));
        return second;
    }
};

}  // namespace

TEST_F(GuardedSave, aSecondCopyAsksAndOpensTheLockedFileOnlyReadOnly)
{
    start();
    for (const int answer : {1, 0}) {
        SCOPED_TRACE(answer);
        FakeDialogs* fake = nullptr;
        const auto second = secondCopy(answer, fake);
        ASSERT_EQ(fake->questions.size(), 1u);
        const QString& asked = fake->questions[0].text;
        EXPECT_TRUE(
            asked.startsWith(QStringLiteral("Ten plik jest już otwarty w innym oknie programu (")))
            << asked.toStdString();
        EXPECT_TRUE(asked.endsWith(QStringLiteral("). Otworzyć tylko do odczytu?")));
        EXPECT_TRUE(asked.contains(QStringLiteral(", od "))) << asked.toStdString();
        EXPECT_EQ(fake->questions[0].buttons, (QStringList{kTak, QStringLiteral("&Nie")}));
        EXPECT_EQ(second->openFile().isOpen(), answer == 0);
        EXPECT_EQ(second->mainWindow().statusText().contains(QStringLiteral("tylko do odczytu")),
                  answer == 0);
    }
}

// The start's lock is tried while the windows are made; what the read
// then does is what it does with a lock it tries itself, and a lock taken
// ahead for another file than the one read is let go.
TEST_F(GuardedSave, aLockTakenAheadOfTheStartActsAsOneTheReadTakes)
{
    writeClass(QStringLiteral("Przyklad.wkz"), sampleClass());
    const std::string other =
        QFile::encodeName(folder.filePath(QStringLiteral("Inna.wkz"))).toStdString();
    const struct {
        const char* name;
        bool heldByAnother;
        bool aheadForAnotherFile;
    } cases[] = {{"free", false, false}, {"held", true, false}, {"anotherFile", false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ClassFileLock> first;
        if (c.heldByAnother) {
            first = std::make_unique<ClassFileLock>(sample());
            ASSERT_EQ(first->tryLock(), ClassFileLock::State::Locked);
        }
        auto owned = std::make_unique<FakeDialogs>();
        FakeDialogs* fake = owned.get();
        fake->chooseAnswers.push_back(1);  // Nie: not read-only
        ProgramContext copy(QFile::encodeName(folder.path() + QLatin1Char('/')).toStdString(),
                            std::move(owned));
        copy.closa().setStartFile(
            {}, std::make_unique<PendingClassFileLock>(
                    c.aheadForAnotherFile ? other : Tclosa::startPath(copy.programFolder(), {})));
        copy.mainWindow().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&copy.mainWindow()));

        EXPECT_EQ(fake->questions.size(), c.heldByAnother ? 1u : 0u);
        EXPECT_EQ(copy.openFile().isOpen(), !c.heldByAnother);
        EXPECT_EQ(copy.openFile().holdsLock(), !c.heldByAnother);
        EXPECT_FALSE(fs::exists(ClassFileLock::lockPathFor(other)));
        copy.editor().markSaved();
    }
}

TEST_F(GuardedSave, aReadOnlyCopySavesOnlyUnderANewNameUntilTheFirstLetsGo)
{
    start();
    const std::string before = bytesOf(sample());
    FakeDialogs* fake = nullptr;
    const auto second = secondCopy(0, fake);
    second->editor().setCells(QStringLiteral("test"),
                              {{0, kRemarks, ValueField::Text, std::string("druga kopia")}});

    // Cancelled: the file stays the first copy's.
    fake->chooseAnswers.push_back(1);
    EXPECT_FALSE(second->closa().save());
    ASSERT_EQ(fake->questions.size(), 2u);
    EXPECT_TRUE(fake->questions[1].text.startsWith(
        QStringLiteral("Ten plik jest otwarty tylko do odczytu")));
    EXPECT_EQ(fake->questions[1].buttons, (QStringList{Tclosa::kSaveUnderNewName, kCancel}));
    EXPECT_EQ(bytesOf(sample()), before);

    // Zapisz pod nową nazwą still works, and that file is then its own.
    const QString copy = folder.filePath(QStringLiteral("druga.wkz"));
    fake->chooseAnswers.push_back(0);
    fake->saveAnswers.push_back(copy);
    EXPECT_TRUE(second->closa().save());
    EXPECT_TRUE(QFile::exists(copy));
    EXPECT_EQ(bytesOf(sample()), before);
    EXPECT_TRUE(second->openFile().holdsLock());

    // A copy that opened read-only takes the lock once the first has closed.
    FakeDialogs* third = nullptr;
    const auto late = secondCopy(0, third);
    context->closa().closing();
    late->editor().setCells(QStringLiteral("test"),
                            {{0, kRemarks, ValueField::Text, std::string("teraz moja")}});
    EXPECT_TRUE(late->closa().save());
    EXPECT_EQ(third->questions.size(), 1u);
    EXPECT_NE(bytesOf(sample()), before);
    second->editor().markSaved();
    late->editor().markSaved();
}

TEST_F(GuardedSave, aCopyThatReadTheFileBeforeAnotherSavedItAsksBeforeReplacingIt)
{
    start();
    FakeDialogs* fake = nullptr;
    const auto second = secondCopy(0, fake);  // read-only while the first has it
    modify();
    action(window(), "Zapisz1")->trigger();
    const std::string firstSaved = bytesOf(sample());
    context->closa().closing();

    second->editor().setCells(QStringLiteral("test"),
                              {{1, kRemarks, ValueField::Text, std::string("druga kopia")}});
    fake->chooseAnswers.push_back(2);  // Anuluj
    EXPECT_FALSE(second->closa().save());
    ASSERT_EQ(fake->questions.size(), 2u);
    EXPECT_EQ(fake->questions[1].text, Tclosa::kChangedOnDisk);
    EXPECT_EQ(bytesOf(sample()), firstSaved);
    second->editor().markSaved();
}

struct DiskChange {
    const char* name;
    bool sameBytes;  // touched only: no question
    int answer;      // Tak, Zapisz pod nową nazwą, Anuluj
    bool programWrites;
};

class ChangedOnDisk : public GuardedSave, public ::testing::WithParamInterface<DiskChange> {};

TEST_P(ChangedOnDisk, saveAsksBeforeReplacingAndFollowsTheAnswer)
{
    const DiskChange c = GetParam();
    start();
    modify();
    const std::string path = sample();
    std::string outside = bytesOf(path);
    if (!c.sameBytes) {
        ClassFileContents other = sampleClass();
        other.pupils.erase(0);
        outside = writeClassFile(other);
    }
    // Written by another program: a later time, whatever the file system's resolution.
    const fs::file_time_type read = fs::last_write_time(path);
    writeBytes(path, outside);
    fs::last_write_time(path, read + std::chrono::seconds(5));

    dialogs->chooseAnswers.push_back(c.answer);
    action(window(), "Zapisz1")->trigger();

    if (c.sameBytes) {
        EXPECT_TRUE(dialogs->questions.empty());
    } else {
        ASSERT_EQ(dialogs->questions.size(), 1u);
        EXPECT_EQ(dialogs->questions[0].text, Tclosa::kChangedOnDisk);
        EXPECT_EQ(dialogs->questions[0].buttons,
                  (QStringList{kTak, Tclosa::kSaveUnderNewName, kCancel}));
    }
    EXPECT_EQ(dialogs->saveAsked.size(), c.answer == 1 && !c.sameBytes ? 1u : 0u);
    EXPECT_EQ(bytesOf(path) != outside, c.programWrites);
}

INSTANTIATE_TEST_SUITE_P(Answers, ChangedOnDisk,
                         ::testing::Values(DiskChange{"replace", false, 0, true},
                                           DiskChange{"saveAs", false, 1, false},
                                           DiskChange{"cancel", false, 2, false},
                                           DiskChange{"touchedOnly", true, 2, true}),
                         [](const ::testing::TestParamInfo<DiskChange>& row) {
                             return std::string(row.param.name);
                         });

TEST_F(GuardedSave, aReadOnlyFileOrFolderIsNeverReplacedAndANewNameIsOffered)
{
    const struct {
        bool folderReadOnly;
        QString message;
    } cases[] = {
        {false, Tclosa::kReadOnlyFile},
        {true, QStringLiteral("Folder tego pliku jest tylko do odczytu: nie można w nim "
                              "zapisać klasy.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folderReadOnly);
        TearDown();
        SetUp();
        start();
        const std::string path = sample();
        const fs::path target = c.folderReadOnly ? fs::path(path).parent_path() : fs::path(path);
        const fs::perms was = fs::status(target).permissions();
        const fs::perms readOnly =
            was & ~(fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
        fs::permissions(target, readOnly);
        const std::string before = bytesOf(path);

        modify();
        dialogs->chooseAnswers.push_back(0);  // Zapisz pod nową nazwą, then cancelled
        action(window(), "Zapisz1")->trigger();
        ASSERT_EQ(dialogs->questions.size(), 1u);
        EXPECT_EQ(dialogs->questions[0].text, c.message);
        EXPECT_EQ(dialogs->questions[0].buttons, (QStringList{Tclosa::kSaveUnderNewName, kCancel}));
        EXPECT_EQ(dialogs->saveAsked.size(), 1u);
        EXPECT_EQ(bytesOf(path), before);
        EXPECT_EQ(fs::status(target).permissions(), readOnly);
        EXPECT_TRUE(dialogs->errors.empty());
        fs::permissions(target, was);
    }
}

TEST_F(GuardedSave, namesThatAreNotUtf8AreOpenedSavedAndLockedAsTheirBytes)
{
    const struct {
        std::string folderName;  // under the program folder; empty: none
        std::string fileName;
        QString shown;
    } cases[] = {
        {"", "\xb6wiad.wkz", QStringLiteral("świad.wkz")},
        {"szko\xb3\x61", "3a.wkz", QStringLiteral("szkoła/3a.wkz")},
        {"", "100%.wkz", QStringLiteral("100%.wkz")},
    };
    const std::string root = QFile::encodeName(folder.path()).toStdString() + "/";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fileName);
        const std::string dir = c.folderName.empty() ? root : root + c.folderName + "/";
        fs::create_directories(dir);
        const std::string path = dir + c.fileName;
        saveClassFileAt(fs::path(path), sampleClass());

        TearDown();
        SetUp();
        context->closa().setStartFile(path);
        start(false);
        EXPECT_EQ(doc().pupils().count(), sampleClass().pupils.count());
        EXPECT_TRUE(window().statusText().endsWith(c.shown)) << window().statusText().toStdString();
        EXPECT_TRUE(dialogs->errors.empty());
        EXPECT_TRUE(fs::exists(ClassFileLock::lockPathFor(path)));

        modify();
        action(window(), "Zapisz1")->trigger();
        EXPECT_TRUE(dialogs->saveAsked.empty());
        EXPECT_EQ(readClassFileAt(fs::path(path)).pupils, doc().pupils());
        EXPECT_TRUE(dialogs->questions.empty());

        // A second lock on the same bytes is refused; a neighbour's name is another lock.
        ClassFileLock again(path);
        EXPECT_EQ(again.tryLock(), ClassFileLock::State::HeldElsewhere);
        ClassFileLock neighbour(path + "x");
        EXPECT_EQ(neighbour.tryLock(), ClassFileLock::State::Locked);
        neighbour.unlock();
        context->closa().closing();
        // QTemporaryDir cannot spell these names to remove them.
        fs::remove(path);
        if (!c.folderName.empty())
            fs::remove_all(dir);
    }
}

TEST_F(GuardedSave, aReadOnlyProgramFolderStartsQuietlyAndOffersTheDocumentsFolder)
{
    writeClass(QStringLiteral("Przyklad.wkz"), sampleClass());
    const fs::path programFolder = QFile::encodeName(folder.path()).toStdString();
    const fs::perms was = fs::status(programFolder).permissions();
    fs::permissions(programFolder, fs::perms::owner_read | fs::perms::owner_exec);
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    // Put back also when a check below ends the test early.
    struct Restore {
        fs::path folder;
        fs::perms perms;
        QByteArray home;
        ~Restore()
        {
            qputenv("HOME", home);
            fs::permissions(folder, perms);
        }
    } restore{programFolder, was, oldHome};

    start(false);
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_TRUE(window().statusText().contains(QStringLiteral("klasy nie można zapisać w tym "
                                                              "folderze")))
        << window().statusText().toStdString();
    modify();
    dialogs->chooseAnswers.push_back(0);
    action(window(), "Zapisz1")->trigger();
    ASSERT_EQ(dialogs->saveAsked.size(), 1u);
    EXPECT_TRUE(dialogs->saveAsked[0].fileName.startsWith(home.path() + u'/'))
        << dialogs->saveAsked[0].fileName.toStdString();
    EXPECT_TRUE(dialogs->saveAsked[0].fileName.endsWith(QStringLiteral("/Przyklad.wkz")));
    // Made when missing, or the file dialog would open wherever the program started.
    EXPECT_TRUE(QFileInfo(dialogs->saveAsked[0].fileName).dir().exists());
}

namespace {

// A program folder named on a Latin-2 system: its pictures are listed and
// its information document and help are found, although Qt cannot spell
// the folder's name.
TEST(ProgramFolderBytes, aFolderQtCannotSpellStillShowsItsPicturesAndDocuments)
{
    QTemporaryDir root;
    const std::string folder = QFile::encodeName(root.path()).toStdString() + "/szko\xb3\x61/";
    fs::create_directories(folder);
    for (const char* name : {"herb.png", "Godlo.BMP", "notatki.txt", "wyka2001.rtf"})
        std::ofstream(folder + name) << "x";
    {
        ProgramContext context(folder, std::make_unique<FakeDialogs>());
        std::string name;
        QTimer::singleShot(0, [&context] {
            EXPECT_EQ(context.pictureChooser().shownNames(),
                      (std::vector<std::string>{"Godlo.BMP", "herb.png"}));
            context.pictureChooser().reject();
        });
        EXPECT_FALSE(context.pictureChooser().chooseFromList(0, name));
        EXPECT_TRUE(QFileInfo(context.infoDocumentPath()).isFile())
            << context.infoDocumentPath().toStdString();
    }
    fs::remove_all(folder);
}

}  // namespace

}  // namespace wykazki

// File names as bytes and as shown, and the lock beside a class file.

#include "qtbridge/classfilelock.h"
#include "qtbridge/filenames.h"

#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#ifndef _WIN32
#include <sys/types.h>
#endif

namespace wykazki {

namespace {

struct Name {
    const char* bytes;
    const char16_t* shown;
};

class FileName : public ::testing::TestWithParam<Name> {};

TEST_P(FileName, isShownReadablyAndLeadsBackToItsBytes)
{
    const Name n = GetParam();
    const std::string bytes = n.bytes;
    const QString shown = QString::fromUtf16(n.shown);
    EXPECT_EQ(filenames::display(bytes), shown);

    QTemporaryDir dir;
    const std::string folder = QFile::encodeName(dir.path()).toStdString() + "/";
    std::ofstream(folder + bytes) << "x";
    EXPECT_EQ(filenames::fromDisplay(dir.path() + u'/' + shown), folder + bytes);
    // A name that does not exist yet is the shown text's UTF-8.
    EXPECT_EQ(filenames::fromDisplay(dir.path() + QStringLiteral("/nowy/") + shown),
              folder + "nowy/" + QFile::encodeName(shown).toStdString());
    std::filesystem::remove(folder + bytes);  // a name QTemporaryDir may not spell
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, FileName,
    ::testing::Values(Name{"3a.wkz", u"3a.wkz"},
                      Name{"\xc5\x9bwiad.wkz", u"świad.wkz"},  // UTF-8 as it is
                      Name{"\xb6wiad.wkz", u"świad.wkz"},      // ISO 8859-2
                      Name{"\xb3\xb1ka \xa3\xf3\x64\xbc.wkz", u"łąka Łódź.wkz"},
                      Name{"\xc5.wkz", u"Ĺ.wkz"},  // a UTF-8 lead byte cut short
                      Name{"a\x85.wkz", u"a\uFFFD.wkz"}));

TEST(ClassFileLock, oneHolderAtATimeAndTheOthersLearnWho)
{
    QTemporaryDir dir;
    const std::string path =
        QFile::encodeName(dir.filePath(QStringLiteral("3a.wkz"))).toStdString();
    ClassFileLock first(path);
    ASSERT_EQ(first.tryLock(), ClassFileLock::State::Locked);
    ClassFileLock second(path);
    EXPECT_EQ(second.tryLock(), ClassFileLock::State::HeldElsewhere);
    EXPECT_TRUE(second.holderText().contains(QSysInfo::machineHostName()))
        << second.holderText().toStdString();
    EXPECT_TRUE(second.holderText().contains(QStringLiteral(", od ")));

    first.unlock();
    EXPECT_EQ(second.tryLock(), ClassFileLock::State::Locked);
    // A folder nobody can write into takes no lock.
    ClassFileLock nowhere(
        QFile::encodeName(dir.filePath(QStringLiteral("brak/3a.wkz"))).toStdString());
    EXPECT_EQ(nowhere.tryLock(), ClassFileLock::State::Impossible);
}

#ifndef _WIN32
TEST(ClassFileLock, aLockLeftByAProgramThatEndedIsBroken)
{
    QTemporaryDir dir;
    const std::string path =
        QFile::encodeName(dir.filePath(QStringLiteral("3a.wkz"))).toStdString();
    // A process number nobody uses, on this computer.
    pid_t gone = 999'999;
    while (::kill(gone, 0) == 0)
        --gone;
    std::ofstream(ClassFileLock::lockPathFor(path))
        << gone << "\nwykazki\n"
        << QSysInfo::machineHostName().toStdString() << "\n";
    ClassFileLock lock(path);
    EXPECT_EQ(lock.tryLock(), ClassFileLock::State::Locked);
}
#endif

TEST(ClassFileLock, namesOfEveryKindGetTheirOwnLockFile)
{
    const struct {
        std::string classFile;
        std::string lockFile;
    } cases[] = {
        {"/a/3a.wkz", "/a/.3a.wkz.lock"},
        {"3a.wkz", ".3a.wkz.lock"},
        {"/a/\xc5\x9bwiad.wkz", "/a/.\xc5\x9bwiad.wkz.lock"},
        {"/a/\xb6wiad.wkz", "/a/.%B6wiad.wkz.lock"},
        {"/a/%B6wiad.wkz", "/a/.%25B6wiad.wkz.lock"},
        {"/szko\xb3\x61/3a.wkz", "/szko\xb3\x61/.3a.wkz.lock"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassFileLock::lockPathFor(c.classFile), c.lockFile) << c.classFile;
}

}  // namespace

}  // namespace wykazki

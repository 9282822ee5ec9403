// The program folder: the executable's folder in a build, the user's own
// folder, seeded from the installed data, when installed.

#include "windowfixture.h"

#include "app/startup.h"
#include "document/classfile.h"
#include "windows/closa.h"
#include "windows/programfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QStandardPaths>
#include <QTest>

#include <map>
#include <optional>

namespace wykazki {

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file under a folder with its size, time and contents.
std::map<QString, QString> snapshot(const QString& folder)
{
    std::map<QString, QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files[QDir(folder).relativeFilePath(path)] =
            QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch()) + QLatin1Char(' ')
            + QString::fromLatin1(
                QCryptographicHash::hash(contents(path), QCryptographicHash::Sha1).toHex());
    }
    return files;
}

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<QByteArray> value) : name_(name)
    {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    std::optional<QByteArray> old_;
};

// An installed program under root/usr: bin/ and share/wykazki/ with the
// sample class, a picture and a help file in a subfolder.
struct Installation {
    explicit Installation(const QString& root)
        : bin(root + QStringLiteral("/usr/bin")), data(root + QStringLiteral("/usr/share/wykazki"))
    {
        QDir().mkpath(bin);
        QDir().mkpath(data);
        saveClassFileAt(QFile::encodeName(data + QStringLiteral("/Przyklad.wkz")).toStdString(),
                        sampleClass());
        writeFile(data + QStringLiteral("/godlo.bmp"), "BM installed emblem");
        writeFile(data + QStringLiteral("/pomoc/wyka.qch"), "installed help");
    }
    QString bin;
    QString data;
};

}  // namespace

TEST(ProgramFolder, inABuildIsTheExecutablesFolderAndTouchesNoDocuments)
{
    QTemporaryDir root;
    const QString documents = root.filePath(QStringLiteral("Documents"));
    EXPECT_EQ(programfolder::resolve(QFile::encodeName(root.path()).toStdString(), documents),
              QFile::encodeName(root.path() + u'/').toStdString());
    EXPECT_FALSE(QFileInfo::exists(documents));
    EXPECT_TRUE(programfolder::installedDataFolder(root.path()).isEmpty());
}

TEST(ProgramFolder, installedFirstStartMakesAndSeedsTheUsersFolderAndTheSecondChangesNothing)
{
    QTemporaryDir root;
    const Installation installed(root.path());
    const QString home = root.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/Documents")));
    const ScopedEnv homeEnv("HOME", QFile::encodeName(home));
    const ScopedEnv configEnv("XDG_CONFIG_HOME", std::nullopt);  // no user-dirs.dirs: ~/Documents
    const QString user = home + QStringLiteral("/Documents/Wykazki");

    auto startInstalled = [&] {
        std::string folder = programfolder::resolve(
            QFile::encodeName(installed.bin).toStdString(),
            QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
        auto fake = std::make_unique<FakeDialogs>();
        FakeDialogs& dialogs = *fake;
        ProgramContext context(folder, std::move(fake));
        startProgram(context, CommandLine{});
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&context.mainWindow()));
        EXPECT_TRUE(dialogs.errors.empty());
        EXPECT_EQ(context.mainWindow().statusText(), user + QStringLiteral("/Przyklad.wkz"));
        EXPECT_EQ(context.document().pupils().count(), std::size_t(kPupilCount));
        return folder;
    };

    EXPECT_EQ(startInstalled(), QFile::encodeName(user + u'/').toStdString());
    const auto seeded = snapshot(user);
    std::vector<QString> names;
    names.reserve(seeded.size());
    for (const auto& entry : seeded)
        names.push_back(entry.first);
    EXPECT_EQ(names,
              (std::vector<QString>{QStringLiteral("Przyklad.wkz"), QStringLiteral("godlo.bmp"),
                                    QStringLiteral("pomoc/wyka.qch")}));
    EXPECT_EQ(contents(user + QStringLiteral("/pomoc/wyka.qch")), QByteArray("installed help"));
    EXPECT_TRUE(QFileInfo(user + QStringLiteral("/Przyklad.wkz")).isWritable());

    // The user's own changes and files survive the next start untouched.
    writeFile(user + QStringLiteral("/godlo.bmp"), "BM the school's own emblem");
    writeFile(user + QStringLiteral("/3a.wkz"), "a copy for a class teacher");
    const auto before = snapshot(user);
    startInstalled();
    EXPECT_EQ(snapshot(user), before);
}

TEST(ProgramFolder, seedingAddsOnlyWhatIsMissing)
{
    QTemporaryDir data, target;
    writeFile(data.filePath(QStringLiteral("a.bmp")), "installed a");
    writeFile(data.filePath(QStringLiteral("b.bmp")), "installed b");
    writeFile(target.filePath(QStringLiteral("a.bmp")), "the user's a");
    EXPECT_EQ(programfolder::seed(data.path(), target.path()), 1);
    EXPECT_EQ(programfolder::seed(data.path(), target.path()), 0);
    EXPECT_EQ(contents(target.filePath(QStringLiteral("a.bmp"))), QByteArray("the user's a"));
    EXPECT_TRUE(QFileInfo::exists(target.filePath(QStringLiteral("b.bmp"))));
}

TEST(ProgramFolder, withoutAUsableDocumentsFolderTheInstalledDataServes)
{
    QTemporaryDir root;
    const Installation installed(root.path());
    // A file where the documents folder should be, and no documents folder.
    const QString blocked = root.filePath(QStringLiteral("Documents"));
    writeFile(blocked, "not a folder");
    const std::string data =
        QFile::encodeName(QFileInfo(installed.data).canonicalFilePath() + u'/').toStdString();
    const std::string bin = QFile::encodeName(installed.bin).toStdString();
    EXPECT_EQ(programfolder::resolve(bin, blocked), data);
    EXPECT_EQ(programfolder::resolve(bin, QString()), data);
}

}  // namespace wykazki

// Starting the program: the command line, a class file named on it, and a
// start without a display.

#include "windowfixture.h"

#include "app/startup.h"
#include "document/classfile.h"
#include "windows/closa.h"

#include <QFile>
#include <QProcess>
#include <QTest>

#include <cstdlib>
#include <vector>

namespace wykazki {

namespace {

const QString kReadFailed = QStringLiteral(" Odczyt danych z archiwum nie powiódł się");
const QString kWrongVersion = QStringLiteral(" Niewłaściwa wersja pliku z danymi");

// Runs the built program with the given environment changes (an empty value
// removes the variable) and gives its exit status and standard error.
struct ProgramRun {
    int exitCode = -1;
    QProcess::ExitStatus status = QProcess::CrashExit;
    QByteArray err;
};

ProgramRun runProgram(const std::vector<std::pair<QString, QString>>& changes)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : changes) {
        if (value.isEmpty())
            env.remove(name);
        else
            env.insert(name, value);
    }
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(WYKAZKI_BIN_DIR "/wykazki"), {});
    ProgramRun run;
    if (!program.waitForFinished(20000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.exitCode = program.exitCode();
    run.status = program.exitStatus();
    run.err = program.readAllStandardError();
    return run;
}

}  // namespace

TEST(CommandLine, takesAtMostOneClassFileAndNoOptions)
{
    const std::string here = QFile::encodeName(QDir::currentPath()).toStdString();
    const struct {
        std::vector<std::string> arguments;  // as main() has them
        std::string classFile;
        bool problem;
    } cases[] = {
        {{}, "", false},
        {{"3a.wkz"}, here + "/3a.wkz", false},
        {{"/szkoła/klasa 3a.wkz"}, "/szkoła/klasa 3a.wkz", false},
        {{"file:///szko%C5%82a/3a.wkz"}, "/szkoła/3a.wkz", false},
        // Bytes that are not UTF-8 stay as they are, also in a URL.
        {{"/szko\xb3\x61/\xb6wiad.wkz"}, "/szko\xb3\x61/\xb6wiad.wkz", false},
        {{"file:///a/%B6wiad.wkz"}, "/a/\xb6wiad.wkz", false},
        {{"--", "-3a.wkz"}, here + "/-3a.wkz", false},
        {{"-"}, here + "/-", false},
        {{"--verbose"}, "", true},
        {{"a.wkz", "b.wkz"}, "", true},
        {{""}, "", true},
    };
    for (const auto& c : cases) {
        QStringList arguments{QStringLiteral("wykazki")};
        for (const std::string& raw : c.arguments)
            arguments << QFile::decodeName(QByteArray::fromStdString(raw));
        const CommandLine line = parseCommandLine(arguments, c.arguments);
        SCOPED_TRACE(c.arguments.empty() ? std::string() : c.arguments.back());
        EXPECT_EQ(line.classFile, c.classFile);
        EXPECT_EQ(!line.problem.isEmpty(), c.problem) << line.problem.toStdString();
    }
}

TEST(CommandLine, helpIsFoundBeforeTheEndOfOptions)
{
    const auto help = [](std::vector<const char*> arguments) {
        arguments.insert(arguments.begin(), "wykazki");
        return wantsHelp(static_cast<int>(arguments.size()), const_cast<char**>(arguments.data()));
    };
    EXPECT_TRUE(help({"--help"}));
    EXPECT_TRUE(help({"3a.wkz", "-h"}));
    EXPECT_FALSE(help({"3a.wkz"}));
    EXPECT_FALSE(help({"--", "--help"}));
}

TEST(Display, isMissingOnlyWithoutDisplayWaylandAndAChosenPlatform)
{
    const struct {
        const char* display;
        const char* wayland;
        const char* platform;
        bool platformArgument;
        bool missing;
    } cases[] = {
        {nullptr, nullptr, nullptr, false, true},
        {"", "", "", false, true},
        {":0", nullptr, nullptr, false, false},
        {nullptr, "wayland-0", nullptr, false, false},
        {nullptr, nullptr, "offscreen", false, false},
        {nullptr, nullptr, nullptr, true, false},
    };
    const QByteArray saved[] = {qgetenv("DISPLAY"), qgetenv("WAYLAND_DISPLAY"),
                                qgetenv("QT_QPA_PLATFORM")};
    const char* names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    for (const auto& c : cases) {
        const char* values[] = {c.display, c.wayland, c.platform};
        for (int i = 0; i < 3; ++i) {
            if (values[i])
                qputenv(names[i], values[i]);
            else
                qunsetenv(names[i]);
        }
        std::vector<const char*> arguments{"wykazki"};
        if (c.platformArgument)
            arguments.insert(arguments.end(), {"-platform", "offscreen"});
        const std::string problem = missingDisplay(static_cast<int>(arguments.size()),
                                                   const_cast<char**>(arguments.data()));
        EXPECT_EQ(!problem.empty(), c.missing)
            << c.display << '|' << c.wayland << '|' << c.platform;
    }
    for (int i = 0; i < 3; ++i)
        saved[i].isNull() ? qunsetenv(names[i]) : qputenv(names[i], saved[i]);
}

TEST(Display, theProgramWithoutAUsableDisplaySaysSoInOneLineAndEndsWithStatus1)
{
    const QString none;
    const std::vector<std::vector<std::pair<QString, QString>>> cases = {
        // Nothing to open a window on.
        {{QStringLiteral("DISPLAY"), none},
         {QStringLiteral("WAYLAND_DISPLAY"), none},
         {QStringLiteral("QT_QPA_PLATFORM"), none}},
        // A display nobody serves: Qt's platform plugin fails to start.
        {{QStringLiteral("DISPLAY"), QStringLiteral(":9999")},
         {QStringLiteral("WAYLAND_DISPLAY"), none},
         {QStringLiteral("QT_QPA_PLATFORM"), none}},
    };
    for (const auto& changes : cases) {
        const ProgramRun run = runProgram(changes);
        SCOPED_TRACE(run.err.toStdString());
        EXPECT_EQ(run.status, QProcess::NormalExit);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err.count('\n'), 1);
        EXPECT_TRUE(run.err.startsWith("wykazki: ")) << run.err.toStdString();
    }
}

class StartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(elsewhere.isValid());
        auto fake = std::make_unique<FakeDialogs>();
        dialogs = fake.get();
        context = std::make_unique<ProgramContext>(
            QFile::encodeName(folder.path() + u'/').toStdString(), std::move(fake));
        // The sample is there, so a start that ignored the command line would show.
        saveClassFileAt(QFile::encodeName(folder.filePath(Tclosa::kSampleName)).toStdString(),
                        sampleClass());
    }
    void TearDown() override { context.reset(); }

    void start(const QString& argument)
    {
        startProgram(*context, parseCommandLine({QStringLiteral("wykazki"), argument},
                                                {QFile::encodeName(argument).toStdString()}));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&context->mainWindow()));
    }

    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    FakeDialogs* dialogs = nullptr;
    std::unique_ptr<ProgramContext> context;
};

TEST_F(StartTest, aClassFileOnTheCommandLineIsOpenedInsteadOfTheSample)
{
    ClassFileContents other = sampleClass();
    other.pupils.insert(0, other.phrases.count());
    const QString path = elsewhere.filePath(QStringLiteral("klasa 3a.wkz"));
    saveClassFileAt(QFile::encodeName(path).toStdString(), other);

    start(path);
    EXPECT_TRUE(dialogs->errors.empty());
    EXPECT_EQ(context->mainWindow().statusText(), path);
    EXPECT_EQ(context->document().pupils().count(), std::size_t(kPupilCount + 1));
    EXPECT_FALSE(context->editor().isModified());
    // Saving goes back to that file.
    EXPECT_EQ(context->closa().saveFileName(), path);
}

TEST_F(StartTest, anUnreadableClassFileOnTheCommandLineGivesTheUsualMessagesAndTheEmptyDocument)
{
    const QString wrongVersion = elsewhere.filePath(QStringLiteral("stary.wkz"));
    QFile file(wrongVersion);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x1e\0\0\0\0\0", 6));
    file.close();

    start(wrongVersion);
    // One window names the file with both reasons.
    EXPECT_EQ(dialogs->errors,
              (std::vector<QString>{wrongVersion + QLatin1Char('\n') + kWrongVersion
                                    + QLatin1Char('\n') + kReadFailed}));
    EXPECT_EQ(context->document().phrases().count(), 0u);
    EXPECT_EQ(context->document().pupils().count(), 0u);
    EXPECT_EQ(context->mainWindow().statusText(), QString());
}

TEST_F(StartTest, aMissingClassFileOnTheCommandLineIsReportedAsAFailedRead)
{
    const QString missing = elsewhere.filePath(QStringLiteral("nie ma.wkz"));
    start(missing);
    EXPECT_EQ(dialogs->errors, std::vector<QString>{missing + QLatin1Char('\n') + kReadFailed});
    EXPECT_EQ(context->document().pupils().count(), 0u);
}

}  // namespace wykazki

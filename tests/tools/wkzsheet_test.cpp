// wkz export and wkz import on the sample class: the round trip through
// each format, the mapping of differently headed columns, and the errors.

#include "document/classfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace wykazki {

namespace {

struct WkzRun {
    int exitCode = -1;
    QString out;
    QString err;
};

WkzRun wkz(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(WYKAZKI_BIN_DIR "/wkz"), args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

const QString kSample = QStringLiteral(WYKAZKI_BIN_DIR "/Przyklad.wkz");

ClassFileContents read(const QString& path)
{
    return readClassFileAt(QFile::encodeName(path).toStdString());
}

TEST(WkzSheet, exportThenImportReplacingGivesTheSamePupils)
{
    const QTemporaryDir dir;
    const ClassFileContents sample = read(kSample);
    for (const char* name : {"klasa.xlsx", "klasa.ods", "klasa.csv"}) {
        for (const bool columns : {false, true}) {
            const QString sheet = dir.filePath(QString::fromLatin1(name));
            const QString out = dir.filePath(QStringLiteral("wynik.wkz"));
            QStringList exportArgs = {QStringLiteral("export"), kSample, QStringLiteral("-o"),
                                      sheet};
            QStringList importArgs = {
                QStringLiteral("import"), kSample, sheet,
                QStringLiteral("-o"),     out,     QStringLiteral("--replace")};
            if (columns) {
                exportArgs << QStringLiteral("--columns");
                importArgs << QStringLiteral("--columns");
            }
            const WkzRun exported = wkz(exportArgs);
            ASSERT_EQ(exported.exitCode, 0) << name << exported.err.toStdString();
            const WkzRun imported = wkz(importArgs);
            ASSERT_EQ(imported.exitCode, 0) << name << imported.err.toStdString();
            EXPECT_TRUE(imported.out.startsWith(QStringLiteral("Zaimportowano 25 uczniów")))
                << imported.out.toStdString();
            // Every format gives back every pupil's every value, texts that
            // look like numbers ("3,00") included.
            EXPECT_EQ(read(out).pupils, sample.pupils) << name << " columns " << columns;
        }
    }
}

TEST(WkzSheet, mapSendsDifferentlyHeadedColumnsToPhrases)
{
    const QTemporaryDir dir;
    const QString sheet = dir.filePath(QStringLiteral("oceny.csv"));
    QFile file(sheet);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Uczen,Mat,Fiz\nJakub B\xc4\x85k,1,nkl\nNowy Ucze\xc5\x84,cel,\n");
    file.close();
    const QString out = dir.filePath(QStringLiteral("wynik.wkz"));
    const WkzRun run = wkz({QStringLiteral("import"), kSample, sheet, QStringLiteral("-o"), out,
                            QStringLiteral("--map"),
                            QString::fromUtf8("imię i nazwisko=Uczen;matematyka=Mat;fizyka=Fiz")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Zaimportowano 2 uczniów, 3 oceny.\n"));
    const ClassFileContents result = read(out);
    ASSERT_EQ(result.pupils.count(), 26u);
    std::size_t maths = 0;
    for (std::size_t j = 0; j < result.phrases.count(); ++j)
        if (result.phrases[j].name == "matematyka")
            maths = j;
    EXPECT_EQ(result.pupils[1].values[maths].grade, 0);
    EXPECT_EQ(result.pupils[25].values[maths].grade, 5);
}

TEST(WkzSheet, errorsSayWhatIsWrong)
{
    const QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("wynik.wkz"));
    const QString csv = dir.filePath(QStringLiteral("a.csv"));
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Nazwisko\nAla\n");
    file.close();
    const struct {
        QStringList args;
        int exitCode;
        const char* says;
    } cases[] = {
        {{QStringLiteral("import"), kSample, QStringLiteral("-o"), out},
         2,
         "pliku klasy i arkusza"},
        {{QStringLiteral("import"), kSample, csv}, 2, "brak -o"},
        {{QStringLiteral("import"), kSample, csv, QStringLiteral("-o"), out,
          QStringLiteral("--map"), QStringLiteral("Astronomia=Nazwisko")},
         2,
         "klasa nie ma frazy „Astronomia”"},
        {{QStringLiteral("import"), kSample, csv, QStringLiteral("-o"), out,
          QStringLiteral("--map"), QStringLiteral("matematyka=Mat")},
         2,
         "arkusz nie ma kolumny „Mat”"},
        {{QStringLiteral("import"), kSample, dir.filePath(QStringLiteral("brak.xlsx")),
          QStringLiteral("-o"), out},
         1,
         "brak.xlsx"},
        {{QStringLiteral("import"), kSample, kSample, QStringLiteral("-o"), out},
         1,
         "nie jest arkusz"},
        {{QStringLiteral("export"), kSample, QStringLiteral("-o"),
          dir.filePath(QStringLiteral("a.pdf"))},
         2,
         ".xlsx, .ods albo .csv"},
        {{QStringLiteral("export"), kSample, QStringLiteral("--bad")}, 2, "nieznana opcja"},
    };
    for (const auto& c : cases) {
        const WkzRun run = wkz(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(out));
}

}  // namespace

}  // namespace wykazki

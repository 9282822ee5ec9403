// The scanned forms kept beside a class file: what is stored, what is read
// back, and what a damaged or hostile sidecar gives.

#include "print/formscans.h"
#include "print/printjob.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace wykazki {

namespace {

class FormScansTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(path(name)).absolutePath());
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QString classFile() const { return path(QStringLiteral("7a.wkz")); }

    QTemporaryDir dir;
};

TEST_F(FormScansTest, namesRoundTripRelativeToTheClassFolder)
{
    QImage scan(210, 297, QImage::Format_RGB32);
    scan.fill(Qt::white);
    QDir(dir.path()).mkpath(QStringLiteral("skany"));
    ASSERT_TRUE(scan.save(path(QStringLiteral("skany/s1.png"))));
    FormScans scans;
    scans.set(0, path(QStringLiteral("skany/s1.png")), classFile());
    scans.set(2, QStringLiteral("/elsewhere/s3.jpg"), classFile());
    ASSERT_TRUE(scans.save(classFile()));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("7a.wkz.formularz.json"))));

    const FormScans read = FormScans::load(classFile());
    EXPECT_EQ(read, scans);
    EXPECT_EQ(read.name(0), QStringLiteral("skany/s1.png"));
    EXPECT_EQ(read.name(2), QStringLiteral("/elsewhere/s3.jpg"));
    EXPECT_FALSE(read.image(0, classFile()).isNull());
    QString problem;
    EXPECT_TRUE(read.image(2, classFile(), &problem).isNull());
    EXPECT_EQ(problem, QStringLiteral("/elsewhere/s3.jpg: brak pliku"));

    // Forgetting every page removes the sidecar.
    FormScans none = read;
    none.set(0, QString(), classFile());
    none.set(2, QString(), classFile());
    ASSERT_TRUE(none.save(classFile()));
    EXPECT_FALSE(QFile::exists(FormScans::sidecarPath(classFile())));
}

TEST_F(FormScansTest, aDamagedOrHostileSidecarHoldsNoScans)
{
    const QString sidecar = QStringLiteral("7a.wkz.formularz.json");
    const QByteArray cases[] = {
        "",
        "nie json",
        "[1, 2, 3]",
        R"({"strony": {"1": 5, "9": "x.png", "-1": "y.png"}})",
        R"({"strony": "1"})",
        QByteArray(qsizetype{70} * 1024, ' ') + R"({"strony": {"1": "a.png"}})",
    };
    for (const QByteArray& bytes : cases) {
        write(sidecar, bytes);
        EXPECT_TRUE(FormScans::load(classFile()).isEmpty()) << bytes.left(40).constData();
    }
    QFile::remove(path(sidecar));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(sidecar)).constData(), 0600), 0);
    EXPECT_TRUE(FormScans::load(classFile()).isEmpty());  // never opened: no hang
}

TEST_F(FormScansTest, onlyReadableImagesAreScans)
{
    const struct {
        const char* name;
        QByteArray bytes;
        const char* problem;
    } cases[] = {
        {"zly.png", "not an image", "zly.png: to nie jest obraz PNG, JPEG ani BMP"},
        {"pusty.png", "", "pusty.png: to nie jest obraz PNG, JPEG ani BMP"},
    };
    for (const auto& c : cases) {
        write(QLatin1String(c.name), c.bytes);
        FormScans scans;
        scans.set(1, path(QLatin1String(c.name)), classFile());
        QString problem;
        EXPECT_TRUE(scans.image(1, classFile(), &problem).isNull());
        EXPECT_EQ(problem, QString::fromUtf8(c.problem));
    }
    QDir(dir.path()).mkdir(QStringLiteral("folder.png"));
    FormScans folder;
    folder.set(0, path(QStringLiteral("folder.png")), classFile());
    QString problem;
    EXPECT_TRUE(folder.image(0, classFile(), &problem).isNull());
    EXPECT_TRUE(problem.contains(QStringLiteral("nie jest plik obrazu")));
}

// A scan of the whole sheet keeps its own scale; anything else is
// stretched over the sheet.
TEST(FormScanSize, ownResolutionOnlyWhenItMatchesTheSheet)
{
    const QSizeF a4(210, 297);
    const struct {
        int width, height, dpi;
        QSizeF expected;
    } cases[] = {
        {2480, 3508, 300, {209.97, 297.01}},  // A4 at 300 dpi
        {2339, 3307, 300, {198.04, 280.0}},   // the form's printed area: 94 %
        {1240, 1754, 300, {210, 297}},        // half the size: stretched
        {2480, 3508, 72, {210, 297}},         // the default 72 dpi: stretched
    };
    for (const auto& c : cases) {
        QImage scan(c.width, c.height, QImage::Format_Mono);
        scan.setDotsPerMeterX(qRound(c.dpi / 0.0254));
        scan.setDotsPerMeterY(qRound(c.dpi / 0.0254));
        const QSizeF size = formScanSizeMm(scan, a4);
        EXPECT_NEAR(size.width(), c.expected.width(), 0.05) << c.width;
        EXPECT_NEAR(size.height(), c.expected.height(), 0.05) << c.height;
    }
}

TEST(JobTexts, polishCountsAndTitles)
{
    const std::pair<std::size_t, const char*> cards[] = {
        {1, "1 świadectwo"},  {2, "2 świadectwa"},     {4, "4 świadectwa"},    {5, "5 świadectw"},
        {12, "12 świadectw"}, {14, "14 świadectw"},    {22, "22 świadectwa"},  {25, "25 świadectw"},
        {0, "0 świadectw"},   {102, "102 świadectwa"}, {112, "112 świadectw"},
    };
    for (const auto& [n, text] : cards)
        EXPECT_EQ(certificatesText(n), QString::fromUtf8(text));
    EXPECT_EQ(copiesText(3), QStringLiteral("3 kopie"));
    EXPECT_EQ(copiesText(5), QStringLiteral("5 kopii"));
    EXPECT_EQ(cardJobTitle(QStringLiteral("/szkoła/7a.wkz"), 0),
              QStringLiteral("Świadectwa – 7a – strona 1"));
    EXPECT_EQ(cardJobTitle(QString(), 3), QStringLiteral("Świadectwa – bez nazwy – strona 4"));
    EXPECT_EQ(tableJobTitle(QStringLiteral("Oceny")), QStringLiteral("Tabela – Oceny"));
}

}  // namespace

}  // namespace wykazki

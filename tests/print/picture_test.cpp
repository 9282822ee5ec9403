// Picture phrases: the file lookup, the base line, size and clip rules,
// the pupil's own picture, and one stored copy per picture in a PDF.

#include "print/certificatepdf.h"
#include "print/certificaterenderer.h"
#include "print/picturecache.h"
#include "printtestsupport.h"

#include "document/ekolmoerror.h"
#include "document/fileops.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace wykazki {

namespace {

constexpr int kClipWidthPx = 1000;
constexpr int kClipHeightPx = 800;

class Pictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path().toStdString() + "/";
        writeBmp(QStringLiteral("logo.bmp"), 30, 20, Qt::red);
        writeBmp(QStringLiteral("herb.bmp"), 16, 16, Qt::blue);
        writeBmp(QStringLiteral("zdjecie"), 12, 10,
                 Qt::green);  // no extension: never found as "zdjecie"
        writeBmp(QStringLiteral("skan.dib"), 8, 6,
                 Qt::darkYellow);  // three-letter extension used as it is
        QFile broken(dir.filePath(QStringLiteral("zepsuty.bmp")));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("BM this is not a bitmap");
    }
    void writeBmp(const QString& name, int w, int h, Qt::GlobalColor colour)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(dir.filePath(name), "BMP"));
    }
    std::size_t addPicture(const std::string& file, int x0Mm, float y0Mm, int widthMm = 0,
                           int heightMm = 0)
    {
        TFra f = phraseAt(PhraseKind::Picture, x0Mm, y0Mm, widthMm, heightMm);
        f.picture = file;
        return cls.add(f);
    }
    std::vector<PlacedElement> layout(std::size_t pupil = 0)
    {
        CertificateRenderer renderer(cls.phrases, cls.pupils, cls.options, folder);
        return renderer.layoutPage(surface, pupil, 0, kClipWidthPx, kClipHeightPx, 1.0);
    }

    QTemporaryDir dir;
    std::string folder;
    QImage surface = whiteSurface(8, 8);
    TestClass cls;
};

TEST_F(Pictures, ownSizeWhenNoBoxAndTheBottomEdgeOnTheBaseLine)
{
    addPicture("logo", 10, 50.0f);
    const auto elements = layout();
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].kind, ElementKind::Picture);
    EXPECT_EQ(elements[0].box, (PixelBox{100, 480, 130, 500}));
    EXPECT_EQ(elements[0].picture.size(), QSize(30, 20));
}

TEST_F(Pictures, boxSizeStretchesAndEitherSideMayComeFromThePicture)
{
    cls.options.left = 2;
    cls.options.top = 1;
    addPicture("logo.bmp", 10, 50.0f, 40, 15);
    addPicture("logo.bmp", 10, 50.0f, 40, 0);
    addPicture("logo.bmp", 10, 50.0f, 0, 15);
    const auto elements = layout();
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0].box, (PixelBox{120, 360, 520, 510}));
    EXPECT_EQ(elements[1].box, (PixelBox{120, 490, 520, 510}));
    EXPECT_EQ(elements[2].box, (PixelBox{120, 360, 150, 510}));
}

TEST_F(Pictures, boxesAreMovedInsideTheTopAndLeftAndCutAtTheClip)
{
    cls.options.left = -5;
    addPicture("logo", 3, 1.0f);             // left -20 px, top 10 - 20 px
    addPicture("logo", 99, 79.0f, 10, 0);    // 990..1090 px wide, past the right edge
    addPicture("logo", 50, 200.0f, 10, 10);  // below the sheet: top limited to the clip height
    const auto elements = layout();
    ASSERT_EQ(elements.size(), 3u);
    EXPECT_EQ(elements[0].box, (PixelBox{0, 0, 30, 20}));
    EXPECT_EQ(elements[1].box, (PixelBox{940, 770, kClipWidthPx, 790}));
    EXPECT_EQ(elements[2].box, (PixelBox{450, kClipHeightPx, 550, kClipHeightPx}));
}

TEST_F(Pictures, lookupAppendsBmpOnlyToNamesWithoutAThreeLetterExtension)
{
    addPicture("herb", 10, 50.0f);      // herb.bmp
    addPicture("herb.bmp", 10, 50.0f);  // as it is
    addPicture("skan.dib", 10, 50.0f);  // as it is
    addPicture("zdjecie", 10, 50.0f);   // looks for zdjecie.bmp: none
    addPicture("brak", 10, 50.0f);      // no such file
    addPicture("", 10, 50.0f);          // no name
    addPicture("logo", 10, 50.0f);
    const auto elements = layout();
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_EQ(elements[0].phrase, 0u);
    EXPECT_EQ(elements[1].phrase, 1u);
    EXPECT_EQ(elements[2].phrase, 2u);
    EXPECT_EQ(elements[2].picture.size(), QSize(8, 6));
    EXPECT_EQ(elements[3].phrase, 6u);
}

// The program (findPicture, behind the main window's picture loading) and
// the printing of wkz print (PictureCache) read a name the same way: the
// ".bmp" rule counts the document's Windows-1250 characters, not the bytes
// of the file system's UTF-8, so names with Polish letters near their end
// resolve alike.
TEST_F(Pictures, namesWithPolishLettersResolveAlikeInTheProgramAndInPrinting)
{
    writeBmp(QStringLiteral("ŻÓŁW.bmp"), 4, 4, Qt::black);
    writeBmp(QStringLiteral("żółw.bmp"), 4, 4, Qt::black);
    writeBmp(QStringLiteral("gęś.bmp"), 4, 4, Qt::black);
    writeBmp(QStringLiteral("skan.żół"), 4, 4,
             Qt::black);  // a three-letter extension of Polish letters
    writeBmp(QStringLiteral("xy.ąb.bmp"), 4, 4, Qt::black);  // "ąb" is no three-letter extension
    struct Case {
        const char* cp1250Name;
        const char* utf8File;  // nullptr: missing
    };
    const Case cases[] = {
        {"\xAF\xD3\xA3W.bmp", "ŻÓŁW.bmp"},
        {"\xAF\xD3\xA3W", "ŻÓŁW.bmp"},
        {"\xBF\xF3\xB3w", "żółw.bmp"},
        {"\xBF\xF3\xB3w.bmp", "żółw.bmp"},
        {"g\xEA\x9C", "gęś.bmp"},
        {"g\xEA\x9C.bmp", "gęś.bmp"},
        {"skan.\xBF\xF3\xB3", "skan.żół"},
        {"xy.\xB9"
         "b",
         "xy.ąb.bmp"},
        {"\xBF\xF3\xB3", nullptr},
    };
    PictureCache cache(folder);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8File ? c.utf8File : c.cp1250Name);
        const std::optional<std::string> found = findPicture(folder, c.cp1250Name);
        PictureCache::State state{};
        const QImage* printed = cache.find(c.cp1250Name, &state);
        if (c.utf8File) {
            EXPECT_EQ(found, folder + c.utf8File);
            EXPECT_NE(printed, nullptr);
        } else {
            EXPECT_FALSE(found);
            EXPECT_EQ(state, PictureCache::State::Missing);
        }
    }
}

TEST_F(Pictures, thePupilsOwnPictureWinsOverThePhrases)
{
    const std::size_t j = addPicture("logo", 10, 50.0f);
    cls.pupils.resize(2, cls.phrases.count());
    cls.pupils.value(1, j).picture = "herb";
    EXPECT_EQ(layout(0).at(0).picture.size(), QSize(30, 20));
    EXPECT_EQ(layout(1).at(0).picture.size(), QSize(16, 16));
}

// A Windows bitmap whose header promises width x height pixels at 24 bits,
// holding only `rows` rows of them.
QByteArray bitmapBytes(int width, int height, int rows)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    QByteArray b;
    auto u16 = [&](int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    auto u32 = [&](qint64 v) {
        u16(int(v & 0xFFFF));
        u16(int((v >> 16) & 0xFFFF));
    };
    b.append("BM");
    u32(54 + qint64(stride) * height);
    u32(0);
    u32(54);
    u32(40);
    u32(width);
    u32(height);
    u16(1);
    u16(24);
    u32(0);
    u32(qint64(stride) * height);
    u32(2835);
    u32(2835);
    u32(0);
    u32(0);
    b.append(QByteArray(qsizetype(stride) * rows, char(0x7F)));
    return b;
}

TEST_F(Pictures, damagedMissingAndOutsidePicturesAreLeftOutAndNamed)
{
    auto put = [&](const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    put(dir.filePath(QStringLiteral("whole.bmp")), bitmapBytes(8, 8, 8));
    put(dir.filePath(QStringLiteral("cut.bmp")), bitmapBytes(8, 8, 5));  // ends three rows early
    put(dir.filePath(QStringLiteral("huge.bmp")),
        bitmapBytes(40000, 40000, 1));  // beyond the decoder's limit
    put(dir.filePath(QStringLiteral("obrazki/godlo.bmp")), bitmapBytes(4, 4, 4));
    QTemporaryDir outside;
    put(outside.filePath(QStringLiteral("secret.bmp")), bitmapBytes(4, 4, 4));
    ASSERT_TRUE(QFile::link(outside.filePath(QStringLiteral("secret.bmp")),
                            dir.filePath(QStringLiteral("link.bmp"))));
    const std::string secret = outside.filePath(QStringLiteral("secret.bmp")).toStdString();
    // The relative way out of the folder, as many levels up as it takes.
    std::string up;
    for (int i = 0; i < QDir(dir.path()).absolutePath().count(u'/'); ++i)
        up += "../";
    const std::string escaping = up + secret.substr(1);

    struct Case {
        std::string name;
        bool printed;
        bool damaged;
    };
    const std::vector<Case> cases = {
        {"whole", true, false},         {"obrazki\\godlo.bmp", true, false},
        {"obrazki/godlo", true, false}, {"zepsuty", false, true},
        {"cut.bmp", false, true},       {"huge.bmp", false, true},
        {"brak.bmp", false, false},     {secret, false, false},
        {escaping, false, false},       {"link.bmp", false, false},
    };
    for (const Case& c : cases)
        addPicture(c.name, 10, 50.0f);
    cls.pupils.resize(2, cls.phrases.count());

    CertificateRenderer renderer(cls.phrases, cls.pupils, cls.options, folder);
    for (std::size_t pupil : {0u, 1u, 1u}) {  // a page laid out twice names its pictures once
        const auto elements =
            renderer.layoutPage(surface, pupil, 0, kClipWidthPx, kClipHeightPx, 1.0);
        std::vector<std::size_t> placed;
        placed.reserve(elements.size());
        for (const auto& e : elements)
            placed.push_back(e.phrase);
        EXPECT_EQ(placed, (std::vector<std::size_t>{0, 1, 2}));
    }
    std::vector<MissingPicture> expected;
    for (std::size_t pupil : {0u, 1u})
        for (const Case& c : cases)
            if (!c.printed)
                expected.push_back({pupil, c.name, c.damaged});
    EXPECT_EQ(renderer.missingPictures(), expected);

    // The cut bitmap alone would otherwise decode, with black rows.
    const auto file = [&](const char* name) {
        return std::filesystem::path(
            QFile::encodeName(dir.filePath(QLatin1String(name))).toStdString());
    };
    EXPECT_TRUE(decodeWholePicture(file("whole.bmp")));
    EXPECT_FALSE(decodeWholePicture(file("cut.bmp")));
}

TEST_F(Pictures, paintedStretchedIntoTheBoxOverEarlierPhrases)
{
    addPicture("herb", 10, 50.0f, 20, 10);
    addPicture("logo", 15, 50.0f, 10, 5);  // drawn later, over the first
    QImage image = whiteSurface(kClipWidthPx, kClipHeightPx);
    {
        QPainter painter(&image);
        CertificateRenderer(cls.phrases, cls.pupils, cls.options, folder)
            .drawPage(painter, 0, 0, kClipWidthPx, kClipHeightPx, 1.0);
    }
    EXPECT_EQ(inkBounds(image), QRect(100, 400, 200, 100));
    EXPECT_EQ(image.pixel(100, 400), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(299, 499), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(150, 450), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(249, 499), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(250, 499), qRgb(0, 0, 255));
}

TEST_F(Pictures, aPictureOnEveryCardIsStoredOnceInThePdf)
{
    addPicture("logo", 10, 50.0f, 40, 30);
    addPicture("herb", 60, 50.0f, 20, 20);
    cls.pupils.resize(5, cls.phrases.count());
    QBuffer pdf;
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    writeCertificatesPdf(
        pdf, CertificatePdfJob{cls.phrases, cls.pupils, cls.options, {0, 1, 2, 3, 4}, 0, folder});
    EXPECT_EQ(pdf.data().count("/Type /Page\n") + pdf.data().count("/Type /Page\r"), 5);
    EXPECT_EQ(pdf.data().count("/Subtype /Image"), 2);
}

}  // namespace

}  // namespace wykazki

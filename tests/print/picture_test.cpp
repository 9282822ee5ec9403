// Picture phrases: the file lookup, the base line, size and clip rules,
// the pupil's own picture, and one stored copy per picture in a PDF.

#include "print/certificatepdf.h"
#include "print/certificaterenderer.h"
#include "printtestsupport.h"

#include "document/ekolmoerror.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr int kClipWidthPx = 1000;
constexpr int kClipHeightPx = 800;

class Pictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folder = dir.path().toStdString() + "/";
        writeBmp("logo.bmp", 30, 20, Qt::red);
        writeBmp("herb.bmp", 16, 16, Qt::blue);
        writeBmp("zdjecie", 12, 10, Qt::green);          // no extension: never found as "zdjecie"
        writeBmp("skan.dib", 8, 6, Qt::darkYellow);      // three-letter extension used as it is
        QFile broken(dir.filePath("zepsuty.bmp"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("BM this is not a bitmap");
    }
    void writeBmp(const QString& name, int w, int h, Qt::GlobalColor colour)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(dir.filePath(name), "BMP"));
    }
    std::size_t addPicture(const std::string& file, int x0Mm, float y0Mm, int widthMm = 0, int heightMm = 0)
    {
        TFra f = phraseAt(kRodzajObrazek, x0Mm, y0Mm, widthMm, heightMm);
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
    addPicture("logo", 3, 1.0f);              // left -20 px, top 10 - 20 px
    addPicture("logo", 99, 79.0f, 10, 0);     // 990..1090 px wide, past the right edge
    addPicture("logo", 50, 200.0f, 10, 10);   // below the sheet: top limited to the clip height
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

TEST_F(Pictures, thePupilsOwnPictureWinsOverThePhrases)
{
    const std::size_t j = addPicture("logo", 10, 50.0f);
    cls.pupils.resize(2, cls.phrases.count());
    cls.pupils.value(1, j).picture = "herb";
    EXPECT_EQ(layout(0).at(0).picture.size(), QSize(30, 20));
    EXPECT_EQ(layout(1).at(0).picture.size(), QSize(16, 16));
}

TEST_F(Pictures, anUnreadablePictureFileIsAPrintingError)
{
    addPicture("zepsuty", 10, 50.0f);
    try {
        layout();
        FAIL() << "no error";
    } catch (const EKolmoError& e) {
        EXPECT_EQ(e.code(), kBladWydruku);
    }
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
    writeCertificatesPdf(pdf, CertificatePdfJob{cls.phrases, cls.pupils, cls.options, {0, 1, 2, 3, 4}, 0, folder});
    EXPECT_EQ(pdf.data().count("/Type /Page\n") + pdf.data().count("/Type /Page\r"), 5);
    EXPECT_EQ(pdf.data().count("/Subtype /Image"), 2);
}

}  // namespace

// The text box: the line-by-line layout with a line-spacing correction,
// alignment inside the box, clipping, and the base line on paper.

#include "print/certificaterenderer.h"
#include "print/phrasefont.h"
#include "print/textbox.h"
#include "printtestsupport.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>

#include <gtest/gtest.h>

namespace wykazki {

namespace {

const int kFlagsLeft = Qt::TextWordWrap | Qt::AlignTop | Qt::AlignLeft;

class TextBox : public ::testing::Test {
protected:
    TextBox() { font.setPointSize(10); }
    std::vector<TextLine> lines(const QString& text, const PixelBox& box, double lineSpacingMm)
    {
        return layoutTextLines(QFontMetrics(font, &surface), kTestDpi, text, box, kFlagsLeft,
                               lineSpacingMm);
    }
    int lineHeightPx() { return QFontMetrics(font, &surface).height(); }
    int advancePx(const QString& s) { return QFontMetrics(font, &surface).horizontalAdvance(s); }

    QImage surface = whiteSurface(8, 8);
    QFont font{QStringLiteral("DejaVu Sans")};
};

const QString kPan = QStringLiteral(
    "Uczeń wykazuje szczególne zainteresowania przedmiotami ścisłymi oraz bierze udział w konkursach");

TEST_F(TextBox, withoutCorrectionTheWholeTextIsLeftToQt)
{
    EXPECT_TRUE(lines(kPan, PixelBox{0, 0, 300, 2000}, 0.0).empty());
}

TEST_F(TextBox, correctionSetsTheLinePitchEitherWay)
{
    const PixelBox box{100, 50, 400, 3000};
    const int h = lineHeightPx();
    for (double correctionMm : {2.0, 0.5, -1.5, -2.0}) {
        const auto laidOut = lines(kPan, box, correctionMm);
        ASSERT_GE(laidOut.size(), 3u) << correctionMm;
        const int extraPx = static_cast<int>(correctionMm * 10);
        for (std::size_t i = 0; i < laidOut.size(); ++i) {
            EXPECT_EQ(laidOut[i].box, (PixelBox{100, 50 + int(i) * (h + extraPx), 400, 3000}))
                << "line " << i << " at " << correctionMm << " mm";
        }
    }
}

TEST_F(TextBox, wordWalkFillsEachLineWithWholeWordsThatFit)
{
    const int widthPx = 420;
    const auto laidOut = lines(kPan, PixelBox{0, 0, widthPx, 3000}, 1.0);
    ASSERT_GE(laidOut.size(), 3u);
    QStringList rebuilt;
    for (std::size_t i = 0; i < laidOut.size(); ++i) {
        const QString& line = laidOut[i].text;
        EXPECT_FALSE(line.startsWith(u' ')) << i;
        EXPECT_FALSE(line.endsWith(u' ')) << i;
        EXPECT_LE(advancePx(line), widthPx) << i;
        if (i + 1 < laidOut.size()) {
            // The next line's first word would not have fitted.
            const QString nextWord = laidOut[i + 1].text.section(u' ', 0, 0);
            EXPECT_GT(advancePx(line + u' ' + nextWord), widthPx) << i;
        }
        rebuilt << line;
    }
    EXPECT_EQ(rebuilt.join(u' '), kPan);
}

TEST_F(TextBox, lastWordThatOverflowsGetsALineOfItsOwn)
{
    const QString text = QStringLiteral("aaaa bbbb cccc");
    const int widthPx = advancePx(QStringLiteral("aaaa bbbb")) + 2;
    const auto laidOut = lines(text, PixelBox{0, 0, widthPx, 3000}, 1.0);
    ASSERT_EQ(laidOut.size(), 2u);
    EXPECT_EQ(laidOut[0].text, QStringLiteral("aaaa bbbb"));
    EXPECT_EQ(laidOut[1].text, QStringLiteral("cccc"));
}

// Every line break starts a line, so an empty line stays an empty line, as
// it does without a correction; a wrapped line leaves its blanks at the break.
TEST_F(TextBox, lineEndsStartNewLinesAndEmptyLinesStay)
{
    const struct {
        QString text;
        std::vector<QString> lines;
    } cases[] = {
        {QStringLiteral("Ala\r\n\r\nma\tkota"),
         {QStringLiteral("Ala"), QString(), QStringLiteral("ma\tkota")}},
        {QStringLiteral("a\n\n\nb\r\n"),
         {QStringLiteral("a"), QString(), QString(), QStringLiteral("b")}},
        {QStringLiteral("\r\nb\rc"), {QString(), QStringLiteral("b"), QStringLiteral("c")}},
    };
    for (const auto& c : cases) {
        const auto laidOut = lines(c.text, PixelBox{0, 0, 1000, 3000}, 1.0);
        ASSERT_EQ(laidOut.size(), c.lines.size()) << c.text.toStdString();
        for (std::size_t k = 0; k < laidOut.size(); ++k)
            EXPECT_EQ(laidOut[k].text, c.lines[k]) << c.text.toStdString() << " line " << k;
        // Lines follow each other at one pitch, the empty ones too.
        for (std::size_t k = 1; k < laidOut.size(); ++k)
            EXPECT_GT(laidOut[k].box.topPx, laidOut[k - 1].box.topPx);
    }
    const auto wrapped = lines(kPan, PixelBox{0, 0, 200, 3000}, 1.0);
    ASSERT_GE(wrapped.size(), 2u);
    EXPECT_FALSE(wrapped[1].text.startsWith(QLatin1Char(' ')));
}

TEST_F(TextBox, aWordLongerThanTheBoxStaysWholeAndTheWalkEnds)
{
    const QString text = QStringLiteral("Konstantynopolitańczykowianeczka ma kota");
    const auto laidOut = lines(text, PixelBox{0, 0, 60, 3000}, 1.0);
    ASSERT_EQ(laidOut.size(), 3u);
    EXPECT_EQ(laidOut[0].text, QStringLiteral("Konstantynopolitańczykowianeczka"));
}

TEST_F(TextBox, linesBelowTheBoxAreLeftOutAndEmptyBoxesGetNone)
{
    const int h = lineHeightPx();
    const auto laidOut = lines(kPan, PixelBox{0, 0, 200, 2 * (h + 10) - 1}, 1.0);
    EXPECT_EQ(laidOut.size(), 2u);
    EXPECT_TRUE(lines(kPan, PixelBox{0, 0, 0, 500}, 1.0).empty());
    EXPECT_TRUE(lines(QString(), PixelBox{0, 0, 200, 500}, 1.0).empty());
}

// Painting whole pages and looking at the ink.
class PaintedText : public ::testing::Test {
protected:
    QImage paint(const TFra& phrase, const std::string& text)
    {
        TestClass cls;
        const std::size_t j = cls.add(phrase);
        cls.pupils.value(0, j).text = text;
        QImage image = whiteSurface(1200, 1000);
        QPainter painter(&image);
        CertificateRenderer(cls.phrases, cls.pupils, cls.options, "/nonexistent/")
            .drawPage(painter, 0, 0, image.width(), image.height(), 1.0);
        return image;
    }
    static TFra box(int align, float lineSpacing = 0.0f)
    {
        TFra f = phraseAt(PhraseKind::Text, 20, 30.0f, 60, 40);  // x 200..800 px
        f.align = static_cast<std::int16_t>(align);
        f.lineSpacing = lineSpacing;
        return f;
    }
};

TEST_F(PaintedText, alignmentPlacesTheInkInsideTheBox)
{
    const QRect left = inkBounds(paint(box(0), "MMMM"));
    const QRect centre = inkBounds(paint(box(1), "MMMM"));
    const QRect right = inkBounds(paint(box(2), "MMMM"));
    ASSERT_FALSE(left.isNull());
    EXPECT_NEAR(left.left(), 200, 4);
    EXPECT_NEAR((centre.left() + centre.right() + 1) / 2.0, 500.0, 4);
    EXPECT_NEAR(right.right() + 1, 800, 4);
    EXPECT_EQ(centre.width(), left.width());
}

TEST_F(PaintedText, firstLineStandsOnTheBaseLine)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    const QImage surface = whiteSurface(8, 8);
    const int descentPx = QFontMetrics(font, &surface).descent();
    // "E" has no descender: its ink ends on the font's base line, which lies
    // the descent above y0 (300 px).
    const QRect ink = inkBounds(paint(box(0), "EEE"));
    EXPECT_NEAR(ink.bottom() + 1, 300 - descentPx, 2);
}

TEST_F(PaintedText, textIsClippedToItsBox)
{
    TFra f = box(0);
    f.height = 1;  // the box is 10 px high after standing on the base line
    const QRect ink = inkBounds(paint(f, "Wysoki tekst"));
    ASSERT_FALSE(ink.isNull());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    const QImage surface = whiteSurface(8, 8);
    const int topPx = 300 - QFontMetrics(font, &surface).height();
    EXPECT_GE(ink.top(), topPx);
    EXPECT_LT(ink.bottom(), topPx + 10);
}

TEST_F(PaintedText, correctionMovesTheFollowingLinesOnPaper)
{
    const std::string text = "AAAA BBBB";  // no descenders: the ink ends on each base line
    TFra narrow = box(0, 3.0f);
    narrow.width = 10;  // one word a line
    const QRect wide = inkBounds(paint(narrow, text));
    narrow.lineSpacing = -1.0f;
    const QRect tight = inkBounds(paint(narrow, text));
    ASSERT_FALSE(wide.isNull());
    // Same first line; the second one 4 mm (40 px) higher with the tighter setting.
    EXPECT_EQ(wide.top(), tight.top());
    EXPECT_EQ(wide.bottom() - tight.bottom(), 40);
}

}  // namespace

}  // namespace wykazki

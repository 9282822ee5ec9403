// Where each phrase lands: boxes in device pixels from the millimetre
// positions, the shift, the base line and the surface's edges.

#include "print/certificaterenderer.h"
#include "print/units.h"
#include "printtestsupport.h"

#include "document/cp1250.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace wykazki {

namespace {

constexpr int kClipWidthPx = 1500;   // 150 mm at 254 dpi
constexpr int kClipHeightPx = 2000;  // 200 mm

class PageLayout : public ::testing::Test {
protected:
    std::vector<PlacedElement> layout(int page = 0, double scale = 1.0, std::size_t pupil = 0)
    {
        CertificateRenderer renderer(cls.phrases, cls.pupils, cls.options, "/nonexistent/");
        return renderer.layoutPage(surface, pupil, page, kClipWidthPx, kClipHeightPx, scale);
    }
    // The height of one text line of a DejaVu Sans font on the test surface.
    int lineHeightPx(int pointSize = 10)
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(pointSize);
        return QFontMetrics(font, &surface).height();
    }

    QImage surface = whiteSurface(8, 8);  // only its resolution matters here
    TestClass cls;
};

TEST_F(PageLayout, textBoxComesFromMillimetresPlusShiftStandingOnItsBaseLine)
{
    const std::size_t j = cls.add(phraseAt(PhraseKind::Text, 20, 30.5f, 50, 12));
    cls.pupils.value(0, j).text = "Ala";
    cls.options.left = 5;
    cls.options.top = -3;

    const auto elements = layout();
    ASSERT_EQ(elements.size(), 1u);
    const int h = lineHeightPx();
    // left = px(20 + 5), top = px(30.5 − 3) − h, right = left + px(50), bottom = top + px(12).
    EXPECT_EQ(elements[0].box, (PixelBox{250, 275 - h, 750, 395 - h}));
    EXPECT_EQ(elements[0].text, QStringLiteral("Ala"));
}

TEST_F(PageLayout, storedFloatY0IsTruncatedAfterAddingTheShift)
{
    cls.add(phraseAt(PhraseKind::Text, 0, 33.3f, 10, 10));
    cls.options.top = 2;
    const auto elements = layout();
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].box.topPx, 352 - lineHeightPx());  // 35.2999992 mm
}

TEST_F(PageLayout, boxesStartingOffTheSurfaceAreCutAtItsEdges)
{
    cls.add(phraseAt(PhraseKind::Text, 20, 2.0f, 50,
                     10));  // left shifted to -100 px, top above the edge
    cls.add(phraseAt(PhraseKind::Text, 170, 190.0f, 50,
                     30));  // 140 mm after the shift, runs past both edges
    cls.options.left = -30;

    const auto elements = layout();
    ASSERT_EQ(elements.size(), 2u);
    const int h = lineHeightPx();
    // The first box is cut, not moved: its right edge stays at -100 + 500.
    EXPECT_EQ(elements[0].box, (PixelBox{0, 0, 400, 20 + 100 - h}));
    EXPECT_EQ(elements[1].box, (PixelBox{1400, 1900 - h, kClipWidthPx, kClipHeightPx}));
}

TEST_F(PageLayout, noWidthAndNoHeightReachTheSurfaceEdgesAndForceLeftAlignment)
{
    TFra centred = phraseAt(PhraseKind::Text, 30, 40.0f, 0, 0);
    centred.align = 1;
    cls.add(centred);
    TFra topEdge = phraseAt(PhraseKind::Text, 10, 0.0f, 0, 0);  // one line at y0 = 0
    topEdge.align = 2;
    cls.add(topEdge);

    const auto elements = layout();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].box, (PixelBox{300, 400 - lineHeightPx(), kClipWidthPx, kClipHeightPx}));
    EXPECT_EQ(elements[0].flags, Qt::TextWordWrap | Qt::AlignTop | Qt::AlignLeft);
    EXPECT_EQ(elements[1].box, (PixelBox{100, 0, kClipWidthPx, kClipHeightPx}));
    EXPECT_EQ(elements[1].flags, Qt::TextWordWrap | Qt::AlignTop | Qt::AlignLeft);
}

TEST_F(PageLayout, alignmentAppliesOnlyToBoxesWithAWidth)
{
    for (int align : {0, 1, 2}) {
        TFra f = phraseAt(PhraseKind::Text, 10, 50.0f, 60, 0);
        f.align = static_cast<std::int16_t>(align);
        cls.add(f);
    }
    TFra noWidthRight = phraseAt(PhraseKind::Text, 10, 50.0f, 0, 10);
    noWidthRight.align = 2;
    cls.add(noWidthRight);

    const auto elements = layout();
    ASSERT_EQ(elements.size(), 4u);
    const int base = Qt::TextWordWrap | Qt::AlignTop;
    EXPECT_EQ(elements[0].flags, base | Qt::AlignLeft);
    EXPECT_EQ(elements[1].flags, base | Qt::AlignHCenter);
    EXPECT_EQ(elements[2].flags, base | Qt::AlignRight);
    EXPECT_EQ(elements[3].flags, base | Qt::AlignLeft);
    // Wys 0 with a width: the box still reaches the bottom edge.
    EXPECT_EQ(elements[0].box.bottomPx, kClipHeightPx);
    EXPECT_EQ(elements[3].box.rightPx, kClipWidthPx);
}

TEST_F(PageLayout, onlyTheRequestedPagesPhrasesArePlacedInListOrder)
{
    for (int page : {0, 2, 1, 2, 3})
        cls.add(phraseAt(PhraseKind::Text, 10, 20.0f, 10, 10, page));

    const auto onPage2 = layout(2);
    ASSERT_EQ(onPage2.size(), 2u);
    EXPECT_EQ(onPage2[0].phrase, 1u);
    EXPECT_EQ(onPage2[1].phrase, 3u);
    EXPECT_EQ(layout(0).size(), 1u);
    EXPECT_EQ(layout(3).size(), 1u);
}

TEST_F(PageLayout, gradePhrasesPrintTheWordingOfTheirIndexAndNothingOutside0To10)
{
    const std::vector<int> grades = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -1, 127};
    for (int g : grades) {
        const std::size_t j = cls.add(phraseAt(PhraseKind::Grade, 10, 20.0f, 40, 10));
        cls.pupils.value(0, j).grade = static_cast<std::int8_t>(g);
    }
    cls.options.wordings[3] = cp("Dobry plus");

    const auto elements = layout();
    ASSERT_EQ(elements.size(), grades.size());
    const char* expected[] = {"Niedostateczny",
                              "Dopuszczający",
                              "Dostateczny",
                              "Dobry plus",
                              "Bardzo dobry",
                              "Celujący",
                              "--------------",
                              "Zwolniona",
                              "Zwolniony",
                              "Nieklasyfikowana",
                              "Nieklasyfikowany",
                              "",
                              "",
                              ""};
    for (std::size_t i = 0; i < grades.size(); ++i)
        EXPECT_EQ(elements[i].text, QString::fromUtf8(expected[i])) << "grade index " << grades[i];
}

TEST_F(PageLayout, textPhrasesPrintThePupilsOwnTextDecodedFromWindows1250)
{
    TFra f = phraseAt(PhraseKind::Text, 10, 20.0f, 40, 10);
    f.text = "the phrase's own value is never printed";
    const std::size_t j = cls.add(f);
    cls.pupils.resize(2, cls.phrases.count());
    cls.pupils.value(0, j).text = cp("Zażółć gęślą jaźń");
    cls.pupils.value(1, j).text = cp("ŁÓDŹ");

    EXPECT_EQ(layout(0, 1.0, 0).at(0).text, QString::fromUtf8("Zażółć gęślą jaźń"));
    EXPECT_EQ(layout(0, 1.0, 1).at(0).text, QString::fromUtf8("ŁÓDŹ"));
    EXPECT_TRUE(layout(0, 1.0, 2).empty());  // no such pupil
}

TEST_F(PageLayout, scaleShrinksBoxesAndFontSizesWithTruncation)
{
    TFra f = phraseAt(PhraseKind::Text, 21, 33.3f, 10, 20);
    f.fontSize = 11;
    f.lineSpacing = 1.0f;
    const std::size_t j = cls.add(f);
    cls.pupils.value(0, j).text = "Ala ma kota";

    const auto elements = layout(0, 0.5);
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].font.font.pointSize(), 5);
    const int h = lineHeightPx(5);
    // 210 → 105, 332 → 166, 310 → 155, 532 → 266; then the base line.
    EXPECT_EQ(elements[0].box, (PixelBox{105, 166 - h, 155, 266 - h}));
    // The line spacing correction is not scaled: 1 mm is still 10 px.
    const auto& lines = elements[0].lines;
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[1].box.topPx - lines[0].box.topPx, h + 10);
}

TEST_F(PageLayout, phraseFontAndColourReachTheElement)
{
    TFra f = phraseAt(PhraseKind::Text, 10, 20.0f, 40, 10);
    f.fontSize = 14;
    f.fontColor = 0x00336699;  // blue 0x33, green 0x66, red 0x99
    f.bold = 1;
    f.underline = 1;
    cls.add(f);

    const auto elements = layout();
    ASSERT_EQ(elements.size(), 1u);
    EXPECT_EQ(elements[0].font.color, QColor(0x99, 0x66, 0x33));
    EXPECT_EQ(elements[0].font.font.pointSize(), 14);
    EXPECT_TRUE(elements[0].font.font.bold());
    EXPECT_TRUE(elements[0].font.font.underline());
    EXPECT_FALSE(elements[0].font.font.italic());
    EXPECT_EQ(elements[0].box.topPx, 200 - lineHeightPx(14));
}

TEST_F(PageLayout, unknownKindsAreNotDrawn)
{
    cls.add(phraseAt(PhraseKind{3}, 10, 20.0f, 40, 10));
    EXPECT_TRUE(layout().empty());
}

}  // namespace

namespace {

// Values one flipped byte in a class file can produce: nothing overflows
// (the sanitizer build checks the arithmetic), NaN counts as 0, and what
// lies beyond the sheet prints nothing.
TEST_F(PageLayout, extremeStoredValuesLandOffTheSheetWithoutOverflow)
{
    constexpr float inf = std::numeric_limits<float>::infinity();
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr std::int32_t maxShift = std::numeric_limits<std::int32_t>::max();
    constexpr std::int32_t minShift = std::numeric_limits<std::int32_t>::min();
    struct Case {
        const char* what;
        std::int16_t x0;
        float y0;
        std::int16_t width, height;
        std::int32_t left, top;
        float lineSpacing;
        bool prints;
    };
    const Case cases[] = {
        {"x0 32767 plus the largest shift", 32767, 50.0f, 0, 0, maxShift, 0, 0.0f, false},
        {"x0 -32768 plus the smallest shift", -32768, 50.0f, 10, 0, minShift, 0, 0.0f, false},
        {"y0 infinite", 10, inf, 10, 10, 0, 0, 0.0f, false},
        {"y0 huge plus the largest shift", 10, 3.4e38f, 10, 10, 0, maxShift, 0.0f, false},
        {"y0 minus infinity with a height", 10, -inf, 10, 10, 0, 0, 0.0f, false},
        {"y0 NaN counts as 0", 10, nan, 50, 10, 0, 0, 0.0f, true},
        {"V-Korekta NaN counts as none", 10, 50.0f, 50, 10, 0, 0, nan, true},
        {"V-Korekta infinite", 10, 50.0f, 20, 100, 0, 0, inf, true},
        {"V-Korekta minus infinity", 10, 50.0f, 20, 100, 0, 0, -inf, true},
        {"the largest box", 0, 50.0f, 32767, 32767, 0, 0, 1.0f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cls = TestClass();
        TFra phrase = phraseAt(PhraseKind::Text, c.x0, c.y0, c.width, c.height);
        phrase.lineSpacing = c.lineSpacing;
        const std::size_t j = cls.add(phrase);
        cls.pupils.value(0, j).text = "Ala ma kota, a kot ma Ale";
        cls.options.left = c.left;
        cls.options.top = c.top;
        const auto elements = layout();
        ASSERT_EQ(elements.size(), 1u);
        EXPECT_EQ(!elements[0].box.isEmpty(), c.prints);
        for (const TextLine& line : elements[0].lines)
            EXPECT_LE(std::abs(line.box.topPx), kMaxDevicePixels);
        QImage page = whiteSurface(kClipWidthPx, kClipHeightPx);
        QPainter painter(&page);
        paintElements(painter, elements);
        painter.end();
        EXPECT_EQ(inkBounds(page).isNull(), !c.prints);
    }

    // NaN lands where 0 would.
    cls = TestClass();
    cls.add(phraseAt(PhraseKind::Text, 10, nan, 50, 10));
    cls.add(phraseAt(PhraseKind::Text, 10, 0.0f, 50, 10));
    const auto elements = layout();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].box, elements[1].box);
}

}  // namespace

}  // namespace wykazki

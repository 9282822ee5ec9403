// The Qt side of document data: Windows-1250 texts and 0x00BBGGRR colours.

#include "qtbridge/colorref.h"
#include "qtbridge/cp1250text.h"

#include <gtest/gtest.h>

namespace wykazki {

namespace {

TEST(Cp1250Text, everyByteRoundTripsThroughQString)
{
    std::string bytes;
    for (int b = 0; b < 256; ++b)
        bytes.push_back(char(b));
    const QString text = qstringFromCp1250(bytes);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(text[0xB9], QChar(u'ą'));
    EXPECT_EQ(text[0x81], QChar(u'\u0081'));  // unassigned bytes keep their number
    EXPECT_TRUE(cp1250CanHold(text));
    EXPECT_EQ(cp1250FromQString(text, Unmappable::Drop), bytes);
}

TEST(Cp1250Text, charactersTheCodePageCannotHoldAreDroppedOrQuestioned)
{
    struct Case {
        const char16_t* text;
        const char* dropped;
        const char* questioned;
    };
    const Case cases[] = {
        {u"Żółw €", "\xAF\xF3\xB3w \x80", "\xAF\xF3\xB3w \x80"},
        {u"a✓b", "ab", "a?b"},
        {u"x\U0001F600y", "xy", "x?y"},  // a surrogate pair is one character
        {u"", "", ""},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        SCOPED_TRACE(text.toStdString());
        EXPECT_EQ(cp1250FromQString(text, Unmappable::Drop), c.dropped);
        EXPECT_EQ(cp1250FromQString(text, Unmappable::Question), c.questioned);
        EXPECT_EQ(cp1250CanHold(text), std::string(c.dropped) == c.questioned);
    }
}

TEST(ColorRef, redIsTheLowByteAndTheTopByteIsIgnored)
{
    struct Case {
        std::uint32_t colorref;
        QColor color;
        std::uint32_t back;
    };
    const Case cases[] = {
        {0x0000FF, QColor(255, 0, 0), 0x0000FF},
        {0x00FF00, QColor(0, 255, 0), 0x00FF00},
        {0xFF0000, QColor(0, 0, 255), 0xFF0000},
        {0xFF123456, QColor(0x56, 0x34, 0x12), 0x123456},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.colorref);
        EXPECT_EQ(toQColor(c.colorref), c.color);
        EXPECT_EQ(fromQColor(c.color), c.back);
        EXPECT_EQ(fromQColor(c.color.toHsv()), c.back);
    }
}

}  // namespace

}  // namespace wykazki

// The RTF reader on what LibreOffice Writer wrote (data/*.rtf, made from the
// .html files beside them with soffice --convert-to rtf) and on hand-made
// documents in the forms WordPad writes and hostile ones.

#include "richtext/rtfreader.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTemporaryDir>

#include <chrono>
#include <future>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace wykazki {

namespace {

QByteArray testFile(const char* name)
{
    QFile file(QStringLiteral(WYKAZKI_TEST_DATA "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

QStringList paragraphs(const QTextDocument& document)
{
    QStringList texts;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
        texts << b.text();
    while (!texts.isEmpty() && texts.last().isEmpty())
        texts.removeLast();
    return texts;
}

// The format of the first character of the first occurrence of text.
std::optional<QTextCharFormat> formatOf(const QTextDocument& document, const QString& text)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.text().contains(text))
                return f.charFormat();
        }
    }
    return std::nullopt;
}

TEST(RtfReader, libreOfficeFormatting)
{
    QTextDocument doc;
    ASSERT_TRUE(readRtf(testFile("formatowanie.rtf"), doc));
    EXPECT_EQ(paragraphs(doc),
              (QStringList{QStringLiteral("Zażółć gęślą jaźń"),
                           QStringLiteral("Zwykły tekst, pogrubiony, pochylony i podkreślony."),
                           QStringLiteral("Czerwony i niebieski kolor."),
                           QStringLiteral("Mały tekst do prawej: ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż")}));
    EXPECT_EQ(doc.begin().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(doc.begin().next().blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_EQ(doc.lastBlock().previous().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);

    const struct {
        const char* text;
        bool bold, italic, underline;
        double points;
        QColor colour;  // invalid: no colour of its own
    } cases[] = {
        {"Zażółć", true, false, false, 16, {}},
        {"Zwykły", false, false, false, 12, {}},
        {"pogrubiony", true, false, false, 12, {}},
        {"pochylony", false, true, false, 12, {}},
        {"podkreślony", false, false, true, 12, {}},
        {"Czerwony", false, false, false, 12, QColor(255, 0, 0)},
        {"niebieski", false, false, false, 12, QColor(0, 0, 255)},
        {"Mały", false, false, false, 8, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto format = formatOf(doc, QString::fromUtf8(c.text));
        ASSERT_TRUE(format);
        EXPECT_EQ(format->fontWeight() == QFont::Bold, c.bold);
        EXPECT_EQ(format->fontItalic(), c.italic);
        EXPECT_EQ(format->fontUnderline(), c.underline);
        EXPECT_DOUBLE_EQ(format->fontPointSize(), c.points);
        if (c.colour.isValid())
            EXPECT_EQ(format->foreground().color(), c.colour);
        else
            EXPECT_EQ(format->foreground().style(), Qt::NoBrush);
        EXPECT_EQ(format->fontFamilies().toStringList(),
                  QStringList{QStringLiteral("DejaVu Serif")});
    }
}

TEST(RtfReader, libreOfficeTablePictureAndLink)
{
    QTextDocument doc;
    ASSERT_TRUE(readRtf(testFile("tabela.rtf"), doc));
    // Cells become paragraphs; the picture's bytes and the link's field
    // instruction are not text, the link's shown text is.
    EXPECT_EQ(paragraphs(doc),
              (QStringList{QStringLiteral("Oceny przed tabelą."), QStringLiteral("Matematyka"),
                           QStringLiteral("bardzo dobry"), QStringLiteral("Język polski"),
                           QStringLiteral("celujący"), QStringLiteral("Obrazek:  i dalej."),
                           QStringLiteral("Po tabeli: łącze koniec.")}));
}

// Hand-made documents: what they show as plain text (paragraphs joined by
// "\n"), or nothing when the reader must refuse them.
TEST(RtfReader, plainTextOfDocuments)
{
    const QByteArray deep =
        "{\\rtf1 " + QByteArray(100000, '{') + "x" + QByteArray(100000, '}') + "y}";
    const QByteArray longWord = "{\\rtf1 \\" + QByteArray(5000, 'a') + " tekst}";
    const struct {
        const char* name;
        QByteArray rtf;
        std::optional<QString> text;
    } cases[] = {
        {"not rtf", "Zwykły tekst", std::nullopt},
        {"empty", "", std::nullopt},
        {"wordpad 1250",
         "{\\rtf1\\ansi\\ansicpg1250\\deff0{\\fonttbl{\\f0\\fnil\\fcharset238 Arial;}}"
         "\\pard Za\\'bf\\'f3\\'b3\\'e6 g\\'ea\\'9cl\\'b9\\par\r\nja\\'9f\\'f1\\par}",
         QStringLiteral("Zażółć gęślą\njaźń\n")},
        {"font charset over document page",
         "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 A;}{\\f1\\fcharset238 B;}}\\'b9\\f1\\'b9}",
         QStringLiteral("¹ą")},
        {"negative \\u and fallback", "{\\rtf1 \\u-3998?\\u261\\'b9x}", QStringLiteral("\uF062ąx")},
        {"\\uc0 and \\uc2", "{\\rtf1 {\\uc0\\u322 a}{\\uc2\\u322 ab}c}", QStringLiteral("łałc")},
        {"surrogate pair", "{\\rtf1 \\u-10179?\\u-8704?}", QString::fromUcs4(U"\U0001F600")},
        {"lone surrogates", "{\\rtf1 \\u-10179?x\\u-8704?}", QStringLiteral("\uFFFDx\uFFFD")},
        {"escapes", "{\\rtf1 \\{a\\}\\\\b\\~c\\-d\\tab e\\line f}",
         QStringLiteral("{a}\\b c") + QStringLiteral("d\te\nf")},
        {"hidden and skipped", "{\\rtf1 a{\\v b}{\\*\\unknown c}{\\pict 0102}{\\info{\\title t}}d}",
         QStringLiteral("ad")},
        {"binary data", "{\\rtf1 a{\\*\\blip\\bin4 }}}}b}c}", QStringLiteral("ac")},
        {"binary past the end", "{\\rtf1 a\\bin99999999 xyz", QStringLiteral("a")},
        {"stray brace ends", "{\\rtf1 a}b", QStringLiteral("a")},
        {"unclosed", "{\\rtf1 a{\\b b", QStringLiteral("ab")},
        {"truncated hex", "{\\rtf1 a\\'4", QStringLiteral("a4")},
        {"bad hex", "{\\rtf1 a\\'zz", QStringLiteral("azz")},
        {"huge parameters", "{\\rtf1 \\fs99999999999999999999 a\\li-99999999999 b\\u99999999 c}",
         QStringLiteral("ab")},
        {"control bytes dropped", "{\\rtf1 a\x01\x7f\\u0?\\u8233?b}", QStringLiteral("ab")},
        {"deep nesting", deep, QStringLiteral("xy")},
        {"long control word", longWord, QStringLiteral("tekst")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument doc;
        const bool read = readRtf(c.rtf, doc);
        EXPECT_EQ(read, c.text.has_value());
        EXPECT_EQ(doc.toPlainText(), c.text.value_or(QString()));
    }
}

TEST(RtfReader, formattingFollowsGroupsAndResets)
{
    QTextDocument doc;
    ASSERT_TRUE(readRtf(
        "{\\rtf1{\\colortbl;\\red0\\green128\\blue0;}\\pard\\qj\\li1500\\sb300\\tx1500\\tx3000 "
        "{\\b\\i\\ul\\strike\\cf1\\highlight1\\fs40 A}B\\b C\\plain D\\par"
        "\\pard E}",
        doc));
    const struct {
        const char* text;
        bool bold;
        bool styled;  // italic, underline, strike, colours, 20 points
    } cases[] = {{"A", true, true}, {"B", false, false}, {"C", true, false}, {"D", false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto format = formatOf(doc, QLatin1String(c.text));
        ASSERT_TRUE(format);
        EXPECT_EQ(format->fontWeight() == QFont::Bold, c.bold);
        EXPECT_EQ(format->fontItalic(), c.styled);
        EXPECT_EQ(format->fontUnderline(), c.styled);
        EXPECT_EQ(format->fontStrikeOut(), c.styled);
        EXPECT_EQ(format->foreground().style() != Qt::NoBrush, c.styled);
        EXPECT_EQ(format->background().style() != Qt::NoBrush, c.styled);
        EXPECT_DOUBLE_EQ(format->fontPointSize(), c.styled ? 20.0 : 12.0);
    }
    EXPECT_EQ(formatOf(doc, QStringLiteral("A"))->foreground().color(), QColor(0, 128, 0));
    const QTextBlockFormat first = doc.begin().blockFormat();
    EXPECT_EQ(first.alignment(), Qt::AlignJustify);
    EXPECT_DOUBLE_EQ(first.leftMargin(), 100.0);
    EXPECT_DOUBLE_EQ(first.topMargin(), 20.0);
    ASSERT_EQ(first.tabPositions().size(), 2);
    EXPECT_DOUBLE_EQ(first.tabPositions()[1].position, 200.0);
    EXPECT_EQ(doc.lastBlock().blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(doc.lastBlock().blockFormat().leftMargin(), 0.0);
}

QByteArray repeated(const QByteArray& piece, int times)
{
    return piece.repeated(times);
}

QString lastParagraph(const QTextDocument& document)
{
    return document.lastBlock().text();
}

// Each limit: a document just at it is kept whole, one a step beyond is
// cut there with the note at the end.
TEST(RtfReaderLimits, documentsAreKeptUpToEachLimitAndCutBeyondIt)
{
    const auto fonts = [](int n) {
        QByteArray rtf = "{\\rtf1{\\fonttbl";
        for (int i = 0; i < n; ++i)
            rtf += "{\\f" + QByteArray::number(i) + " Font" + QByteArray::number(i) + ";}";
        rtf += "}";
        for (int i = 0; i < n; ++i)
            rtf += "\\f" + QByteArray::number(i) + " a ";
        return rtf + "}";
    };
    const struct {
        const char* name;
        QByteArray rtf;
        bool cut;
        bool fontsReplaced;
        int kept;  // characters at least, notes not counted
    } cases[] = {
        {"characters at the limit", "{\\rtf1 " + repeated("a ", rtf::kMaxCharacters / 2) + "}",
         false, false, rtf::kMaxCharacters},
        {"one character more", "{\\rtf1 " + repeated("a ", rtf::kMaxCharacters / 2) + "b}", true,
         false, rtf::kMaxCharacters},
        {"paragraphs at the limit",
         "{\\rtf1 " + repeated("a\\par ", rtf::kMaxParagraphs - 1) + "a}", false, false,
         2 * rtf::kMaxParagraphs},
        {"one paragraph more", "{\\rtf1 " + repeated("a\\par ", rtf::kMaxParagraphs) + "a}", true,
         false, 2 * rtf::kMaxParagraphs},
        {"format runs at the limit",
         "{\\rtf1 " + repeated("\\b a\\b0 a", rtf::kMaxFormatRuns / 2) + "}", false, false,
         rtf::kMaxFormatRuns},
        {"one run more", "{\\rtf1 " + repeated("\\b a\\b0 a", rtf::kMaxFormatRuns / 2) + "\\b a}",
         true, false, rtf::kMaxFormatRuns},
        {"fonts at the limit", fonts(rtf::kMaxFonts), false, false, 2 * rtf::kMaxFonts},
        {"one font more", fonts(rtf::kMaxFonts + 1), false, true, 2 * rtf::kMaxFonts + 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTextDocument doc;
        ASSERT_TRUE(readRtf(c.rtf, doc));
        QString text = doc.toPlainText();
        EXPECT_EQ(text.contains(rtf::textCutNote()), c.cut);
        EXPECT_EQ(text.contains(rtf::fontsReplacedNote()), c.fontsReplaced);
        if (c.cut || c.fontsReplaced) {
            EXPECT_TRUE(lastParagraph(doc).startsWith(QLatin1Char('[')));
        }
        EXPECT_LE(doc.characterCount(), rtf::kMaxCharacters + rtf::kMaxParagraphs + 400);
        text.remove(rtf::textCutNote()).remove(rtf::fontsReplacedNote());
        EXPECT_GE(text.trimmed().size(), c.kept - 1);
        EXPECT_LE(doc.blockCount(), rtf::kMaxParagraphs + 2);
    }
}

TEST(RtfReaderLimits, fontSizesStayWithinFourToNinetySixPoints)
{
    const struct {
        const char* word;
        double points;
    } cases[] = {{"\\fs1", 4},    {"\\fs7", 4},     {"\\fs8", 4}, {"\\fs9", 4.5}, {"\\fs192", 96},
                 {"\\fs193", 96}, {"\\fs2000", 96}, {"\\fs", 12}, {"\\fs-40", 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        QTextDocument doc;
        ASSERT_TRUE(readRtf("{\\rtf1 " + QByteArray(c.word) + " x}", doc));
        const auto format = formatOf(doc, QStringLiteral("x"));
        ASSERT_TRUE(format);
        EXPECT_DOUBLE_EQ(format->fontPointSize(), c.points);
    }
}

TEST(RtfReaderLimits, longWordsGetInvisibleBreaksAndKeepTheirText)
{
    QTextDocument doc;
    ASSERT_TRUE(
        readRtf("{\\rtf1 " + QByteArray(1000, 'x') + " " + QByteArray(100, 'y') + "}", doc));
    QString text = doc.toPlainText();
    EXPECT_EQ(text.count(QChar(0x200B)), 9);  // 1,000 x in ten pieces, the 100 y whole
    for (const QString& piece : text.split(QRegularExpression(QStringLiteral("[ \u200B]"))))
        EXPECT_EQ(piece.size(), 100);
    text.remove(QChar(0x200B));
    EXPECT_EQ(text,
              QString(1000, QLatin1Char('x')) + QLatin1Char(' ') + QString(100, QLatin1Char('y')));
}

// Only a regular file no larger than the limit is read; a FIFO is refused
// without waiting for a writer.
TEST(RtfReaderLimits, onlyRegularFilesWithinTheSizeLimitAreRead)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto make = [&dir](const char* name, qint64 size) {
        QFile file(dir.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{\\rtf1 tekst}");
        EXPECT_TRUE(file.resize(size));  // sparse: no disk taken
        return file.fileName();
    };
    const QString fifo = dir.filePath(QStringLiteral("fifo.rtf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        bool read;
    } cases[] = {
        {make("small.rtf", 100), true},
        {make("at-limit.rtf", rtf::kMaxFileBytes), true},
        {make("too-large.rtf", rtf::kMaxFileBytes + 1), false},
        {fifo, false},
        {dir.path(), false},
        {dir.filePath(QStringLiteral("missing.rtf")), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        auto read = std::async(std::launch::async, [&c] {
            QTextDocument doc;
            return readRtfFile(c.path, doc)
                   && doc.toPlainText().startsWith(QStringLiteral("tekst"));
        });
        ASSERT_EQ(read.wait_for(std::chrono::seconds(10)), std::future_status::ready);
        EXPECT_EQ(read.get(), c.read);
    }
}

}  // namespace

}  // namespace wykazki

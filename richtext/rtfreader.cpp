#include "rtfreader.h"

#include "rtfcodepage.h"

#include "document/platformfile.h"

#include <QColor>
#include <QFile>
#include <QLocale>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

namespace wykazki {

namespace {

// Groups nested deeper than this still count their braces but share the
// state of the last one kept: real documents never go near it, and the
// stack must not grow with a hostile file.
constexpr std::size_t kMaxDepth = 256;
// Font and colour tables longer than this keep their first entries only.
constexpr std::size_t kMaxTableEntries = 4096;
constexpr int kMaxFontNameLength = 128;
// Indents and spacing beyond 22 inches are taken as 22 inches.
constexpr int kMaxTwips = 31680;
constexpr double kTwipsPerPixel = 15.0;  // at 96 dots per inch
constexpr int kMaxNameLength = 32;       // control words are short
constexpr int kMaxDigits = 10;

enum class Destination { Text, Skip, FontTable, ColourTable };

struct CharState {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    int halfPoints = 24;
    int font = -1;  // -1: the document's default font
    int colour = 0;
    int highlight = 0;
    QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;

    bool operator==(const CharState&) const = default;
};

struct ParaState {
    Qt::Alignment align = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstTwips = 0;
    int beforeTwips = 0;
    int afterTwips = 0;
    std::array<int, 16> tabTwips{};  // \txN, the first ones only
    std::size_t tabs = 0;
};

struct Group {
    Destination destination = Destination::Text;
    CharState chars;
    ParaState para;
    int ucSkip = 1;  // bytes of fallback text after \uN
};

struct Font {
    QString name;
    int codePage = 0;  // 0: the document's code page
};

struct Colour {
    bool automatic = true;
    int red = 0;
    int green = 0;
    int blue = 0;
};

int clampTwips(int twips)
{
    return std::clamp(twips, -kMaxTwips, kMaxTwips);
}

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Destinations whose text is not part of the document.
bool isSkippedDestination(std::string_view word)
{
    static constexpr std::string_view kSkipped[] = {
        "annotation",
        "atnauthor",
        "atnid",
        "bkmkend",
        "bkmkstart",
        "colorschememapping",
        "datastore",
        "falt",
        "fldinst",
        "filetbl",
        "footer",
        "footerf",
        "footerl",
        "footerr",
        "footnote",
        "generator",
        "header",
        "headerf",
        "headerl",
        "headerr",
        "info",
        "latentstyles",
        "listoverridetable",
        "listtable",
        "mmathPr",
        "nonshppict",
        "object",
        "panose",
        "pgdsctbl",
        "pict",
        "private",
        "revtbl",
        "rsidtbl",
        "shp",
        "shpinst",
        "stylesheet",
        "tc",
        "themedata",
        "txe",
        "xe",
        "xmlnstbl",
    };
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

class Parser {
public:
    Parser(QByteArrayView data, QTextDocument& document) : data_(data), cursor_(&document)
    {
        groups_.emplace_back();
    }

    void run();

private:
    // Drops the rest of the document: a limit was reached.
    void cut() { cut_ = true; }

    Group& top() { return groups_.back(); }

    void openGroup();
    // False once the document's outermost group has closed.
    bool closeGroup();
    void controlSequence();
    void controlWord(std::string_view word, bool hasParam, int param);
    bool textControlWord(std::string_view word, bool hasParam, int param);
    bool formatControlWord(std::string_view word, bool hasParam, int param);

    // A byte of text, raw or as \'xx, in the current font's code page.
    void byte(unsigned char b);
    void character(char16_t c);
    void unicode(int param);
    void append(char16_t c);
    void paragraph();
    void flush();
    void finish();

    void commitFont();
    void commitColour();
    int codePage();
    QTextCharFormat charFormat(const CharState& state);
    QString family(int font);
    static QTextBlockFormat blockFormat(const ParaState& para);

    QByteArrayView data_;
    qsizetype pos_ = 0;
    QTextCursor cursor_;

    std::vector<Group> groups_;  // groups_[0]: outside every group
    qsizetype overflow_ = 0;     // open groups beyond kMaxDepth

    int documentCodePage_ = rtf::kCodePage1252;
    int defaultFont_ = 0;
    std::map<int, Font> fonts_;
    std::vector<Colour> colours_;

    // The font and colour table entries being read.
    int fontNumber_ = -1;
    int fontCharset_ = 1;
    QString fontName_;
    Colour colour_;

    int fallbackToSkip_ = 0;
    char16_t highSurrogate_ = 0;
    QString run_;  // text waiting to go in with runState_
    CharState runState_;

    // What the document holds so far, against the limits.
    int characters_ = 0;
    int paragraphs_ = 0;
    int runs_ = 0;             // changes of format
    CharState insertedState_;  // of the last run inserted
    int unbroken_ = 0;         // characters since the last place a line may break
    bool cut_ = false;
    QStringList families_;  // the fonts shown, at most rtf::kMaxFonts
    bool fontsReplaced_ = false;
};

// Where a line may break without a hyphen being added: spaces (not the
// non-breaking ones), tabs, hyphens and line breaks.
bool breaksLine(char16_t c)
{
    switch (c) {
    case u'\t':
    case u' ':
    case u'-':
    case 0x2002:  // en space
    case 0x2003:  // em space
    case 0x2005:  // four-per-em space
    case 0x200B:  // zero-width space
    case 0x2013:  // en dash
    case 0x2014:  // em dash
    case 0x2028:  // line separator
        return true;
    default: return false;
    }
}

void Parser::run()
{
    while (pos_ < data_.size() && !cut_) {
        const char c = data_[pos_];
        switch (c) {
        case '{':
            ++pos_;
            openGroup();
            break;
        case '}':
            ++pos_;
            if (!closeGroup()) {
                finish();
                return;
            }
            break;
        case '\\': controlSequence(); break;
        case '\r':
        case '\n':
            ++pos_;  // line ends in the file are not text
            break;
        default:
            ++pos_;
            byte(static_cast<unsigned char>(c));
            break;
        }
    }
    finish();
}

void Parser::openGroup()
{
    if (groups_.size() >= kMaxDepth) {
        ++overflow_;
        return;
    }
    groups_.push_back(groups_.back());
}

bool Parser::closeGroup()
{
    fallbackToSkip_ = 0;
    if (overflow_ > 0) {
        --overflow_;
        return true;
    }
    if (top().destination == Destination::FontTable)
        commitFont();
    if (groups_.size() <= 1)
        return false;  // a stray closing brace ends the document
    groups_.pop_back();
    return groups_.size() > 1;
}

void Parser::controlSequence()
{
    ++pos_;  // the backslash
    if (pos_ >= data_.size())
        return;
    const char c = data_[pos_];
    if (!isLetter(c)) {
        ++pos_;
        switch (c) {
        case '\'': {
            const int high = pos_ < data_.size() ? hexValue(data_[pos_]) : -1;
            const int low = pos_ + 1 < data_.size() ? hexValue(data_[pos_ + 1]) : -1;
            if (high < 0 || low < 0)
                return;
            pos_ += 2;
            byte(static_cast<unsigned char>(high * 16 + low));
            return;
        }
        case '\\':
        case '{':
        case '}': character(static_cast<char16_t>(c)); return;
        case '~':
            character(0x00A0);  // non-breaking space
            return;
        case '_':
            character(0x2011);  // non-breaking hyphen
            return;
        case '*':
            // An optional destination: nothing this reader shows lives in one.
            top().destination = Destination::Skip;
            return;
        case '\r':
        case '\n':
            if (top().destination == Destination::Text)
                paragraph();
            return;
        default: return;  // \- optional hyphen, \: index entries, ...
        }
    }

    const qsizetype start = pos_;
    while (pos_ < data_.size() && isLetter(data_[pos_]))
        ++pos_;
    const auto length = static_cast<std::size_t>(pos_ - start);
    const std::string_view word = length <= kMaxNameLength
                                      ? std::string_view(data_.data() + start, length)
                                      : std::string_view();

    bool negative = false;
    if (pos_ + 1 < data_.size() && data_[pos_] == '-' && isDigit(data_[pos_ + 1])) {
        negative = true;
        ++pos_;
    }
    bool hasParam = false;
    std::int64_t value = 0;
    int digits = 0;
    while (pos_ < data_.size() && isDigit(data_[pos_])) {
        if (digits++ < kMaxDigits)
            value = value * 10 + (data_[pos_] - '0');
        hasParam = true;
        ++pos_;
    }
    if (pos_ < data_.size() && data_[pos_] == ' ')
        ++pos_;  // the delimiter belongs to the control word
    if (negative)
        value = -value;
    value = std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX);
    controlWord(word, hasParam, static_cast<int>(value));
}

void Parser::controlWord(std::string_view word, bool hasParam, int param)
{
    if (word == "bin") {
        // Binary data of the given length, in any destination.
        if (hasParam && param > 0)
            pos_ += std::min<qsizetype>(param, data_.size() - pos_);
        return;
    }
    Group& group = top();
    switch (group.destination) {
    case Destination::Skip: return;
    case Destination::FontTable:
        if (word == "f" && hasParam) {
            commitFont();
            fontNumber_ = param;
        } else if (word == "fcharset" && hasParam) {
            fontCharset_ = param;
        } else if (isSkippedDestination(word)) {
            group.destination = Destination::Skip;
        }
        return;
    case Destination::ColourTable:
        if (word == "red" || word == "green" || word == "blue") {
            const int v = std::clamp(param, 0, 255);
            colour_.automatic = false;
            (word == "red" ? colour_.red : word == "green" ? colour_.green : colour_.blue) = v;
        }
        return;
    case Destination::Text: break;
    }

    if (word == "fonttbl") {
        group.destination = Destination::FontTable;
    } else if (word == "colortbl") {
        group.destination = Destination::ColourTable;
    } else if (isSkippedDestination(word)) {
        group.destination = Destination::Skip;
    } else if (word == "ansicpg" && hasParam) {
        documentCodePage_ = param;
    } else if (word == "deff" && hasParam) {
        defaultFont_ = param;
    } else if (word == "uc" && hasParam) {
        group.ucSkip = std::clamp(param, 0, 16);
    } else if (word == "u" && hasParam) {
        unicode(param);
    } else if (!textControlWord(word, hasParam, param)) {
        formatControlWord(word, hasParam, param);
    }
}

bool Parser::textControlWord(std::string_view word, bool, int)
{
    static constexpr struct {
        std::string_view word;
        char16_t character;
    } kCharacters[] = {
        {"tab", u'\t'},        {"line", 0x2028},    {"emdash", 0x2014},  {"endash", 0x2013},
        {"bullet", 0x2022},    {"lquote", 0x2018},  {"rquote", 0x2019},  {"ldblquote", 0x201C},
        {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002}, {"qmspace", 0x2005},
    };
    for (const auto& entry : kCharacters) {
        if (entry.word == word) {
            character(entry.character);
            return true;
        }
    }
    // Table cells, sections and pages end paragraphs; a row ends with its
    // last cell already.
    if (word == "par" || word == "cell" || word == "nestcell" || word == "sect" || word == "page") {
        paragraph();
        return true;
    }
    return false;
}

bool Parser::formatControlWord(std::string_view word, bool hasParam, int param)
{
    CharState& chars = top().chars;
    ParaState& para = top().para;
    const bool on = !hasParam || param != 0;
    if (word == "plain") {
        chars = CharState{};
    } else if (word == "pard") {
        para = ParaState{};
    } else if (word == "b") {
        chars.bold = on;
    } else if (word == "i") {
        chars.italic = on;
    } else if (word == "strike" || word == "striked") {
        chars.strike = on;
    } else if (word == "ulnone") {
        chars.underline = false;
    } else if (word.starts_with("ul") && word != "ulc") {
        chars.underline = on;  // \ul, \uld, \uldb, \ulw, \ulwave, ...
    } else if (word == "v") {
        chars.hidden = on;
    } else if (word == "fs") {
        chars.halfPoints =
            hasParam ? std::clamp(param, 2 * rtf::kMinPoints, 2 * rtf::kMaxPoints) : 24;
    } else if (word == "f" && hasParam) {
        chars.font = param;
    } else if (word == "cf" && hasParam) {
        chars.colour = param;
    } else if ((word == "highlight" || word == "cb" || word == "chcbpat") && hasParam) {
        chars.highlight = param;
    } else if (word == "sub") {
        chars.vertical = QTextCharFormat::AlignSubScript;
    } else if (word == "super") {
        chars.vertical = QTextCharFormat::AlignSuperScript;
    } else if (word == "nosupersub") {
        chars.vertical = QTextCharFormat::AlignNormal;
    } else if (word == "ql") {
        para.align = Qt::AlignLeft;
    } else if (word == "qc") {
        para.align = Qt::AlignHCenter;
    } else if (word == "qr") {
        para.align = Qt::AlignRight;
    } else if (word == "qj" || word == "qd") {
        para.align = Qt::AlignJustify;
    } else if (word == "li") {
        para.leftTwips = clampTwips(param);
    } else if (word == "ri") {
        para.rightTwips = clampTwips(param);
    } else if (word == "fi") {
        para.firstTwips = clampTwips(param);
    } else if (word == "sb") {
        para.beforeTwips = clampTwips(param);
    } else if (word == "sa") {
        para.afterTwips = clampTwips(param);
    } else if (word == "tx") {
        if (para.tabs < para.tabTwips.size())
            para.tabTwips[para.tabs++] = std::clamp(param, 0, kMaxTwips);
    } else {
        return false;  // unknown control words are skipped
    }
    return true;
}

void Parser::byte(unsigned char b)
{
    if (fallbackToSkip_ > 0) {
        --fallbackToSkip_;
        return;
    }
    switch (top().destination) {
    case Destination::Text: append(rtf::decodeByte(b, codePage())); return;
    case Destination::FontTable:
        if (b == ';')
            commitFont();
        else if (fontName_.size() < kMaxFontNameLength)
            fontName_ += QChar(rtf::decodeByte(b, rtf::kCodePage1252));
        return;
    case Destination::ColourTable:
        if (b == ';')
            commitColour();
        return;
    case Destination::Skip: return;
    }
}

void Parser::character(char16_t c)
{
    if (fallbackToSkip_ > 0) {
        --fallbackToSkip_;
        return;
    }
    if (top().destination == Destination::Text)
        append(c);
}

void Parser::unicode(int param)
{
    // Values above 32767 are written as negative numbers.
    const int code = param < 0 ? param + 65536 : param;
    if (code >= 0 && code <= 0xFFFF)
        append(static_cast<char16_t>(code));
    fallbackToSkip_ = top().ucSkip;
}

void Parser::append(char16_t c)
{
    if (top().chars.hidden)
        return;
    // A pair of \uN surrogates makes one character; a lone half is shown as
    // the replacement character.
    QString text;
    if (highSurrogate_ != 0) {
        if (QChar::isLowSurrogate(c)) {
            text = QString(QChar(highSurrogate_)) + QChar(c);
            highSurrogate_ = 0;
        } else {
            text = QChar(QChar::ReplacementCharacter);
            highSurrogate_ = 0;
        }
    }
    if (text.size() != 2) {
        if (QChar::isHighSurrogate(c)) {
            highSurrogate_ = c;
        } else if (QChar::isLowSurrogate(c)) {
            text += QChar(QChar::ReplacementCharacter);
        } else if ((c < 0x20 && c != u'\t') || c == 0x7F || c == QChar::ParagraphSeparator) {
            // control characters would break the document's structure
        } else {
            text += QChar(c);
        }
    }
    if (text.isEmpty() || cut_)
        return;
    const bool breaks = breaksLine(text.front().unicode());
    const bool breakAdded = !breaks && unbroken_ >= rtf::kMaxUnbrokenCharacters;
    const int added = static_cast<int>(text.size()) + (breakAdded ? 1 : 0);
    if (characters_ + added > rtf::kMaxCharacters) {
        cut();
        return;
    }
    if (!run_.isEmpty() && !(runState_ == top().chars))
        flush();
    runState_ = top().chars;
    if (breakAdded) {
        run_ += QChar(0x200B);
        unbroken_ = 0;
    }
    unbroken_ = breaks ? 0 : unbroken_ + 1;
    run_ += text;
    characters_ += added;
}

void Parser::paragraph()
{
    flush();
    if (cut_)
        return;
    if (++paragraphs_ >= rtf::kMaxParagraphs) {
        cut();
        return;
    }
    unbroken_ = 0;
    cursor_.setBlockFormat(blockFormat(top().para));
    cursor_.insertBlock();
}

void Parser::flush()
{
    if (run_.isEmpty())
        return;
    // A run in the format of the one before (in another paragraph) is no
    // change of format.
    if (runs_ == 0 || !(runState_ == insertedState_))
        ++runs_;
    // Text taken in before a cut still goes in; a run beyond the limit
    // does not.
    if (runs_ <= rtf::kMaxFormatRuns) {
        insertedState_ = runState_;
        cursor_.insertText(run_, charFormat(runState_));
    } else {
        cut();
    }
    run_.clear();
}

void Parser::finish()
{
    flush();
    cursor_.setBlockFormat(blockFormat(top().para));
    // The notes stand in paragraphs of their own, in the default format.
    for (const auto& [reached, note] : {std::pair{cut_, rtf::textCutNote()},
                                        std::pair{fontsReplaced_, rtf::fontsReplacedNote()}}) {
        if (!reached)
            continue;
        cursor_.insertBlock(QTextBlockFormat(), QTextCharFormat());
        QTextCharFormat format;
        format.setFontItalic(true);
        cursor_.insertText(note, format);
    }
}

void Parser::commitFont()
{
    if (fontNumber_ >= 0 && (fonts_.size() < kMaxTableEntries || fonts_.contains(fontNumber_)))
        fonts_[fontNumber_] = Font{fontName_.trimmed(), rtf::codePageOfCharset(fontCharset_)};
    fontNumber_ = -1;
    fontCharset_ = 1;
    fontName_.clear();
}

void Parser::commitColour()
{
    if (colours_.size() < kMaxTableEntries)
        colours_.push_back(colour_);
    colour_ = Colour{};
}

int Parser::codePage()
{
    const int font = top().chars.font >= 0 ? top().chars.font : defaultFont_;
    const auto found = fonts_.find(font);
    if (found != fonts_.end() && found->second.codePage != 0)
        return found->second.codePage;
    return documentCodePage_;
}

QString Parser::family(int font)
{
    const auto found = fonts_.find(font);
    if (found == fonts_.end() || found->second.name.isEmpty())
        return {};
    const QString& name = found->second.name;
    if (families_.contains(name))
        return name;
    // Every family is looked up among the installed fonts when the text is
    // laid out; a document naming hundreds would take seconds.
    if (families_.size() >= rtf::kMaxFonts) {
        fontsReplaced_ = true;
        return {};
    }
    families_.append(name);
    return name;
}

QTextCharFormat Parser::charFormat(const CharState& state)
{
    QTextCharFormat format;
    format.setFontWeight(state.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(state.italic);
    format.setFontUnderline(state.underline);
    format.setFontStrikeOut(state.strike);
    format.setFontPointSize(state.halfPoints / 2.0);
    format.setVerticalAlignment(state.vertical);
    if (const QString name = family(state.font >= 0 ? state.font : defaultFont_); !name.isEmpty())
        format.setFontFamilies(QStringList{name});
    auto colourAt = [this](int index) -> const Colour* {
        if (index < 0 || static_cast<std::size_t>(index) >= colours_.size())
            return nullptr;
        const Colour& c = colours_[static_cast<std::size_t>(index)];
        return c.automatic ? nullptr : &c;
    };
    if (const Colour* c = colourAt(state.colour))
        format.setForeground(QColor(c->red, c->green, c->blue));
    if (const Colour* c = state.highlight > 0 ? colourAt(state.highlight) : nullptr)
        format.setBackground(QColor(c->red, c->green, c->blue));
    return format;
}

QTextBlockFormat Parser::blockFormat(const ParaState& para)
{
    QTextBlockFormat format;
    format.setAlignment(para.align);
    format.setLeftMargin(para.leftTwips / kTwipsPerPixel);
    format.setRightMargin(para.rightTwips / kTwipsPerPixel);
    format.setTextIndent(para.firstTwips / kTwipsPerPixel);
    format.setTopMargin(para.beforeTwips / kTwipsPerPixel);
    format.setBottomMargin(para.afterTwips / kTwipsPerPixel);
    if (para.tabs > 0) {
        QList<QTextOption::Tab> tabs;
        for (std::size_t i = 0; i < para.tabs; ++i)
            tabs.append(QTextOption::Tab(para.tabTwips[i] / kTwipsPerPixel, QTextOption::LeftTab));
        format.setTabPositions(tabs);
    }
    return format;
}

}  // namespace

namespace rtf {

namespace {

// "100 000", as Polish writes large numbers.
QString polishNumber(int n)
{
    return QLocale(QLocale::Polish).toString(n).replace(QChar::Nbsp, QLatin1Char(' '));
}

}  // namespace

QString textCutNote()
{
    return QStringLiteral("[Dalsza część dokumentu została pominięta: program pokazuje najwyżej "
                          "%1 znaków, %2 akapitów i %3 zmian wyglądu tekstu.]")
        .arg(polishNumber(kMaxCharacters), polishNumber(kMaxParagraphs),
             polishNumber(kMaxFormatRuns));
}

QString fontsReplacedNote()
{
    return QStringLiteral("[Część tekstu pokazano czcionką podstawową: program pokazuje najwyżej "
                          "%1 różnych czcionek.]")
        .arg(kMaxFonts);
}

}  // namespace rtf

bool readRtf(QByteArrayView data, QTextDocument& document)
{
    document.clear();
    // Nobody edits the document: an undo history would only hold a copy.
    document.setUndoRedoEnabled(false);
    if (!data.startsWith(QByteArrayView("{\\rtf")))
        return false;
    // One edit block: the document takes the text in without redoing its
    // block's layout after every run, which took seconds for long ones.
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    Parser(data, document).run();
    cursor.endEditBlock();
    return true;
}

bool readRtfFile(const QString& path, QTextDocument& document)
{
    platformfile::RegularFile file;
    if (file.open(QFile::encodeName(path).toStdString()) != platformfile::ReadResult::Ok
        || file.size() > rtf::kMaxFileBytes)
        return false;
    std::string bytes;
    if (!file.readAll(bytes, static_cast<std::size_t>(rtf::kMaxFileBytes)))
        return false;
    return readRtf(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())), document);
}

}  // namespace wykazki

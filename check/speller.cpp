#include "speller.h"

#include <hunspell/hunspell.hxx>

#include <QFile>

#include <iconv.h>

#include <algorithm>
#include <array>

namespace wykazki {

namespace {

// The characters of an 8-bit code page's upper half, as iconv knows them;
// empty when it does not know the code page.
std::vector<char16_t> upperHalf(const QString& encoding)
{
    const iconv_t cd = iconv_open("UTF-16LE", encoding.toLatin1().constData());
    // iconv's failure value is the pointer (iconv_t)-1.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::vector<char16_t> table(128, u'\0');
    for (int byte = 128; byte < 256; ++byte) {
        char in = static_cast<char>(byte);
        std::array<char, 4> out{};
        char* inPtr = &in;
        char* outPtr = out.data();
        std::size_t inLeft = 1;
        std::size_t outLeft = out.size();
        if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)
            && outLeft == 2)
            table[static_cast<std::size_t>(byte - 128)] = static_cast<char16_t>(
                static_cast<unsigned char>(out[0]) | (static_cast<unsigned char>(out[1]) << 8));
    }
    iconv_close(cd);
    return table;
}

bool isWordLetter(QChar c)
{
    return c.isLetter();
}

}  // namespace

std::unique_ptr<Speller> Speller::openPolish()
{
    for (const char* folder :
         {"/usr/share/hunspell/", "/usr/share/myspell/dicts/", "/usr/share/myspell/"}) {
        const QString base = QString::fromLatin1(folder) + QStringLiteral("pl_PL");
        if (auto speller = open(base + QStringLiteral(".aff"), base + QStringLiteral(".dic")))
            return speller;
    }
    return nullptr;
}

std::unique_ptr<Speller> Speller::open(const QString& affixPath, const QString& dictionaryPath)
{
    if (!QFile::exists(affixPath) || !QFile::exists(dictionaryPath))
        return nullptr;
    auto hunspell = std::make_unique<Hunspell>(QFile::encodeName(affixPath).constData(),
                                               QFile::encodeName(dictionaryPath).constData());
    const QString encoding = QString::fromStdString(hunspell->get_dict_encoding());
    std::unique_ptr<Speller> speller(new Speller(std::move(hunspell), encoding));
    const bool utf8 = encoding.compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) == 0;
    if (!utf8 && speller->table_.empty())
        return nullptr;  // a code page this system cannot convert
    return speller;
}

Speller::Speller(std::unique_ptr<Hunspell> hunspell, QString encoding)
    : hunspell_(std::move(hunspell)), encoding_(std::move(encoding))
{
    if (encoding_.compare(QStringLiteral("UTF-8"), Qt::CaseInsensitive) != 0)
        table_ = upperHalf(encoding_);
}

Speller::~Speller() = default;

std::optional<std::string> Speller::encoded(const QString& word) const
{
    if (table_.empty())
        return word.toStdString();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(word.size()));
    for (const QChar c : word) {
        if (c.unicode() < 128) {
            bytes += static_cast<char>(c.unicode());
            continue;
        }
        const auto found = std::find(table_.begin(), table_.end(), c.unicode());
        if (found == table_.end())
            return std::nullopt;
        bytes += static_cast<char>(128 + (found - table_.begin()));
    }
    return bytes;
}

QString Speller::decoded(const std::string& bytes) const
{
    if (table_.empty())
        return QString::fromStdString(bytes);
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        text += b < 128 ? QChar(char16_t(b)) : QChar(table_[b - 128u]);
    }
    return text;
}

bool Speller::knows(const QString& word) const
{
    const std::optional<std::string> bytes = encoded(word);
    // A word the dictionary's code page cannot hold is no Polish word, but
    // nor is it a misspelt one: it is left alone.
    return !bytes || hunspell_->spell(*bytes);
}

QStringList Speller::suggestions(const QString& word, int most) const
{
    QStringList list;
    const std::optional<std::string> bytes = encoded(word);
    if (!bytes)
        return list;
    for (const std::string& suggestion : hunspell_->suggest(*bytes)) {
        if (list.size() >= most)
            break;
        list << decoded(suggestion);
    }
    return list;
}

std::vector<WordSpan> unknownWords(const Speller& speller, const QString& text, std::size_t most)
{
    std::vector<WordSpan> unknown;
    const qsizetype n = text.size();
    bool sentenceStart = true;
    qsizetype i = 0;
    while (i < n && unknown.size() < most) {
        if (!isWordLetter(text[i]) && !text[i].isDigit()) {
            if (text[i] == u'.' || text[i] == u'!' || text[i] == u'?' || text[i] == u'\n'
                || text[i] == u'\r')
                sentenceStart = true;
            ++i;
            continue;
        }
        qsizetype end = i;
        bool digits = false;
        while (end < n) {
            const QChar c = text[end];
            if (c.isDigit())
                digits = true;
            else if (!isWordLetter(c)
                     && !((c == u'-' || c == u'\'' || c == u'\u2019') && end + 1 < n
                          && isWordLetter(text[end + 1]) && end > i))
                break;
            ++end;
        }
        const QString word = text.mid(i, end - i);
        const bool name = word[0].isUpper() && !sentenceStart;
        if (!digits && word.size() > 1 && !name && !speller.knows(word))
            unknown.push_back({i, end - i});
        sentenceStart = false;
        i = end;
    }
    return unknown;
}

}  // namespace wykazki

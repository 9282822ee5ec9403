#include "filenames.h"

#include <QFile>
#include <QStringList>

#include <filesystem>
#include <system_error>

namespace wykazki {

namespace fs = std::filesystem;

namespace filenames {

namespace {

// ISO 8859-2, 0xA0 .. 0xFF.
constexpr char16_t kLatin2High[96] = {
    u'\u00A0', u'Ą', u'˘', u'Ł', u'¤', u'Ľ', u'Ś', u'§', u'¨', u'Š', u'Ş', u'Ť', u'Ź', u'\u00AD',
    u'Ž',      u'Ż', u'°', u'ą', u'˛', u'ł', u'´', u'ľ', u'ś', u'ˇ', u'¸', u'š', u'ş', u'ť',
    u'ź',      u'˝', u'ž', u'ż', u'Ŕ', u'Á', u'Â', u'Ă', u'Ä', u'Ĺ', u'Ć', u'Ç', u'Č', u'É',
    u'Ę',      u'Ë', u'Ě', u'Í', u'Î', u'Ď', u'Đ', u'Ń', u'Ň', u'Ó', u'Ô', u'Ő', u'Ö', u'×',
    u'Ř',      u'Ů', u'Ú', u'Ű', u'Ü', u'Ý', u'Ţ', u'ß', u'ŕ', u'á', u'â', u'ă', u'ä', u'ĺ',
    u'ć',      u'ç', u'č', u'é', u'ę', u'ë', u'ě', u'í', u'î', u'ď', u'đ', u'ń', u'ň', u'ó',
    u'ô',      u'ő', u'ö', u'÷', u'ř', u'ů', u'ú', u'ű', u'ü', u'ý', u'ţ', u'˙'};

// The length of the well-formed UTF-8 sequence at the start of s, or 0.
std::size_t utf8Length(const unsigned char* s, std::size_t left)
{
    const unsigned char b = s[0];
    if (b < 0x80)
        return 1;
    std::size_t n = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        if (b == 0xE0)
            low = 0xA0;  // overlong
        if (b == 0xED)
            high = 0x9F;  // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        if (b == 0xF0)
            low = 0x90;
        if (b == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (left < n || s[1] < low || s[1] > high)
        return 0;
    for (std::size_t i = 2; i < n; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            return 0;
    }
    return n;
}

bool exists(const std::string& bytes)
{
    std::error_code ec;
    return fs::symlink_status(fs::path(bytes), ec).type() != fs::file_type::not_found && !ec;
}

// The entry of folder that shows as name, when exactly one does.
std::string entryShownAs(const std::string& folder, const QString& name)
{
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder.empty() ? std::string(".") : folder), ec);
    std::string found;
    int matches = 0;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string entry = it->path().filename().native();
        if (display(entry) == name || QFile::decodeName(QByteArray::fromStdString(entry)) == name) {
            found = entry;
            ++matches;
        }
    }
    return matches == 1 ? found : std::string();
}

}  // namespace

QString display(const std::string& bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t n = utf8Length(s + i, bytes.size() - i);
        if (n > 0) {
            text +=
                QString::fromUtf8(reinterpret_cast<const char*>(s + i), static_cast<qsizetype>(n));
            i += n;
            continue;
        }
        const unsigned char b = s[i++];
        // C1 controls have no letter: Qt's replacement character stands for them.
        text += b >= 0xA0 ? QChar(kLatin2High[b - 0xA0]) : QChar(QChar::ReplacementCharacter);
    }
    return text;
}

bool qtCanSpell(const std::string& bytes)
{
    return QFile::encodeName(QFile::decodeName(QByteArray::fromStdString(bytes))).toStdString()
           == bytes;
}

std::string fromDisplay(const QString& name)
{
    std::string encoded = QFile::encodeName(name).toStdString();
    if (name.isEmpty() || exists(encoded))
        return encoded;
    // Follow the name folder by folder; where a part names nothing as
    // spelled, an entry that shows as that part stands in for it.
    const QStringList parts = name.split(QLatin1Char('/'));
    std::string path;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            path += '/';
        const std::string part = QFile::encodeName(parts[i]).toStdString();
        if (part.empty() || exists(path + part)) {
            path += part;
            continue;
        }
        const std::string entry = entryShownAs(path, parts[i]);
        path += entry.empty() ? part : entry;
    }
    return path;
}

}  // namespace filenames

}  // namespace wykazki

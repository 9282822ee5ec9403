#include "qtbridge/cp1250text.h"

#include "document/cp1250.h"

#include <QList>
#include <QStringList>

namespace wykazki {

QString qstringFromCp1250(std::string_view bytes)
{
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    // Every byte maps into the Basic Multilingual Plane.
    for (const char byte : bytes)
        *out++ = QChar(char16_t(cp1250::toUnicode(static_cast<unsigned char>(byte))));
    return text;
}

std::string cp1250FromQString(const QString& text, Unmappable unmappable)
{
    std::string bytes;
    bytes.reserve(std::size_t(text.size()));
    for (const char32_t codePoint : text.toUcs4()) {
        if (const auto byte = cp1250::fromUnicode(codePoint))
            bytes.push_back(char(*byte));
        else if (unmappable == Unmappable::Question)
            bytes.push_back('?');
    }
    return bytes;
}

QString unmappableCharacters(const QString& text, int most)
{
    QList<char32_t> found;
    bool more = false;
    for (const char32_t codePoint : text.toUcs4()) {
        if (cp1250::fromUnicode(codePoint) || found.contains(codePoint))
            continue;
        if (found.size() >= most) {
            more = true;
            break;
        }
        found.push_back(codePoint);
    }
    QStringList shown;
    for (const char32_t codePoint : found)
        shown << QString::fromUcs4(&codePoint, 1);
    if (more)
        shown << QStringLiteral("…");
    return shown.join(QStringLiteral(", "));
}

bool cp1250CanHold(const QString& text)
{
    for (const char32_t codePoint : text.toUcs4())
        if (!cp1250::fromUnicode(codePoint))
            return false;
    return true;
}

}  // namespace wykazki

#include "grid/qtcp1250.h"

#include "document/cp1250.h"

#include <QList>
#include <QStringView>

QString qstringFromCp1250(std::string_view bytes)
{
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        // Every byte maps into the Basic Multilingual Plane.
        *out++ = QChar(char16_t(b < 0x80 ? b : cp1250::toUnicode(b)));
    }
    return text;
}

std::string cp1250FromQString(const QString& text, Unmappable unmappable)
{
    std::string bytes;
    bytes.reserve(std::size_t(text.size()));
    const QList<uint> codePoints = text.toUcs4();
    for (const uint cp : codePoints) {
        if (cp < 0x80) {
            bytes.push_back(char(cp));
        } else if (const auto b = cp1250::fromUnicode(char32_t(cp))) {
            bytes.push_back(char(*b));
        } else if (unmappable == Unmappable::Question) {
            bytes.push_back('?');
        }
    }
    return bytes;
}

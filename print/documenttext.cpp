#include "documenttext.h"

#include "document/cp1250.h"

#include <QList>

QString toQString(std::string_view cp1250Bytes)
{
    QString text;
    text.reserve(static_cast<qsizetype>(cp1250Bytes.size()));
    for (char byte : cp1250Bytes)  // every code point of the code page is in the BMP
        text.append(QChar(static_cast<char16_t>(cp1250::toUnicode(static_cast<unsigned char>(byte)))));
    return text;
}

std::string toCp1250(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t codePoint : text.toUcs4()) {
        const auto byte = cp1250::fromUnicode(codePoint);
        bytes.push_back(byte ? static_cast<char>(*byte) : '?');
    }
    return bytes;
}

#include "cp1250validator.h"

#include "document/cp1250.h"

#include <QList>

QValidator::State Cp1250Validator::validate(QString& input, int&) const
{
    for (char32_t codePoint : input.toUcs4())
        if (!cp1250::fromUnicode(codePoint))
            return Invalid;
    return Acceptable;
}

std::string cp1250Dropping(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t codePoint : text.toUcs4())
        if (const auto byte = cp1250::fromUnicode(codePoint))
            bytes.push_back(static_cast<char>(*byte));
    return bytes;
}

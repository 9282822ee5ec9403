#include "classio/matchkey.h"

namespace wykazki {

QString matchKey(const QString& text)
{
    // Canonical decomposition splits ą into a and its ogonek; ł has no
    // decomposition of its own.
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.isSpace() || c.category() == QChar::Mark_NonSpacing)
            continue;
        if (c == u'ł' || c == u'Ł')
            key += u'l';
        else
            key += c.toCaseFolded();
    }
    return key;
}

}  // namespace wykazki

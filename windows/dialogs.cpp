#include "dialogs.h"

#include <QStringList>

namespace wykazki {

QString qtFileFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        // "Pliki świadectw (*.wkz)" already names its pattern.
        if (description.contains(QLatin1Char('(')))
            filters << description;
        else
            filters << description + QStringLiteral(" (") + pattern + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

int Dialogs::choose(QWidget*, const QString&, const QString&, const QStringList& buttons,
                    QMessageBox::Icon)
{
    // An answerer that does not show such boxes takes the careful way out.
    return static_cast<int>(buttons.size()) - 1;
}

}  // namespace wykazki

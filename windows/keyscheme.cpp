#include "keyscheme.h"

#include "usersettings.h"

#include <QDir>

#include <algorithm>

namespace wykazki {

namespace {

const char* const kSchemeKey = "keys/scheme";

}  // namespace

SchemeShortcuts shortcutsOf(KeyScheme scheme)
{
    SchemeShortcuts keys;
    keys.open = QKeySequence(Qt::CTRL | Qt::Key_O);
    keys.undo = {QKeySequence(Qt::ALT | Qt::Key_Backspace)};
    keys.redo = {QKeySequence(Qt::CTRL | Qt::Key_Y)};
    if (scheme == KeyScheme::Classic) {
        keys.save = QKeySequence(Qt::CTRL | Qt::Key_Z);
        keys.saveAs = QKeySequence(Qt::CTRL | Qt::Key_A);
        return keys;
    }
    keys.save = QKeySequence(Qt::CTRL | Qt::Key_S);
    keys.saveAs = QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    keys.newDocument = QKeySequence(Qt::CTRL | Qt::Key_N);
    keys.selectAll = QKeySequence(Qt::CTRL | Qt::Key_A);
    // The menu shows the first.
    keys.undo.prepend(QKeySequence(Qt::CTRL | Qt::Key_Z));
    keys.redo.append(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    return keys;
}

KeyScheme decideKeyScheme(const QVariant& stored, bool usedBefore)
{
    bool ok = false;
    const int value = stored.toInt(&ok);
    if (stored.isValid() && ok && (value == 0 || value == 1))
        return static_cast<KeyScheme>(value);
    return usedBefore ? KeyScheme::Classic : KeyScheme::Modern;
}

bool olderVersionUsed(const QString& programFolder)
{
    const QStringList classes =
        QDir(programFolder)
            .entryList({QStringLiteral("*.wkz"), QStringLiteral("*.WKZ")}, QDir::Files);
    return std::any_of(classes.begin(), classes.end(), [](const QString& name) {
        return name.compare(QLatin1String("Przyklad.wkz"), Qt::CaseInsensitive) != 0;
    });
}

KeyScheme userKeyScheme(bool* upgraded, bool usedBefore)
{
    UserSettings settings;
    const QVariant stored = settings.value(kSchemeKey);
    const bool decided = stored.isValid();
    const KeyScheme scheme = decideKeyScheme(stored, usedBefore || !settings.allKeys().isEmpty());
    if (upgraded)
        *upgraded = !decided && scheme == KeyScheme::Classic;
    if (!decided)
        settings.setValue(kSchemeKey, static_cast<int>(scheme));
    return scheme;
}

void setUserKeyScheme(KeyScheme scheme)
{
    UserSettings().setValue(kSchemeKey, static_cast<int>(scheme));
}

QString keySchemeName(KeyScheme scheme)
{
    return scheme == KeyScheme::Classic ? QStringLiteral("Klasyczne")
                                        : QStringLiteral("Współczesne");
}

}  // namespace wykazki

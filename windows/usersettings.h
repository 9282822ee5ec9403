#pragma once
// Per-user preferences (the layout view's zoom and page, window splitters,
// the key scheme, the last printer): QSettings under "Wykazki", never in
// the class file, so that class files stay as older versions write them.

#include <QLatin1String>
#include <QSettings>
#include <QString>
#include <QVariant>

namespace wykazki {

class UserSettings : public QSettings {
public:
    UserSettings()
        : QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Wykazki"),
                    QStringLiteral("Wykazki"))
    {
    }

    using QSettings::setValue;
    using QSettings::value;
    QVariant value(const char* key, const QVariant& fallback = {}) const
    {
        return QSettings::value(QLatin1String(key), fallback);
    }
    void setValue(const char* key, const QVariant& value)
    {
        QSettings::setValue(QLatin1String(key), value);
    }
};

}  // namespace wykazki

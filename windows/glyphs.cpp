#include "glyphs.h"

#include <QAbstractButton>
#include <QString>

// The resources live in this static library; referencing them here keeps the
// linker from dropping them. Q_INIT_RESOURCE must stand outside any namespace.
static void initGlyphResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(glyphs);
        return true;
    }();
    (void)done;
}

namespace wykazki {

QIcon glyph(const char* name)
{
    initGlyphResources();
    return QIcon(QStringLiteral(":/glyphs/") + QLatin1String(name) + QStringLiteral(".png"));
}

void setGlyph(QAbstractButton& button, const char* name, const QString& hint)
{
    button.setIcon(glyph(name));
    button.setIconSize(QSize(32, 32));
    button.setToolTip(hint);
    // A picture alone says nothing to a screen reader.
    button.setAccessibleName(hint);
}

}  // namespace wykazki

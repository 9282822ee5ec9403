#include "helpbrowser.h"

#include <QDesktopServices>
#include <QHelpEngineCore>

HelpBrowser::HelpBrowser(QHelpEngineCore& engine, QWidget* parent)
    : QTextBrowser(parent), engine_(engine)
{
    setObjectName(QStringLiteral("helpBrowser"));
    // Links to the web leave the help for the desktop's browser.
    setOpenLinks(true);
    setOpenExternalLinks(true);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (name.scheme() == QLatin1String("qthelp")) {
        const QByteArray data = engine_.fileData(name);
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(data);
        return data;
    }
    return QTextBrowser::loadResource(type, name);
}

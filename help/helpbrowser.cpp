#include "helpbrowser.h"

#include <QDesktopServices>
#include <QHelpEngineCore>
#include <QTextDocument>

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
    // Style sheets and pictures come with names relative to the topic.
    // The document's base is already the new topic while it is being read.
    const QUrl base = document()->baseUrl().isEmpty() ? source() : document()->baseUrl();
    const QUrl url = name.isRelative() ? base.resolved(name) : name;
    if (url.scheme() == QLatin1String("qthelp")) {
        const QByteArray bytes = engine_.fileData(url);
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(bytes);
        return bytes;
    }
    return QTextBrowser::loadResource(type, name);
}

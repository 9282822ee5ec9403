#include "helpbrowser.h"

#include <QDesktopServices>
#include <QHelpEngineCore>
#include <QTextDocument>

namespace wykazki {

HelpBrowser::HelpBrowser(QHelpEngineCore& engine, QWidget* parent)
    : QTextBrowser(parent), engine_(engine)
{
    setObjectName(QStringLiteral("helpBrowser"));
    // Links between topics stay in the window; links to the web and mail
    // leave it for the desktop's programs. QTextBrowser would hand every
    // qthelp:// link to the desktop, which cannot open it.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::follow);
}

bool HelpBrowser::leavesTheHelp(const QUrl& link)
{
    const QString scheme = link.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https")
           || scheme == QLatin1String("mailto");
}

void HelpBrowser::follow(const QUrl& link)
{
    if (leavesTheHelp(link)) {
        QDesktopServices::openUrl(link);
        return;
    }
    const QUrl target = link.isRelative() ? source().resolved(link) : link;
    // Only topics of the compiled help are shown; a file:// or other link
    // in a replaced topic leads nowhere.
    if (target.scheme() == QLatin1String("qthelp"))
        setSource(target);
}

QString HelpBrowser::unavailablePage()
{
    return QStringLiteral(
        "<p><b>Pomoc jest niedostępna: plik Wyka.qch jest uszkodzony lub go brak</b></p>"
        "<p>Skopiuj do folderu programu pliki Wyka.qhc i Wyka.qch z pakietu programu.</p>");
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    // Style sheets and pictures come with names relative to the topic.
    // The document's base is already the new topic while it is being read.
    const QUrl base = document()->baseUrl().isEmpty() ? source() : document()->baseUrl();
    const QUrl url = name.isRelative() ? base.resolved(name) : name;
    if (url.scheme() == QLatin1String("qthelp")) {
        const QByteArray bytes = engine_.fileData(url);
        // A topic the help file no longer holds: it was damaged after the
        // window checked it.
        if (type == QTextDocument::HtmlResource && bytes.isEmpty())
            return unavailablePage();
        if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
            return QString::fromUtf8(bytes);
        return bytes;
    }
    return QTextBrowser::loadResource(type, name);
}

}  // namespace wykazki

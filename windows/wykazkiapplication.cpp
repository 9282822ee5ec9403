#include "wykazkiapplication.h"

#include "document/ekolmoerror.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>

namespace wykazki {

WykazkiApplication::WykazkiApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // Only the name: a display name would be appended to every caption.
    setApplicationName(QStringLiteral("Wykazki"));
    // Numbers shown with the decimal comma, dates and sizes the Polish way.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    loadPolishQtTexts(*this);
}

namespace {

// Qt's translation without the font styles' names: the font dialog finds a
// font's style in its list by the translated name ("Pogrubiony") while the
// list holds the font files' own ("Bold"), so a bold font would come back
// plain. The list shows the files' names anyway. The writing systems'
// names ("Dowolny", "Łaciński") are translated.
bool isFontStyleName(const char* source)
{
    static const char* const kStyles[] = {
        "Thin",       "Extra Light", "Light",  "Normal",  "Medium",  "Demi Bold", "Bold",
        "Extra Bold", "Black",       "Italic", "Oblique", "Regular", "Demi",      "Extra"};
    return std::any_of(std::begin(kStyles), std::end(kStyles),
                       [source](const char* style) { return std::strcmp(source, style) == 0; });
}

class QtTranslation : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override
    {
        if (context != nullptr && source != nullptr && std::strcmp(context, "QFontDatabase") == 0
            && isFontStyleName(source))
            return {};
        return QTranslator::translate(context, source, disambiguation, n);
    }
};

}  // namespace

bool WykazkiApplication::loadPolishQtTexts(QCoreApplication& app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    bool loaded = false;
    // qtbase: dialogs, buttons, menus; qt_help: the help window's own texts.
    for (const char* catalogue : {"qtbase_pl", "qt_help_pl"}) {
        auto translator = std::make_unique<QtTranslation>(&app);
        if (translator->load(QLatin1String(catalogue), folder)) {
            QCoreApplication::installTranslator(translator.release());
            loaded = true;
        }
    }
    return loaded;
}

void WykazkiApplication::setErrorReporter(std::function<void(ErrorCode)> reporter)
{
    reporter_ = std::move(reporter);
}

bool WykazkiApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        // The document lists could not grow: there is no safe way on.
        std::fprintf(stderr, "%s\n", errorMessage(ErrorCode::OutOfMemory));
        std::_Exit(1);
    } catch (const EKolmoError& e) {
        // A program error nobody caught closer to its source (a printer
        // failing mid-run): its own message.
        report(e.code());
    } catch (...) {
        reportUnexpected();
    }
    return false;
}

void WykazkiApplication::reportUnexpected()
{
    report(ErrorCode::Unknown);
}

void WykazkiApplication::report(ErrorCode code)
{
    if (reporting_)
        return;
    reporting_ = true;
    try {
        if (reporter_)
            reporter_(code);
        else
            std::fprintf(stderr, "%s\n", errorMessage(code));
    } catch (...) {
        // The error window itself failed; there is nobody left to tell.
    }
    reporting_ = false;
}

}  // namespace wykazki

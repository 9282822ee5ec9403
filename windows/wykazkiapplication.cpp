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

// Texts of Qt's print and file dialogs that its Polish catalogue (Qt 6.4)
// leaves in English.
const char* missingPolish(const char* context, const char* source)
{
    static const struct {
        const char* context;
        const char* source;
        const char* polish;
    } kTexts[] = {
        {"QPrintSettingsOutput", "Pages", "Strony"},
        {"QPrintSettingsOutput",
         "Specify pages or ranges separated by commas. Ranges are specified by two numbers "
         "separated by a hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
         "Strony albo zakresy stron oddzielone przecinkami; zakres to dwie liczby połączone "
         "łącznikiem. Np. 3,5-7,9 drukuje strony 3, 5, 6, 7 i 9."},
        {"QPrintSettingsOutput", "Double Sided Printing", "Druk dwustronny"},
        {"QPrintSettingsOutput", "Off", "Wyłączony"},
        {"QPrintSettingsOutput", "Long side binding", "Łączenie wzdłuż dłuższej krawędzi"},
        {"QPrintSettingsOutput", "Short side binding", "Łączenie wzdłuż krótszej krawędzi"},
        {"QPrintPropertiesWidget", "Advanced", "Zaawansowane"},
        {"QPrintPropertiesWidget", "There are conflicts in some options. Please fix them.",
         "Niektóre opcje wykluczają się nawzajem. Popraw je."},
        {"QAbstractFileIconProvider", "Drive", "Napęd"},
        {"QAbstractFileIconProvider", "Folder", "Folder"},
    };
    for (const auto& text : kTexts)
        if (std::strcmp(context, text.context) == 0 && std::strcmp(source, text.source) == 0)
            return text.polish;
    return nullptr;
}

class QtTranslation : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char* context, const char* source, const char* disambiguation,
                      int n) const override
    {
        if (context == nullptr || source == nullptr)
            return QTranslator::translate(context, source, disambiguation, n);
        if (std::strcmp(context, "QFontDatabase") == 0 && isFontStyleName(source))
            return {};
        QString text = QTranslator::translate(context, source, disambiguation, n);
        if (text.isEmpty())
            if (const char* polish = missingPolish(context, source))
                text = QString::fromUtf8(polish);
        return text;
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

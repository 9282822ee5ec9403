#include "programcontext.h"

#include "closa.h"
#include "dialogs.h"
#include "ffdruk.h"
#include "ffkolmo.h"
#include "ffopcje.h"
#include "ffwerr.h"
#include "ffwfrazy.h"
#include "ffwintro.h"
#include "ffwlista.h"
#include "ffwmain.h"
#include "ffwopcje.h"
#include "ffwopis.h"
#include "ffwpodglad.h"
#include "ffwrozmn.h"
#include "klepsydrkursor.h"
#include "phrasegrid.h"
#include "pupilgrid.h"
#include "windowrect.h"

#include "document/ekolmoerror.h"
#include "grid/celledi.h"
#include "help/helpkey.h"
#include "help/helpwindow.h"
#include "print/certificateprinting.h"
#include "print/programprinter.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTimer>

ProgramContext::ProgramContext(std::string programFolder, std::unique_ptr<Dialogs> dialogs)
    : programFolder_(std::move(programFolder)), dialogs_(std::move(dialogs))
{
    mainWindow_ = std::make_unique<Tffwmain>(*this);
    kolmo_ = std::make_unique<Tffkolmo>(*dialogs_, QUrl(QStringLiteral(WYKAZKI_HOME_PAGE)));
    closa_ = std::make_unique<Tclosa>(*this);
    phraseEditor_ = std::make_unique<Tffwfrazy>(*this);
    errorWindow_ = std::make_unique<Tffwerr>(*dialogs_);
    preview_ = std::make_unique<Tffwpodglad>(programFolder_);
    options_ = std::make_unique<Tffwopcje>();
    rozmn_ = std::make_unique<Tffwrozmn>(
        [this](const std::string& name) { return closa_->saveCopyAs(name); });
    lista_ = std::make_unique<Tffwlista>(programFolder_);
    opis_ = std::make_unique<Tffwopis>(editor_);
    intro_ = std::make_unique<Tffintro>(*dialogs_);
    help_ = std::make_unique<HelpWindow>(
        QFile::decodeName(QByteArray::fromStdString(programFolder_)) + HelpWindow::kCollectionName);
    printer_ = makeProgramPrinter();
    mainWindow_->connectWindows();
    connectPrinting();
    connectTables();
    connectHelp();
    connectLayoutEditing();
}

void ProgramContext::connectTables()
{
    tablePrint_ = std::make_unique<Tffdruk>(*printer_, *dialogs_);
    gridOptions_ = std::make_unique<Tffopcje>(*dialogs_);
    Tffwmain* main = mainWindow_.get();
    QObject::connect(main, &Tffwmain::tablePrintRequested, main, [this](const QString& title) {
        tablePrint_->Drukuj(mainWindow_->grid(), title);
    });
    QObject::connect(main, &Tffwmain::gridOptionsRequested, main, [this] {
        gridOptions_->Pokaz(mainWindow_->grid(), Tffopcje::Mode::UniformSizes);
    });
    // Like the preview, a dialog placed by the window system: a save stores
    // where it was last shown.
    addScreenHook({nullptr, [this](ScreenLayout& screen) {
                       if (!tablePrint_->windowHandle())
                           return;
                       const QRect r = tablePrint_->frameGeometry();
                       screen.tablePrint = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
                   }});
}

void ProgramContext::connectLayoutEditing()
{
    // One picture chooser for the phrase editor's picture rows and the
    // pupil grid's picture cells.
    auto choosePicture = [this](const std::string& current) -> std::optional<std::string> {
        std::string name = current;
        if (!lista_->chooseFromList(0, name))
            return std::nullopt;
        return name;
    };
    mainWindow_->pupilGrid().setPictureChooser(choosePicture);
    phraseEditor_->phraseGrid().setPictureChooser(choosePicture);
    Tffwfrazy* phrases = phraseEditor_.get();
    QObject::connect(mainWindow_.get(), &Tffwmain::phraseEditorRequested, phrases,
                     &Tffwfrazy::showAtRow);
    // The phrase editor's grid prints and sizes like the pupil grid, its
    // sizes scaled in percent.
    QObject::connect(
        phrases, &Tffwfrazy::tablePrintRequested, phrases,
        [this](const QString& title) { tablePrint_->Drukuj(phraseEditor_->grid(), title); });
    QObject::connect(phrases, &Tffwfrazy::gridOptionsRequested, phrases, [this] {
        gridOptions_->Pokaz(phraseEditor_->grid(), Tffopcje::Mode::Percent);
    });
}

void ProgramContext::connectPrinting()
{
    Tffwmain* main = mainWindow_.get();
    QObject::connect(main, &Tffwmain::previewRequested, main, [this](int pupil, int page) {
        try {
            preview_->preview(document_, pupil, page);
        } catch (const EKolmoError& e) {
            reportError(e.code());
        }
    });
    QObject::connect(main, &Tffwmain::printRequested, main,
                     [this](const std::vector<std::size_t>& pupils, int page) {
                         try {
                             KlepsydrKursor hourglass;
                             // Tables left on the sheet come out first; if they
                             // fail, the user hears of it and the cards still print.
                             if (!tablePrint_->finishOpenJob())
                                 reportError(ErrorCode::PrintFailed);
                             std::vector<MissingPicture> missing;
                             printCertificates(*printer_, document_, pupils, page, programFolder_,
                                               &missing);
                             if (!missing.empty())
                                 mainWindow_->setStatusText(missingPicturesText(missing));
                         } catch (const EKolmoError& e) {
                             if (!e.detail().empty())
                                 mainWindow_->setStatusText(QString::fromStdString(e.detail()));
                             reportError(e.code());
                         }
                     });
    QObject::connect(main, &Tffwmain::optionsRequested, main, [this] {
        // One step, when anything changed; the grids repaint from its notice.
        TOpcje options = document_.opcje();
        options_->editOptions(options);
        editor_.setOptions(options);
    });

    // Both windows are fixed dialogs centred on the screen: the class file's
    // rectangles are not applied to them, but a save stores where they were
    // last shown.
    addScreenHook({nullptr, [this](ScreenLayout& screen) {
                       auto store = [](const QWidget& window, WindowRect& rect) {
                           if (!window.windowHandle())
                               return;  // never shown: keep what the file said
                           const QRect r = window.frameGeometry();
                           rect = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
                       };
                       store(*preview_, screen.preview);
                       store(*options_, screen.printOptions);
                   }});
}

// The Pomoc menu, F1 in every window, the information window at the first
// activation, the about window and the per-teacher files.
void ProgramContext::connectHelp()
{
    Tffwmain* main = mainWindow_.get();
    const QColor aqua(0, 255, 255);
    QObject::connect(main, &Tffwmain::infoRequested, main,
                     [this, aqua] { intro_->showInformation(infoDocumentPath(), false, aqua); });
    // Queued: the window is shown modally, which must not happen inside
    // the activation itself.
    QObject::connect(main, &Tffwmain::activated, main, [this, aqua] {
        if (intro_->firstShowingPending())
            QTimer::singleShot(0, intro_.get(), [this, aqua] {
                intro_->showInformation(infoDocumentPath(), true, aqua);
            });
    });
    QObject::connect(main, &Tffwmain::helpContentsRequested, main,
                     [this] { help_->showContents(); });
    QObject::connect(main, &Tffwmain::helpSearchRequested, main, [this] { help_->showIndex(); });
    QObject::connect(main, &Tffwmain::helpOnHelpRequested, main,
                     [this] { help_->showHelpOnHelp(); });
    QObject::connect(main, &Tffwmain::aboutRequested, main, [this] { kolmo_->about(); });
    QObject::connect(main, &Tffwmain::perTeacherFilesRequested, main, [this] { rozmn_->open(); });

    helpKey_ = std::make_unique<HelpKey>([this](int context) { help_->showContext(context); });
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(helpKey_.get());
}

QString ProgramContext::infoDocumentPath() const
{
    return QFile::decodeName(QByteArray::fromStdString(programFolder_)) + Tffintro::kDocumentName;
}

ProgramContext::~ProgramContext() = default;

std::string ProgramContext::applicationFolder()
{
    return QFile::encodeName(QCoreApplication::applicationDirPath() + QLatin1Char('/'))
        .toStdString();
}

void ProgramContext::reportError(ErrorCode code)
{
    errorWindow_->report(code);
}

void ProgramContext::addScreenHook(ScreenHook hook)
{
    screenHooks_.push_back(std::move(hook));
}

void ProgramContext::addWindowHook(QWidget& window, TCellEdi& grid, WindowRect ScreenLayout::*rect,
                                   GridLayout ScreenLayout::*layout,
                                   std::function<void()> afterApply)
{
    addScreenHook({
        [&window, &grid, rect, layout,
         afterApply = std::move(afterApply)](const ScreenLayout& screen) {
            applyWindowRect(window, screen.*rect);
            grid.zastosujUklad(screen.*layout);
            if (afterApply)
                afterApply();
        },
        [&window, &grid, rect, layout](ScreenLayout& screen) {
            screen.*rect = windowRectOf(window);
            screen.*layout = grid.uklad();
        },
    });
}

void ProgramContext::applyScreen()
{
    for (const ScreenHook& hook : screenHooks_) {
        if (hook.apply)
            hook.apply(document_.screen());
    }
}

void ProgramContext::collectScreen()
{
    for (const ScreenHook& hook : screenHooks_) {
        if (hook.collect)
            hook.collect(document_.screen());
    }
}

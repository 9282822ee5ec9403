#include "programcontext.h"
#include "programfolder.h"

#include "classcheckwindow.h"
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
#include "keyscheme.h"
#include "klepsydrkursor.h"
#include "phrasegrid.h"
#include "printcardsdialog.h"
#include "pupilgrid.h"
#include "windowrect.h"

#include "document/ekolmoerror.h"
#include "document/fileops.h"
#include "grid/celledi.h"
#include "help/helpkey.h"
#include "print/certificateprinting.h"
#include "print/formscans.h"
#include "print/programprinter.h"
#include "qtbridge/cp1250text.h"
#include "qtbridge/filenames.h"
#include "qtbridge/programmodule.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>

namespace wykazki {

namespace {

// The help when its module cannot be opened: every request says why.
class MissingHelp : public HelpViewer {
public:
    MissingHelp(Dialogs& dialogs, QString problem) : dialogs_(dialogs), problem_(std::move(problem))
    {
    }
    QWidget& widget() override { return widget_; }
    void showContents() override { tell(); }
    void showIndex(const QString&) override { tell(); }
    void showHelpOnHelp() override { tell(); }
    void showContext(int) override { tell(); }

private:
    void tell()
    {
        dialogs_.choose(QApplication::activeWindow(), QStringLiteral("Pomoc"), problem_,
                        {QStringLiteral("OK")}, QMessageBox::Warning);
    }

    Dialogs& dialogs_;
    QString problem_;
    QWidget widget_;
};

std::unique_ptr<HelpViewer> helpFromModule(Dialogs& dialogs, const QString& collectionFile)
{
    QString problem;
    if (const auto entry = programmodule::entryAs<HelpViewer*(const QString&)>(
            kHelpModule, kHelpModuleEntry, &problem))
        return std::unique_ptr<HelpViewer>(entry(collectionFile));
    return std::make_unique<MissingHelp>(dialogs, problem);
}

}  // namespace

ProgramContext::ProgramContext(std::string programFolder, std::unique_ptr<Dialogs> dialogs)
    : programFolder_(std::move(programFolder)), dialogs_(std::move(dialogs))
{
    qtFolder_ = QFile::decodeName(QByteArray::fromStdString(programFolder_));
    if (!filenames::qtCanSpell(programFolder_)) {
        // Help and the information document are opened through Qt, which
        // cannot spell this folder's name: a link of a plain name leads there.
        folderAlias_ = std::make_unique<QTemporaryDir>();
        std::error_code error;
        const std::filesystem::path link =
            std::filesystem::path(QFile::encodeName(folderAlias_->path()).toStdString())
            / "Wykazki";
        if (folderAlias_->isValid()) {
            std::filesystem::create_directory_symlink(std::filesystem::path(programFolder_), link,
                                                      error);
            if (!error)
                qtFolder_ = folderAlias_->filePath(QStringLiteral("Wykazki/"));
        }
    }
    // Only what the first frame shows is made here; the other windows, the
    // printer and the dictionary wait until they are first needed.
    mainWindow_ = std::make_unique<Tffwmain>(*this);
    closa_ = std::make_unique<Tclosa>(*this);
    bool upgraded = false;
    mainWindow_->applyKeyScheme(userKeyScheme(&upgraded, olderVersionUsed(qtFolder_)));
    if (upgraded)
        mainWindow_->setStatusText(QStringLiteral(
            "Skróty klawiszowe jak dotąd: Ctrl+Z zapisuje. Współczesne (Ctrl+Z cofa, Ctrl+S "
            "zapisuje) włączysz w Opcjach, w polu „Skróty klawiszowe”."));
    mainWindow_->connectWindows();
    connectPrinting();
    connectTables();
    connectHelp();
    connectLayoutEditing();
    connectClassCheck();
}

Tffkolmo& ProgramContext::aboutWindow()
{
    if (!kolmo_)
        kolmo_ = std::make_unique<Tffkolmo>(*dialogs_, QUrl(QStringLiteral(WYKAZKI_HOME_PAGE)));
    return *kolmo_;
}

Tffwerr& ProgramContext::errorWindow()
{
    if (!errorWindow_)
        errorWindow_ = std::make_unique<Tffwerr>(*dialogs_);
    return *errorWindow_;
}

Tffwpodglad& ProgramContext::previewWindow()
{
    if (!preview_)
        preview_ = std::make_unique<Tffwpodglad>(programFolder_);
    return *preview_;
}

Tffwopcje& ProgramContext::optionsWindow()
{
    if (!options_) {
        options_ = std::make_unique<Tffwopcje>();
        options_->setProofHooks({
            [this](int page) { return FormScans::load(classFilePath()).name(page); },
            [this](int page) { chooseFormScan(page); },
            [this](const TOpcje& options) { printCalibration(options); },
        });
        QObject::connect(options_.get(), &Tffwopcje::keySchemeChosen, mainWindow_.get(),
                         &Tffwmain::applyKeyScheme);
    }
    return *options_;
}

Tffwrozmn& ProgramContext::perTeacherFiles()
{
    if (rozmn_)
        return *rozmn_;
    Tffwrozmn::Copies copies;
    copies.write = [this](const std::string& name, QString* failure) {
        return closa_->saveCopyAs(name, failure);
    };
    copies.target = [this](const std::string& name) {
        const std::string path = copyPath(programFolder_, name);
        if (openFile().isFile(path))
            return Tffwrozmn::Target::OpenClass;
        // A folder of that name is nothing to replace: the write reports it.
        std::error_code error;
        const auto status = std::filesystem::status(path, error);
        return std::filesystem::exists(status) && !std::filesystem::is_directory(status)
                   ? Tffwrozmn::Target::ExistingFile
                   : Tffwrozmn::Target::Free;
    };
    copies.folder = [this] { return filenames::display(programFolder_); };
    copies.ask = [this](const QString& text, const QStringList& buttons) {
        return dialogs_->choose(rozmn_.get(), rozmn_->windowTitle(), text, buttons,
                                QMessageBox::Question);
    };
    rozmn_ = std::make_unique<Tffwrozmn>(std::move(copies));
    return *rozmn_;
}

Tffwlista& ProgramContext::pictureChooser()
{
    if (!lista_)
        lista_ = std::make_unique<Tffwlista>(programFolder_);
    return *lista_;
}

Tffwopis& ProgramContext::opis()
{
    if (opis_)
        return *opis_;
    opis_ = std::make_unique<Tffwopis>(editor_);
    opis_->setLostCharactersHandler([this](int x, int y, const QString& characters) {
        noteLostCharacters(static_cast<std::size_t>(x), static_cast<std::size_t>(y), characters);
    });
    opis_->setSpeller([this] { return speller(); });
    opis_->setAnchor(*mainWindow_, mainWindow_->grid());
    const SchemeShortcuts keys = shortcutsOf(mainWindow_->keyScheme());
    opis_->setHistoryKeys(keys.undo, keys.redo);
    // As after any read: bound to no cell until the grid's current cell is followed.
    opis_->unbind();
    return *opis_;
}

Tffintro& ProgramContext::infoWindow()
{
    if (!intro_)
        intro_ = std::make_unique<Tffintro>(*dialogs_);
    return *intro_;
}

Tffwfrazy& ProgramContext::phraseEditor()
{
    if (phraseEditor_)
        return *phraseEditor_;
    const std::size_t hooks = screenHooks_.size();
    phraseEditor_ = std::make_unique<Tffwfrazy>(*this);
    Tffwfrazy* phrases = phraseEditor_.get();
    phrases->phraseGrid().setPictureChooser(
        [this](const std::string& current) { return choosePicture(current); });
    // The phrase editor's grid prints and sizes like the pupil grid, its
    // sizes scaled in percent.
    QObject::connect(
        phrases, &Tffwfrazy::tablePrintRequested, phrases,
        [this](const QString& title) { tablePrintWindow().Drukuj(phraseEditor_->grid(), title); });
    QObject::connect(phrases, &Tffwfrazy::gridOptionsRequested, phrases, [this] {
        gridOptionsWindow().Pokaz(phraseEditor_->grid(), Tffopcje::Mode::Percent);
    });
    applyScreenFrom(hooks);
    return *phraseEditor_;
}

QPrinter& ProgramContext::printer()
{
    if (!printer_)
        printer_ = makeProgramPrinter();
    return *printer_;
}

Tffdruk& ProgramContext::tablePrintWindow()
{
    if (!tablePrint_)
        tablePrint_ = std::make_unique<Tffdruk>(printer(), *dialogs_);
    return *tablePrint_;
}

Tffopcje& ProgramContext::gridOptionsWindow()
{
    if (!gridOptions_)
        gridOptions_ = std::make_unique<Tffopcje>(*dialogs_);
    return *gridOptions_;
}

const Speller* ProgramContext::speller()
{
    if (!spellerOpened_) {
        spellerOpened_ = true;
        speller_ = Speller::openPolish();
        if (!speller_)
            mainWindow_->setStatusText(QStringLiteral(
                "Brak słownika polskiego (pakiet hunspell-pl): pisownia nie jest sprawdzana."));
    }
    return speller_.get();
}

void ProgramContext::noteLostCharacters(std::size_t pupil, std::size_t phrase,
                                        const QString& characters)
{
    if (phrase < document_.phrases().count())
        mainWindow_->setStatusText(
            QStringLiteral("Pominięto znaki spoza polskiego alfabetu: %1 (uczeń %2, fraza „%3”)")
                .arg(characters)
                .arg(pupil + 1)
                .arg(qstringFromCp1250(document_.phrases()[phrase].name)));
    const QString separator = QStringLiteral(", ");
    for (LostCharacters& l : lostCharacters_) {
        if (l.pupil == pupil && l.phrase == phrase) {
            QStringList known = l.characters.split(separator);
            for (const QString& c : characters.split(separator))
                if (!known.contains(c) && known.size() < 20)
                    known << c;
            l.characters = known.join(separator);
            return;
        }
    }
    if (lostCharacters_.size() < 1000)
        lostCharacters_.push_back({pupil, phrase, characters});
}

void ProgramContext::connectClassCheck()
{
    Tffwmain* main = mainWindow_.get();
    QObject::connect(main, &Tffwmain::classCheckRequested, main,
                     [this](int page) { showClassCheck(page); });
}

ClassCheckWindow& ProgramContext::classCheckWindow()
{
    if (checkWindow_ != nullptr)
        return *checkWindow_;
    // Made when first needed: the first frame does without it.
    checkWindow_ = new ClassCheckWindow(mainWindow_.get());
    Tffwmain* main = mainWindow_.get();
    QObject::connect(checkWindow_, &ClassCheckWindow::recheckRequested, main,
                     [this] { showClassCheck(mainWindow_->chosenPage()); });
    QObject::connect(checkWindow_, &ClassCheckWindow::goTo, main,
                     [this](std::size_t pupil, std::optional<std::size_t> phrase) {
                         TCellEdi& grid = mainWindow_->grid();
                         if (pupil < document_.pupils().count())
                             grid.setPozX(static_cast<int>(pupil));
                         if (phrase && *phrase < document_.phrases().count())
                             grid.setPozY(static_cast<int>(*phrase));
                         mainWindow_->activateWindow();
                         mainWindow_->raise();
                         grid.setFocus();
                     });
    return *checkWindow_;
}

void ProgramContext::showClassCheck(int page)
{
    CheckScope scope;
    for (std::size_t x = 0; x < document_.pupils().count(); ++x)
        scope.pupils.push_back(x);
    scope.page = page;
    const std::optional<std::vector<Finding>> findings = runClassCheck(
        mainWindow_.get(), document_, scope, programFolder_, speller(), lostCharacters_);
    if (!findings)
        return;  // cancelled
    classCheckWindow().showFindings(document_, *findings, scope.pupils.size(), page);
    classCheckWindow().show();
    classCheckWindow().raise();
    classCheckWindow().activateWindow();
}

bool ProgramContext::checkBeforePrinting(const std::vector<std::size_t>& pupils, int page)
{
    CheckScope scope{pupils, page};
    const std::optional<std::vector<Finding>> findings = runClassCheck(
        mainWindow_.get(), document_, scope, programFolder_, speller(), lostCharacters_);
    if (!findings)
        return false;  // cancelled: nothing printed
    const std::size_t stopping = pupilsStoppingPrint(*findings);
    if (stopping == 0)
        return true;
    const QMessageBox::StandardButton answer = dialogs_->question(
        mainWindow_.get(), QStringLiteral("Sprawdź przed drukiem"),
        QStringLiteral("Świadectwa %1 wydrukują się z błędami (tekst poza ramką, brak oceny "
                       "lub wpisu, błędna średnia).\n\nDrukować mimo to?\n\n"
                       "Tak – drukuj; Nie – pokaż uwagi; Anuluj – nie drukuj.")
            .arg(stopping == 1 ? QStringLiteral("1 ucznia")
                               : QStringLiteral("%1 uczniów").arg(stopping)));
    if (answer == QMessageBox::Yes)
        return true;
    if (answer == QMessageBox::No) {
        classCheckWindow().showFindings(document_, *findings, pupils.size(), page);
        classCheckWindow().show();
        classCheckWindow().raise();
        classCheckWindow().activateWindow();
    }
    return false;
}

void ProgramContext::connectTables()
{
    Tffwmain* main = mainWindow_.get();
    QObject::connect(main, &Tffwmain::tablePrintRequested, main, [this](const QString& title) {
        tablePrintWindow().Drukuj(mainWindow_->grid(), title);
    });
    QObject::connect(main, &Tffwmain::gridOptionsRequested, main, [this] {
        gridOptionsWindow().Pokaz(mainWindow_->grid(), Tffopcje::Mode::UniformSizes);
    });
    // Like the preview, a dialog placed by the window system: a save stores
    // where it was last shown.
    addScreenHook({nullptr, [this](ScreenLayout& screen) {
                       if (!tablePrint_ || !tablePrint_->windowHandle())
                           return;
                       const QRect r = tablePrint_->frameGeometry();
                       screen.tablePrint = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
                   }});
}

std::optional<std::string> ProgramContext::choosePicture(const std::string& current)
{
    std::string name = current;
    if (!pictureChooser().chooseFromList(0, name))
        return std::nullopt;
    return name;
}

void ProgramContext::connectLayoutEditing()
{
    // One picture chooser for the phrase editor's picture rows and the
    // pupil grid's picture cells.
    mainWindow_->pupilGrid().setPictureChooser(
        [this](const std::string& current) { return choosePicture(current); });
    Tffwmain* main = mainWindow_.get();
    QObject::connect(main, &Tffwmain::phraseEditorRequested, main,
                     [this](int phrase) { phraseEditor().showAtRow(phrase); });
    // The rectangle and grid of a phrase editor never made: what a read
    // brought stays as read; with nothing read, a save stores the window's
    // own first ones, so the editor is made for it.
    addScreenHook({nullptr, [this](ScreenLayout&) {
                       if (!phraseEditor_ && !screenApplied_)
                           phraseEditor();
                   }});
}

void ProgramContext::connectPrinting()
{
    Tffwmain* main = mainWindow_.get();
    QObject::connect(main, &Tffwmain::previewRequested, main, [this](int pupil, int page) {
        Tffwpodglad& preview = previewWindow();
        preview.setFormScan(Tffwopcje::showFormInPreview() ? formScan(page, nullptr) : QImage());
        try {
            preview.preview(document_, pupil, page);
        } catch (const EKolmoError& e) {
            reportError(e.code());
        }
    });
    QObject::connect(
        main, &Tffwmain::printRequested, main,
        [this](const std::vector<std::size_t>& pupils, int page) { printCards(pupils, page); });
    QObject::connect(main, &Tffwmain::optionsRequested, main, [this] {
        // One step, when anything changed; the grids repaint from its notice.
        TOpcje options = document_.options();
        optionsWindow().editOptions(options);
        editor_.setOptions(options);
    });

    // Both windows are fixed dialogs centred on the screen: the class file's
    // rectangles are not applied to them, but a save stores where they were
    // last shown.
    addScreenHook({nullptr, [this](ScreenLayout& screen) {
                       auto store = [](const QWidget* window, WindowRect& rect) {
                           if (!window || !window->windowHandle())
                               return;  // never shown: keep what the file said
                           const QRect r = window->frameGeometry();
                           rect = {r.left(), r.top(), r.right() + 1, r.bottom() + 1};
                       };
                       store(preview_.get(), screen.preview);
                       store(options_.get(), screen.printOptions);
                   }});
}

// The Pomoc menu, F1 in every window, the information window at the first
// activation, the about window and the per-teacher files.
void ProgramContext::connectHelp()
{
    Tffwmain* main = mainWindow_.get();
    const QColor aqua(0, 255, 255);
    QObject::connect(main, &Tffwmain::infoRequested, main, [this, aqua] {
        infoWindow().showInformation(infoDocumentPath(), false, aqua);
    });
    // Queued: the window is shown modally, which must not happen inside
    // the activation itself.
    // The window itself is made then, not on the way to the first frame.
    QObject::connect(main, &Tffwmain::activated, main, [this, aqua] {
        if (!intro_ || intro_->firstShowingPending())
            QTimer::singleShot(0, mainWindow_.get(), [this, aqua] {
                infoWindow().showInformation(infoDocumentPath(), true, aqua);
            });
    });
    QObject::connect(main, &Tffwmain::helpContentsRequested, main,
                     [this] { helpWindow().showContents(); });
    QObject::connect(main, &Tffwmain::helpSearchRequested, main,
                     [this] { helpWindow().showIndex(QString()); });
    QObject::connect(main, &Tffwmain::helpOnHelpRequested, main,
                     [this] { helpWindow().showHelpOnHelp(); });
    QObject::connect(main, &Tffwmain::aboutRequested, main, [this] { aboutWindow().about(); });
    QObject::connect(main, &Tffwmain::perTeacherFilesRequested, main,
                     [this] { perTeacherFiles().open(); });

    helpKey_ =
        std::make_unique<HelpKey>([this](int context) { helpWindow().showContext(context); });
    if (QCoreApplication* app = QCoreApplication::instance())
        app->installEventFilter(helpKey_.get());
}

QString ProgramContext::infoDocumentPath() const
{
    return qtFolder_ + Tffintro::kDocumentName;
}

ProgramContext::~ProgramContext() = default;

std::string ProgramContext::applicationFolder()
{
    return programfolder::executableFolder() + '/';
}

HelpViewer& ProgramContext::helpWindow()
{
    // The help engine opens its collection when first asked for, not on
    // the way to the first frame.
    if (!help_) {
        const QString collection = qtFolder_ + QLatin1String(kHelpCollectionName);
        help_ = helpFactory_ ? helpFactory_(collection) : helpFromModule(*dialogs_, collection);
    }
    return *help_;
}

void ProgramContext::reportError(ErrorCode code)
{
    errorWindow().report(code);
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
            grid.applyLayout(screen.*layout);
            if (afterApply)
                afterApply();
        },
        [&window, &grid, rect, layout](ScreenLayout& screen) {
            screen.*rect = windowRectOf(window);
            screen.*layout = grid.gridLayout();
        },
    });
}

void ProgramContext::applyScreen()
{
    screenApplied_ = true;
    applyScreenFrom(0);
}

void ProgramContext::applyScreenFrom(std::size_t first)
{
    if (!screenApplied_)
        return;
    // By index: applying may make a window, which adds its own hook.
    for (std::size_t i = first; i < screenHooks_.size(); ++i) {
        if (screenHooks_[i].apply)
            screenHooks_[i].apply(document_.screen());
    }
}

void ProgramContext::collectScreen()
{
    // By index: collecting may make a window, whose hook then runs too.
    for (std::size_t i = 0; i < screenHooks_.size(); ++i) {
        if (screenHooks_[i].collect)
            screenHooks_[i].collect(document_.screen());
    }
}

}  // namespace wykazki

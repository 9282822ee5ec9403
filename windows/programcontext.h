#pragma once
// The program's one context: the document, the program folder, the
// answerer of questions and every window, created once and handed by
// reference to whoever needs them. There are no other globals.

#include "check/classcheck.h"
#include "document/document.h"
#include "document/ekolmoerror.h"
#include "editing/documenteditor.h"
#include "help/helpviewer.h"
#include "openclassfile.h"

#include <QImage>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QTemporaryDir;
class QWidget;

namespace wykazki {

class ClassCheckWindow;
class Dialogs;
class HelpKey;
class PrintCardsDialog;
class TCellEdi;
class Tclosa;
class Tffdruk;
class Tffopcje;
class Tffintro;
class Tffkolmo;
class Tffwerr;
class Tffwfrazy;
class Tffwlista;
class Tffwmain;
class Tffwopcje;
class Tffwopis;
class Tffwpodglad;
class Tffwrozmn;

class ProgramContext {
public:
    // programFolder: the folder of the executable with a trailing "/".
    ProgramContext(std::string programFolder, std::unique_ptr<Dialogs> dialogs);
    ~ProgramContext();

    ProgramContext(const ProgramContext&) = delete;
    ProgramContext& operator=(const ProgramContext&) = delete;

    // The program folder of a running program: the executable's folder.
    static std::string applicationFolder();

    // Everyone reads the document; every change goes through the editor.
    const Document& document() const { return document_; }
    DocumentEditor& editor() { return editor_; }
    const std::string& programFolder() const { return programFolder_; }
    Dialogs& dialogs() { return *dialogs_; }
    // The class file open now: its path, its lock and how it stood on disk.
    OpenClassFile& openFile() { return openFile_; }

    // The main window and the file operations exist from construction to
    // destruction; every other window is made when first asked for, so the
    // first frame waits for none of them, and then lives until the end.
    Tffwmain& mainWindow() { return *mainWindow_; }
    Tclosa& closa() { return *closa_; }
    Tffwerr& errorWindow();
    Tffwpodglad& previewWindow();
    Tffwopcje& optionsWindow();
    Tffwopis& opis();
    // The long-text editor if it was made: null until it was first needed.
    Tffwopis* opisIfMade() { return opis_.get(); }
    Tffkolmo& aboutWindow();
    Tffwrozmn& perTeacherFiles();
    Tffintro& infoWindow();
    // The help window, from the help module when first asked for; when the
    // module cannot be opened, a stand-in that says so at every request.
    HelpViewer& helpWindow();
    // How the help window is made (before it is first asked for); the
    // help module's by default.
    void setHelpFactory(HelpViewerFactory factory) { helpFactory_ = std::move(factory); }
    // program folder + "wyka2001.rtf".
    QString infoDocumentPath() const;
    Tffwfrazy& phraseEditor();
    Tffwlista& pictureChooser();

    // The program's one printer: report cards and tables print on it.
    // Made at first use: asking the print system takes time.
    QPrinter& printer();
    // Table printing and grid options, for every grid of the program.
    Tffdruk& tablePrintWindow();
    Tffopcje& gridOptionsWindow();
    // The print dialog for report cards, made when first asked for.
    PrintCardsDialog& printCardsDialog();
    // Ctrl+P: asks what to print (preset with the grid's selected pupils
    // and page), checks those cards and prints them with progress; the
    // status bar says what went where.
    void printCards(const std::vector<std::size_t>& selected, int page);
    // The open class file's path as the windows show it (empty: none).
    QString classFilePath() const;
    // The scanned blank form of page 0..3 for the proof print and the
    // preview: null when none is chosen or it cannot be read (problem says
    // why, empty when none is chosen).
    QImage formScan(int page, QString* problem);
    // "Skan formularza, strona N…": asks for the image and keeps it beside
    // the class file; with one chosen already, offers to remove it.
    void chooseFormScan(int page);
    // "Wydrukuj stronę kalibracyjną" with the sheet and shift of options,
    // on the printer the last card job used.
    void printCalibration(const TOpcje& options);

    // The check before printing of pupils' cards on page (0..3): runs it,
    // and when a card would print wrong asks "Drukować mimo to?"; true when
    // the print may go ahead. Findings are shown in the check window.
    bool checkBeforePrinting(const std::vector<std::size_t>& pupils, int page);
    // The Polish dictionary, opened at first use; null when missing (said
    // once in the status bar).
    const Speller* speller();
    // Characters typed or pasted texts lost in this session, for the check.
    void noteLostCharacters(std::size_t pupil, std::size_t phrase, const QString& characters);
    // Made when first needed.
    ClassCheckWindow& classCheckWindow();

    // Shows the message of an error code in the error window.
    void reportError(ErrorCode code);

    // A window whose rectangle (and grid) the class file carries registers
    // here: apply runs after every successful read, collect before every
    // save, both on document().screen(). A window made after a read is
    // given what that read brought as it is made; until it is made, the
    // read's values stay in the document and a save writes them back as
    // they were read.
    struct ScreenHook {
        std::function<void(const ScreenLayout&)> apply;
        std::function<void(ScreenLayout&)> collect;
    };
    void addScreenHook(ScreenHook hook);
    // The hook of a window with a grid: its rectangle at rect and its
    // grid's layout at layout; afterApply runs once both are applied.
    void addWindowHook(QWidget& window, TCellEdi& grid, WindowRect ScreenLayout::*rect,
                       GridLayout ScreenLayout::*layout, std::function<void()> afterApply = {});
    void applyScreen();
    void collectScreen();

private:
    Document document_;
    DocumentEditor editor_{document_};
    std::string programFolder_;
    // The program folder as Qt opens it (with a trailing "/"): its own name,
    // or, for a name Qt cannot spell, a link to it in a temporary folder
    // that lives as long as the program.
    std::unique_ptr<QTemporaryDir> folderAlias_;
    QString qtFolder_;
    std::unique_ptr<Dialogs> dialogs_;
    OpenClassFile openFile_;  // outlives the windows, whose end may still save
    std::vector<ScreenHook> screenHooks_;
    bool screenApplied_ = false;  // a read brought window rectangles and grid layouts

    // Runs the apply of every hook from first on, when a read has already
    // applied the screen: for a window made after it.
    void applyScreenFrom(std::size_t first);

    void connectPrinting();
    void connectHelp();
    void connectLayoutEditing();
    // The picture chooser opened on current; nothing when it was cancelled.
    std::optional<std::string> choosePicture(const std::string& current);

    void connectTables();
    void connectClassCheck();
    void showClassCheck(int page);

    std::unique_ptr<Speller> speller_;
    bool spellerOpened_ = false;
    std::vector<LostCharacters> lostCharacters_;
    ClassCheckWindow* checkWindow_ = nullptr;  // a child of the main window

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<Tffopcje> gridOptions_;
    PrintCardsDialog* printCardsDialog_ = nullptr;  // a child of the main window
    std::unique_ptr<Tffdruk> tablePrint_;           // ends an open job before the printer goes
    // Destroyed in reverse: the main window goes first.
    std::unique_ptr<HelpKey> helpKey_;
    HelpViewerFactory helpFactory_;
    std::unique_ptr<HelpViewer> help_;
    std::unique_ptr<Tffintro> intro_;
    std::unique_ptr<Tffwopis> opis_;
    std::unique_ptr<Tffwlista> lista_;
    std::unique_ptr<Tffwrozmn> rozmn_;
    std::unique_ptr<Tffwopcje> options_;
    std::unique_ptr<Tffwpodglad> preview_;
    std::unique_ptr<Tffwerr> errorWindow_;
    std::unique_ptr<Tffwfrazy> phraseEditor_;
    std::unique_ptr<Tclosa> closa_;
    std::unique_ptr<Tffkolmo> kolmo_;
    std::unique_ptr<Tffwmain> mainWindow_;
};

}  // namespace wykazki

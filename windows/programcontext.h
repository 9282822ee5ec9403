#pragma once
// The program's one context: the document, the program folder, the
// answerer of questions and every window, created once and handed by
// reference to whoever needs them. There are no other globals.

#include "document/document.h"
#include "document/ekolmoerror.h"
#include "editing/documenteditor.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class Dialogs;
class HelpKey;
class HelpWindow;
class QPrinter;
class QWidget;
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

    // Every window exists from construction to destruction, created in the
    // program's order: main window, file operations, phrase editor, error
    // window, preview, print options, picture chooser, long-text editor.
    Tffwmain& mainWindow() { return *mainWindow_; }
    Tclosa& closa() { return *closa_; }
    Tffwerr& errorWindow() { return *errorWindow_; }
    Tffwpodglad& previewWindow() { return *preview_; }
    Tffwopcje& optionsWindow() { return *options_; }
    Tffwopis& opis() { return *opis_; }
    Tffkolmo& aboutWindow() { return *kolmo_; }
    Tffwrozmn& perTeacherFiles() { return *rozmn_; }
    Tffintro& infoWindow() { return *intro_; }
    HelpWindow& helpWindow() { return *help_; }
    // program folder + "wyka2001.rtf".
    QString infoDocumentPath() const;
    Tffwfrazy& phraseEditor() { return *phraseEditor_; }
    Tffwlista& pictureChooser() { return *lista_; }

    // The program's one printer: report cards and tables print on it.
    QPrinter& printer() { return *printer_; }
    // Table printing and grid options, for every grid of the program.
    Tffdruk& tablePrintWindow() { return *tablePrint_; }
    Tffopcje& gridOptionsWindow() { return *gridOptions_; }

    // Shows the message of an error code in the error window.
    void reportError(ErrorCode code);

    // A window whose rectangle (and grid) the class file carries registers
    // here: apply runs after every successful read, collect before every
    // save, both on document().screen().
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
    std::unique_ptr<Dialogs> dialogs_;
    std::vector<ScreenHook> screenHooks_;

    void connectPrinting();
    void connectHelp();
    void connectLayoutEditing();

    void connectTables();

    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<Tffopcje> gridOptions_;
    std::unique_ptr<Tffdruk> tablePrint_;  // ends an open job before the printer goes
    // Destroyed in reverse: the main window goes first.
    std::unique_ptr<HelpKey> helpKey_;
    std::unique_ptr<HelpWindow> help_;
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

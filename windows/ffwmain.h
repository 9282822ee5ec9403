#pragma once
// The main window: the menus, the toolbar over the same commands, the page
// to print, the switch of the long-text editor, the status bar with the
// current file and the pupil grid. Every command of the program starts here; commands whose
// windows live elsewhere are handed over through the signals below.

#include "keyscheme.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;

namespace wykazki {

class ProgramContext;
class PupilGrid;
class GradeReader;
class TCellEdi;
struct DocumentChange;
struct ImportSource;

class Tffwmain : public QMainWindow {
    Q_OBJECT
public:
    // The toolbar's commands in toolbar order, SpeedButton1 .. SpeedButton9.
    enum ToolCommand : std::size_t {
        kSave,
        kPhrases,
        kAddPupil,
        kRemovePupil,
        kPrintTable,
        kOptions,
        kPreview,
        kPrintSelected,
        kClose,
        kToolCommands
    };

    explicit Tffwmain(ProgramContext& context);
    ~Tffwmain() override;

    // Called once the context has made the main window and its file operations.
    void connectWindows();

    // The grid-size rule: P + 1 data columns (1 without pupils), F + 1 data
    // rows (1 without phrases), preview and print enabled only with both.
    // Run after every change of the number of pupils or phrases.
    void applyGridSize();
    // The long-text update: the editor follows the grid's current cell.
    void longTextUpdate();

    // The status bar rests on the current file's line; an action's message
    // (a paste's report, "Zapisano: …") replaces it until the next change
    // of the document, which brings the file's line back.
    void setStatusText(const QString& text);
    void setFileStatusText(const QString& text);

    // The reader of grades, made at first use; the tests give their own.
    GradeReader& gradeReader();
    void setGradeReader(std::unique_ptr<GradeReader> reader);
    const QStringList& lastReading() const { return lastReading_; }

    // The shortcuts of the commands (see keyscheme.h), shown in the menus.
    void applyKeyScheme(KeyScheme scheme);
    KeyScheme keyScheme() const { return keyScheme_; }
    QString statusText() const;

    // "Drukuj stronę:": the page of the form to print, 0..3.
    int chosenPage() const;
    void setChosenPage(int page);
    bool longTextEnabled() const;

    // The pupil under the grid's current column, or -1 on the averages.
    int currentPupil() const;
    // Every pupil whose column lies in the grid's selection, left to right.
    std::vector<std::size_t> selectedPupils();

    TCellEdi& grid() { return *grid_; }
    PupilGrid& pupilGrid() { return *pupilGrid_; }
    // Edycja > Cofnij (Alt+Backspace) and Ponów (Ctrl+Y).
    QAction& undoAction() { return *undoAction_; }
    QAction& redoAction() { return *redoAction_; }
    // The toolbar's buttons SpeedButton1 .. SpeedButton9; each one runs a
    // command that a menu entry may share.
    QToolButton& speedButton(int number);
    QCheckBox& longTextSwitch() { return *longTextSwitch_; }
    QButtonGroup& pageChoice() { return *pageChoice_; }

    // A sheet file, chosen or dropped: the import dialog over it.
    void importSheetFile(const QString& path);
    // The import dialog over a sheet; accepted, the import is one step and
    // its summary goes to the status bar.
    void importFrom(const QString& fileName, ImportSource source);

signals:
    // SpeedButton7: preview of one pupil's card at the chosen page.
    void previewRequested(int pupil, int page);
    // SpeedButton8 and Pliki > Drukuj zaznaczone wykazki: the chosen page
    // of every selected pupil's card; pupils is never empty.
    void printRequested(const std::vector<std::size_t>& pupils, int page);
    // SpeedButton5: the table-print dialog for the pupil grid.
    void tablePrintRequested(const QString& title);
    // SpeedButton6 and the Opcje menu.
    void optionsRequested();
    // SpeedButton2 and Edycja > Edytuj frazy, on the phrase to show first.
    void phraseEditorRequested(int phrase);
    // Edycja > Sprawdź przed drukiem: every pupil's card on page.
    void classCheckRequested(int page);
    // Pliki > Rozmnóż na poszczególne oddziały.
    void perTeacherFilesRequested();
    // The grid's corner: the grid options of the pupil grid.
    void gridOptionsRequested();
    // Pomoc.
    void infoRequested();
    void helpContentsRequested();
    void helpSearchRequested();
    void helpOnHelpRequested();
    void aboutRequested();
    // Every activation of the window, after the grid-size rule; the
    // information window shows itself here once per run.
    void activated();

public slots:
    void save();                 // Zapisz
    void saveAs();               // Zapisz pod nową nazwą
    void newDocument();          // Nowy
    void openFile();             // Odczytaj
    void makePerTeacherFiles();  // Rozmnóż na poszczególne oddziały
    void printSelected();        // the selected pupils' cards
    void addPupil();
    void removePupil();
    void editPhrases();  // the phrase editor on the current phrase
    void editOptions();
    void printTable();      // the table-print dialog
    void previewCurrent();  // the current pupil's card
    void pageChosen();
    void longTextSwitched();
    // Edycja > Wylicz średnie: the computed average written into every
    // pupil's own text of each average phrase, one step.
    void computeAverages();
    // Edycja > Zaznacz uczniów z wyróżnieniem: their columns when adjacent.
    void selectDistinction();
    // Edycja > Sprawdź przed drukiem (F9).
    void checkClass();
    // Edycja > Zaznacz wszystko: every cell of the grid.
    void selectAll();
    // Edycja > Czytaj oceny ucznia (F7): the current pupil's name and grades
    // aloud; F7 or Escape again stops. Czytaj dalej (Shift+F7): the next pupil.
    void readGrades();
    void readNextPupil();
    // Pliki > Importuj z arkusza…: a sheet file chosen, then the import
    // dialog; the same for a sheet file dropped on the window.
    void importSheet();
    // Pliki > Eksportuj do arkusza…: the file, then pupils in rows or columns.
    void exportSheet();
    // Edycja > Wklej z zamianą wierszy i kolumn (Ctrl+Shift+V).
    void pasteTransposed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A sheet file dropped on the window is imported.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // One action per command; the menus and the toolbar take them from here.
    void buildCommands();
    void buildToolbar();
    void buildPanelControls(QWidget& panel);
    void buildMenus();
    void FormShow();
    // Asks whether to save a modified document; false when the user
    // cancelled or the save did not happen.
    bool askToSave(const QString& title);
    void buildUndoCommands(QMenu& menu);
    void documentChanged(const DocumentChange& change);
    // A problem with a sheet, in a message box.
    void sheetProblem(const QString& title, const QString& problem);

    ProgramContext& context_;
    TCellEdi* grid_ = nullptr;
    std::unique_ptr<PupilGrid> pupilGrid_;
    // The commands in toolbar order, SpeedButton1 .. SpeedButton9.
    std::array<QAction*, kToolCommands> toolCommands_{};
    QToolBar* toolbar_ = nullptr;
    QGroupBox* pageBox_ = nullptr;
    QButtonGroup* pageChoice_ = nullptr;
    QCheckBox* longTextSwitch_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QString fileStatus_;
    // An action's message outlives the change the same action makes, even
    // when it is given before that change, but no later one.
    bool statusJustSet_ = false;
    QAction* undoAction_ = nullptr;
    QAction* newAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveAsAction_ = nullptr;
    QAction* selectAllAction_ = nullptr;
    KeyScheme keyScheme_ = KeyScheme::Modern;
    std::unique_ptr<GradeReader> gradeReader_;
    QStringList lastReading_;  // the sentences of the last reading, for the tests
    QAction* stopReadingAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    bool shownOnce_ = false;
};

}  // namespace wykazki

#pragma once
// The main window: the menus, the toolbar over the same commands, the page
// to print, the switch of the long-text editor, the status bar with the
// current file and the pupil grid. Every command of the program starts here; commands whose
// windows live elsewhere are handed over through the signals below.

#include <QMainWindow>

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

class ProgramContext;
class PupilGrid;
class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QToolBar;
class QToolButton;
class TCellEdi;
struct DocumentChange;

class Tffwmain : public QMainWindow {
    Q_OBJECT
public:
    explicit Tffwmain(ProgramContext& context);
    ~Tffwmain() override;

    // Called once every window of the context exists.
    void connectWindows();

    // The grid-size rule: P + 1 data columns (1 without pupils), F + 1 data
    // rows (1 without phrases), preview and print enabled only with both.
    // Run after every change of the number of pupils or phrases.
    void applyGridSize();
    // The long-text update: the editor follows the grid's current cell.
    void longTextUpdate();

    void setStatusText(const QString& text);
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

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

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

    ProgramContext& context_;
    TCellEdi* grid_ = nullptr;
    std::unique_ptr<PupilGrid> pupilGrid_;
    // The commands in toolbar order, SpeedButton1 .. SpeedButton9.
    std::array<QAction*, 9> toolCommands_{};
    QToolBar* toolbar_ = nullptr;
    QGroupBox* pageBox_ = nullptr;
    QButtonGroup* pageChoice_ = nullptr;
    QCheckBox* longTextSwitch_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    bool shownOnce_ = false;
};

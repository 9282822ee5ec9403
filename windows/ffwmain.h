#pragma once
// The main window: the toolbar, the menus, the page to print, the switch
// of the long-text editor, the status bar with the current file and the
// pupil grid. Every command of the program starts here; commands whose
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
class QToolButton;
class TCellEdi;
struct DocumentChange;
struct ScreenLayout;

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

    TCellEdi& grid() { return *cellEdi1_; }
    PupilGrid& pupilGrid() { return *pupilGrid_; }
    // Edycja > Cofnij (Alt+Backspace) and Ponów (Ctrl+Y).
    QAction& undoAction() { return *undoAction_; }
    QAction& redoAction() { return *redoAction_; }
    // SpeedButton1 .. SpeedButton9.
    QToolButton& speedButton(int number) { return *speedButtons_.at(number - 1); }
    QCheckBox& longTextSwitch() { return *checkBox1_; }
    QButtonGroup& pageChoice() { return *radioGroup1_; }

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
    void SpeedButton1Click();          // Zapisz
    void Zapiszpodnownazw1Click();     // Zapisz pod nową nazwą
    void Nowy1Click();
    void Odczytaj1Click();
    void Rozmnoz1Click();
    void SpeedButton8Click();          // print the selected pupils' cards
    void SpeedButton9Click();          // Zamknij / Koniec
    void SpeedButton3Click();          // add a pupil
    void SpeedButton4Click();          // remove the current pupil
    void SpeedButton2Click();          // phrase editor
    void SpeedButton6Click();          // options
    void SpeedButton5Click();          // table print
    void SpeedButton7Click();          // preview
    void RadioGroup1Click();
    void CheckBox1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildToolbar(QWidget& panel);
    void buildPanelControls(QWidget& panel);
    void buildMenus();
    QAction* addCommand(QMenu& menu, const char* objectName, const QString& text,
                        const QKeySequence& shortcut, void (Tffwmain::*slot)());
    void FormShow();
    // Asks whether to save a modified document; false when the user
    // cancelled or the save did not happen.
    bool askToSave(const QString& title);
    void buildUndoCommands(QMenu& menu);
    void documentChanged(const DocumentChange& change);
    void applyScreen(const ScreenLayout& screen);
    void collectScreen(ScreenLayout& screen) const;

    ProgramContext& context_;
    TCellEdi* cellEdi1_ = nullptr;
    std::unique_ptr<PupilGrid> pupilGrid_;
    std::array<QToolButton*, 9> speedButtons_{};
    QGroupBox* radioBox_ = nullptr;
    QButtonGroup* radioGroup1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    bool shownOnce_ = false;
};

#pragma once
// The phrase editor, "Elementy świadectwa": the layout of the report card,
// one phrase per row of its grid. A non-modal window made once and shown
// on the main window's current phrase; every change it makes is a step of
// the edit layer, so the main window, the preview and printing follow at
// once. Its rectangle and its grid's layout travel in the class file.

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolButton;

namespace wykazki {

class LayoutPanel;
class PhraseGrid;
class ProgramContext;
class TCellEdi;

class Tffwfrazy : public QMainWindow {
    Q_OBJECT
public:
    explicit Tffwfrazy(ProgramContext& context);
    ~Tffwfrazy() override;

    // Ten columns and a row per phrase (at least one), the cursor on phrase
    // when it is a row, the window shown and the grid focused.
    void showAtRow(int phrase);

    TCellEdi& grid() { return *grid_; }
    PhraseGrid& phraseGrid() { return *phraseGrid_; }
    // The toolbar's buttons SpeedButton1 .. SpeedButton5.
    QToolButton& speedButton(int number)
    {
        return *speedButtons_.at(static_cast<std::size_t>(number - 1));
    }
    QString statusText() const;
    // The layout view beside the grid ("Układ strony", Ctrl+L), shown or
    // hidden as the user left it last time.
    LayoutPanel& layoutPanel() { return *layoutPanel_; }
    QAction& layoutSwitch() { return *layoutSwitch_; }
    // The menu of the "Nazwa frazy" cells (right click or the menu key):
    // "Wyliczane: średnia ocen" and "Ocena zachowania" for text phrases.
    QMenu& roleMenu() { return *roleMenu_; }

signals:
    // SpeedButton4: the table-print dialog for this grid.
    void tablePrintRequested(const QString& title);
    // The grid's corner: the grid options of this grid.
    void gridOptionsRequested();

public slots:
    void save();          // Zapisz
    void addPhrase();     // Dodaj frazę
    void removePhrase();  // Usuń frazę
    void printTable();    // Drukuj tabelkę

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildToolbar();
    // The window previews keys: Escape closes it.
    bool FormKeyDown(QKeyEvent* event);

    ProgramContext& context_;
    TCellEdi* grid_ = nullptr;
    std::unique_ptr<PhraseGrid> phraseGrid_;
    std::array<QToolButton*, 5> speedButtons_{};
    QLabel* statusLabel_ = nullptr;
    QSplitter* splitter_ = nullptr;
    LayoutPanel* layoutPanel_ = nullptr;
    QAction* layoutSwitch_ = nullptr;
    QMenu* roleMenu_ = nullptr;
    QAction* averageRole_ = nullptr;
    QAction* behaviourRole_ = nullptr;
};

}  // namespace wykazki

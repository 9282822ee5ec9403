#pragma once
// The table-print dialog "Kolmo'05": prints any grid as a paginated table
// on the program's printer. A job left open ("Wysuń kartkę ..." unchecked)
// keeps its sheet in the printer, so the next table, from any window,
// continues below on the same sheet.

#include "grid/tableprint.h"

#include <QDialog>
#include <QPainter>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QSpinBox;

namespace wykazki {

class Dialogs;
class TCellEdi;

class Tffdruk : public QDialog {
    Q_OBJECT
public:
    // Shows the printer setup for printer; false when the user cancelled.
    using PrinterSetup = std::function<bool(QPrinter& printer, QWidget* parent)>;

    Tffdruk(QPrinter& printer, Dialogs& dialogs, QWidget* parent = nullptr);
    ~Tffdruk() override;

    // Opens the dialog for grid with title and prints what the user
    // chooses. The grid must outlive the call.
    void Drukuj(TCellEdi& grid, const QString& title);
    // Drukuj's first half, without showing the window: the tests drive the
    // controls from here.
    void prepare(TCellEdi& grid, const QString& title);

    // Ends an open job normally, so that its sheet comes out; the report
    // cards do this before they use the printer. False when the printer
    // reported a failure.
    bool finishOpenJob();
    bool jobOpen() const { return painter_.isActive(); }
    // Device pixels already used on the open job's sheet.
    int sheetY() const { return y_; }

    void setPrinterSetup(PrinterSetup setup) { printerSetup_ = std::move(setup); }

    // "1 strona", "2 strony", "5 stron", "22 strony": n with the Polish
    // plural of "strona".
    static QString pageCountText(int n);
    // The name a table job carries in the print queue and in a PDF:
    // "Tabela – " and the title.

    // The controls, for the tests.
    QLineEdit& titleEdit() { return *title_; }
    QSpinBox& sizeSpin() { return *size_; }
    QCheckBox& selectionOnlyBox() { return *selectionOnly_; }
    QCheckBox& leftHeadersBox() { return *leftHeaders_; }
    QCheckBox& topHeadersBox() { return *topHeaders_; }
    QCheckBox& headersOnEveryPageBox() { return *headersOnEveryPage_; }
    QSpinBox& fromSpin() { return *from_; }
    QSpinBox& toSpin() { return *to_; }
    QButtonGroup& colouringGroup() { return *colouring_; }
    QCheckBox& ejectBox() { return *eject_; }
    QLabel& pageCountLabel() { return *pageCount_; }
    QLabel& printerPanel() { return *printerName_; }
    QLabel& statusLine() { return *status_; }
    QPushButton& okButton() { return *ok_; }
    QPushButton& printerOptionsButton() { return *printerOptions_; }

public slots:
    void printTable();
    void cancel();
    void choosePrinter();
    void reject() override;

private:
    void buildControls();
    // Lays the table out again; resetPages puts the page fields to 1 .. n.
    void layOut(bool resetPages);
    TablePrintOptions options() const;
    // Asks before dropping printed tables; No ends the job normally.
    void closeOpenJob();
    bool beginJob();
    // Aborts the open job, dropping what was printed into it.
    void dropJob();
    void fail();

    QPrinter& printer_;
    Dialogs& dialogs_;
    PrinterSetup printerSetup_;
    TCellEdi* grid_ = nullptr;
    QPainter painter_;  // active while a job is open
    int y_ = 0;
    int pages_ = 0;

    QLabel* printerName_ = nullptr;
    QLineEdit* title_ = nullptr;
    QSpinBox* size_ = nullptr;
    QCheckBox* selectionOnly_ = nullptr;
    QCheckBox* leftHeaders_ = nullptr;
    QCheckBox* topHeaders_ = nullptr;
    QCheckBox* headersOnEveryPage_ = nullptr;
    QLabel* pageCount_ = nullptr;
    QSpinBox* from_ = nullptr;
    QSpinBox* to_ = nullptr;
    QButtonGroup* colouring_ = nullptr;
    QCheckBox* eject_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* printerOptions_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace wykazki

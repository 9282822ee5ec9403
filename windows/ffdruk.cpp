#include "ffdruk.h"

#include "dialogs.h"
#include "jobprogress.h"

#include "help/helpcontext.h"

#include "grid/celledi.h"
#include "print/printjob.h"
#include "print/programprinter.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace wykazki {

namespace {

const char* const kFailure = "Wydruk się nie powiódł...";

bool runPrintDialog(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace

Tffdruk::Tffdruk(QPrinter& printer, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), printer_(printer), dialogs_(dialogs), printerSetup_(runPrintDialog)
{
    setObjectName(QStringLiteral("ffdruk"));
    helpcontext::set(*this, helpcontext::kTablePrint);
    setWindowTitle(QStringLiteral("Kolmo'05"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildControls();
}

Tffdruk::~Tffdruk()
{
    // Tables printed without ejecting still come out when the program ends.
    finishOpenJob();
}

void Tffdruk::buildControls()
{
    auto* top = new QVBoxLayout(this);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* panelLayout = new QHBoxLayout(panel);
    printerName_ = new QLabel(panel);
    printerName_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    panelLayout->addWidget(printerName_);
    top->addWidget(panel);

    auto* form = new QFormLayout;
    title_ = new QLineEdit(this);
    title_->setMinimumWidth(260);
    form->addRow(QStringLiteral("&Tytuł"), title_);
    size_ = new QSpinBox(this);
    size_->setRange(10, 900);
    size_->setSingleStep(10);
    size_->setValue(100);
    form->addRow(QStringLiteral("&Rozmiar [%]"), size_);
    top->addLayout(form);

    selectionOnly_ = new QCheckBox(QStringLiteral("Tylko &zaznaczony obszar"), this);
    leftHeaders_ = new QCheckBox(QStringLiteral("Drukuj &lewe nagłówki"), this);
    leftHeaders_->setChecked(true);
    topHeaders_ = new QCheckBox(QStringLiteral("Drukuj &górne nagłówki"), this);
    topHeaders_->setChecked(true);
    headersOnEveryPage_ = new QCheckBox(QString::fromUtf8("Nagłówki na każdej &stronie"), this);
    headersOnEveryPage_->setChecked(true);
    top->addWidget(selectionOnly_);
    top->addWidget(leftHeaders_);
    top->addWidget(topHeaders_);
    top->addWidget(headersOnEveryPage_);
    // Tab walks the header boxes in the order they are shown.
    setTabOrder(topHeaders_, headersOnEveryPage_);

    pageCount_ = new QLabel(this);
    top->addWidget(pageCount_);
    auto* pagesRow = new QHBoxLayout;
    from_ = new QSpinBox(this);
    to_ = new QSpinBox(this);
    for (QSpinBox* spin : {from_, to_})
        spin->setRange(1, 1);
    auto* fromLabel = new QLabel(QStringLiteral("Drukuj &od strony"), this);
    fromLabel->setBuddy(from_);
    auto* toLabel = new QLabel(QStringLiteral("&do strony"), this);
    toLabel->setBuddy(to_);
    pagesRow->addWidget(fromLabel);
    pagesRow->addWidget(from_);
    pagesRow->addWidget(toLabel);
    pagesRow->addWidget(to_);
    pagesRow->addStretch();
    top->addLayout(pagesRow);

    auto* colouringBox = new QGroupBox(QStringLiteral("Sposób kolorowania"), this);
    auto* colouringLayout = new QVBoxLayout(colouringBox);
    colouring_ = new QButtonGroup(this);
    const char* const captions[] = {"&Nie koloruj, drukuj czarno-biało", "&Koloruj jak na ekranie",
                                    "Koloruj &czcionkę, nie tło (oszczędzaj barwnik)"};
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(QString::fromUtf8(captions[mode]), colouringBox);
        colouring_->addButton(radio, mode);
        colouringLayout->addWidget(radio);
    }
    colouring_->button(0)->setChecked(true);
    top->addWidget(colouringBox);

    eject_ = new QCheckBox(QStringLiteral("&Wysuń kartkę po wydrukowaniu tej tabeli."), this);
    eject_->setChecked(true);
    top->addWidget(eject_);

    // The platform's button row, its texts from Qt's Polish translation.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    printerOptions_ =
        buttons->addButton(QStringLiteral("O&pcje drukarki"), QDialogButtonBox::ActionRole);
    printerOptions_->setAutoDefault(false);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setDefault(true);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    cancel_->setAutoDefault(false);
    top->addWidget(buttons);

    status_ = new QLabel(QStringLiteral(" "), this);
    status_->setFrameShape(QFrame::Panel);
    status_->setFrameShadow(QFrame::Sunken);
    top->addWidget(status_);
    top->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok_, &QPushButton::clicked, this, &Tffdruk::printTable);
    connect(cancel_, &QPushButton::clicked, this, &Tffdruk::cancel);
    connect(printerOptions_, &QPushButton::clicked, this, &Tffdruk::choosePrinter);
    const auto relayout = [this] { layOut(true); };
    connect(size_, &QSpinBox::valueChanged, this, relayout);
    for (QCheckBox* box : {selectionOnly_, leftHeaders_, topHeaders_, headersOnEveryPage_})
        connect(box, &QCheckBox::toggled, this, relayout);
    // "do strony" never lies before "Drukuj od strony".
    connect(from_, &QSpinBox::valueChanged, this, [this](int from) { to_->setMinimum(from); });
}

QString Tffdruk::pageCountText(int n)
{
    const int lastTwo = n % 100;
    const int last = n % 10;
    const char* word = "stron";
    if (n == 1)
        word = "strona";
    else if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14))
        word = "strony";
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(word));
}

TablePrintOptions Tffdruk::options() const
{
    TablePrintOptions o;
    o.scale = size_->value() / 100.0;
    o.selectionOnly = selectionOnly_->isChecked();
    o.leftHeaders = leftHeaders_->isChecked();
    o.topHeaders = topHeaders_->isChecked();
    o.headersOnEveryPage = headersOnEveryPage_->isChecked();
    o.colouring = static_cast<ColouringMode>(std::max(0, colouring_->checkedId()));
    return o;
}

void Tffdruk::layOut(bool resetPages)
{
    if (!grid_)
        return;
    // Tables go on the printable area; report cards switch back to the
    // full sheet for themselves. The page size cannot change under an open job.
    if (!jobOpen())
        useForTables(printer_);
    printerName_->setText(QStringLiteral("Drukowanie ") + printerDisplayName(printer_));
    pages_ = PrzygotujWydruk(*grid_, printer_, jobOpen() ? y_ : 0, options(), grid_->logicalDpiY());
    pageCount_->setText(pageCountText(pages_));
    ok_->setEnabled(pages_ > 0);
    if (pages_ == 0) {
        fail();
        return;
    }
    // A failure the user has since mended (another size, another printer)
    // no longer stands.
    if (status_->text() == QString::fromUtf8(kFailure))
        status_->setText(QStringLiteral(" "));
    if (resetPages) {
        for (QSpinBox* spin : {from_, to_})
            spin->setRange(1, pages_);
        from_->setValue(1);
        to_->setMinimum(1);
        to_->setValue(pages_);
    }
}

void Tffdruk::fail()
{
    status_->setText(QString::fromUtf8(kFailure));
}

void Tffdruk::prepare(TCellEdi& grid, const QString& title)
{
    grid_ = &grid;
    title_->setText(title);
    status_->setText(QStringLiteral(" "));
    if (!jobOpen())
        printer_.setDocName(tableJobTitle(title));
    layOut(true);
}

void Tffdruk::Drukuj(TCellEdi& grid, const QString& title)
{
    prepare(grid, title);
    dialogs_.runModal(*this);
    grid_ = nullptr;
}

bool Tffdruk::beginJob()
{
    if (jobOpen())
        return true;
    if (!canPrintOn(printer_))
        return false;
    // Tables go on the printable area, whatever the report cards left.
    useForTables(printer_);
    printer_.setDocName(tableJobTitle(title_->text()));
    y_ = 0;
    return painter_.begin(&printer_);
}

void Tffdruk::printTable()
{
    if (!grid_)
        return;
    // The colouring is read at layout time; the page fields stay as chosen.
    layOut(false);
    if (pages_ == 0)
        return;
    const int from = from_->value() - 1;
    const int to = std::max(from, to_->value() - 1);
    if (!beginJob()) {
        fail();
        return;
    }
    JobProgress progress(this, QStringLiteral("Drukowanie tabeli"), to - from + 1);
    const bool whole = printTablePages(
        *grid_, painter_, printer_, from, to, title_->text(), y_,
        [this, &progress, from, to](int page) {
            status_->setText(QStringLiteral(" Strona %1").arg(page + 1));
            return progress.step(
                page - from,
                QStringLiteral("Strona %1 z %2").arg(page - from + 1).arg(to - from + 1));
        });
    if (!whole) {
        // Cancelled: none of this job reaches paper or stays in a file.
        dropJob();
        status_->setText(QStringLiteral(" Drukowanie przerwano"));
        return;
    }
    if (printer_.printerState() == QPrinter::Error) {
        dropJob();
        fail();
        return;
    }
    if (eject_->isChecked() && !finishOpenJob()) {
        fail();
        return;
    }
    accept();
}

void Tffdruk::closeOpenJob()
{
    if (!jobOpen())
        return;
    const auto answer =
        dialogs_.question(this, windowTitle(),
                          QStringLiteral("Na arkuszu są już wydrukowane tabele. Przerwać wydruk?"));
    if (answer == QMessageBox::Yes) {
        dropJob();
    } else {
        finishOpenJob();
    }
}

void Tffdruk::dropJob()
{
    // Qt's PDF output cannot abort a job: what it wrote is removed instead.
    const bool aborted = printer_.abort();
    painter_.end();
    if (!aborted && printer_.outputFormat() == QPrinter::PdfFormat
        && !printer_.outputFileName().isEmpty())
        QFile::remove(printer_.outputFileName());
    y_ = 0;
}

bool Tffdruk::finishOpenJob()
{
    y_ = 0;
    if (!jobOpen())
        return true;
    return painter_.end() && printer_.printerState() != QPrinter::Error;
}

void Tffdruk::cancel()
{
    reject();
}

void Tffdruk::reject()
{
    closeOpenJob();
    QDialog::reject();
}

void Tffdruk::choosePrinter()
{
    closeOpenJob();
    printerSetup_(printer_, this);
    layOut(true);
}

}  // namespace wykazki

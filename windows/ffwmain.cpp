#include "ffwmain.h"

#include "closa.h"
#include "dialogs.h"
#include "ffwopis.h"
#include "programcontext.h"
#include "pupilgrid.h"
#include "windowgrid.h"

#include "speech/gradereader.h"

#include "document/computedvalues.h"
#include "document/document.h"
#include "document/pupilgridtext.h"
#include "editing/documenteditor.h"

#include "grid/celledi.h"
#include "help/helpcontext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QStringList>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace wykazki {

namespace {

const QString kSaveChangesQuestion = QStringLiteral("Zapisać zmiany na dysku?");

}  // namespace

Tffwmain::Tffwmain(ProgramContext& context) : context_(context)
{
    setObjectName(QStringLiteral("ffwmain"));
    setWindowTitle(QStringLiteral("Wykazki 2001"));
    helpcontext::set(*this, helpcontext::kMainWindow);
    QFont font(QStringLiteral("MS Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* panel = new QWidget(central);
    panel->setObjectName(QStringLiteral("Panel1"));
    buildPanelControls(*panel);
    column->addWidget(panel);

    grid_ = makeWindowGrid(*central, 100, 100);
    column->addWidget(grid_, 1);
    setCentralWidget(central);

    buildCommands();
    buildToolbar();
    buildMenus();

    statusLabel_ = new QLabel(this);
    statusLabel_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(statusLabel_, 1);

    PupilGrid::Hooks hooks;
    hooks.chosenPage = [this] { return chosenPage(); };
    hooks.longTextUpdate = [this] { longTextUpdate(); };
    hooks.gridOptions = [this] { emit gridOptionsRequested(); };
    hooks.status = [this](const QString& text) { setStatusText(text); };
    hooks.lostCharacters = [this](int x, int y, const QString& characters) {
        context_.noteLostCharacters(static_cast<std::size_t>(x), static_cast<std::size_t>(y),
                                    characters);
    };
    hooks.textFileName = [this] {
        return context_.dialogs().saveFileName(
            this, {QStringLiteral("Zapisz tabelę jako tekst"),
                   QStringLiteral("Pliki tekstowe (*.txt);;Wszystkie pliki (*)"),
                   QStringLiteral("txt"), QString()});
    };
    pupilGrid_ = std::make_unique<PupilGrid>(*grid_, context_.editor(), std::move(hooks));
    setAcceptDrops(true);
    connect(&context_.editor(), &DocumentEditor::changed, this, &Tffwmain::documentChanged);

    // The old form's size is the least first size, widened so that every
    // toolbar button shows (Qt's buttons take more room than the old
    // form's); the class file's rectangle may make the window smaller,
    // down to what its controls need.
    const int toolbarWidth = toolbar_->sizeHint().width()
                             + 2 * style()->pixelMetric(QStyle::PM_DockWidgetFrameWidth) + 8;
    resize(minimumSizeHint().expandedTo(QSize(std::max(361, toolbarWidth), 267)));
}

Tffwmain::~Tffwmain() = default;

void Tffwmain::connectWindows()
{
    context_.addWindowHook(*this, *grid_, &ScreenLayout::main, &ScreenLayout::pupilGrid);
}

// ---- Shared operations -----------------------------------------------------

void Tffwmain::applyGridSize()
{
    const Document& doc = context_.document();
    const auto pupils = static_cast<int>(doc.pupils().count());
    const auto phrases = static_cast<int>(doc.phrases().count());
    // Without a pupil or a phrase there is no card: preview and printing,
    // by button and by menu or Ctrl+P alike, wait for both.
    const bool printable = pupils > 0 && phrases > 0;
    toolCommands_[kPreview]->setEnabled(printable);
    toolCommands_[kPrintSelected]->setEnabled(printable);
    grid_->setIlx(pupilGridColumns(doc));
    grid_->setIly(pupilGridRows(doc));
    grid_->Odswiez();
}

void Tffwmain::documentChanged(const DocumentChange& change)
{
    if (statusJustSet_)
        statusJustSet_ = false;
    else
        statusLabel_->setText(fileStatus_);
    if (!change.touches(DocumentChange::Whole & ~DocumentChange::Values))
        return;  // values: the grid repaints itself
    // Other pupils or phrases: the long-text editor's cell may be another
    // one now, so it lets go and follows the current cell afresh.
    if (Tffwopis* opis = context_.opisIfMade())
        opis->unbind();
    applyGridSize();
    longTextUpdate();
}

void Tffwmain::longTextUpdate()
{
    // The editor is made when first switched on; switched off, one never
    // made has nothing to hide.
    const bool enabled = longTextSwitch_->isChecked();
    Tffwopis* opis = enabled ? &context_.opis() : context_.opisIfMade();
    if (opis != nullptr && opis->follow(enabled, grid_->PozX(), grid_->PozY()))
        grid_->Odswiez();
}

void Tffwmain::setStatusText(const QString& text)
{
    statusLabel_->setText(text);
    if (!statusJustSet_) {
        statusJustSet_ = true;
        QTimer::singleShot(0, this, [this] { statusJustSet_ = false; });
    }
}

void Tffwmain::setFileStatusText(const QString& text)
{
    fileStatus_ = text;
    statusLabel_->setText(text);
}

QString Tffwmain::statusText() const
{
    return statusLabel_->text();
}

int Tffwmain::chosenPage() const
{
    const int page = pageChoice_->checkedId();
    return page < 0 ? 0 : page;
}

void Tffwmain::setChosenPage(int page)
{
    if (QAbstractButton* item = pageChoice_->button(page))
        item->setChecked(true);
    pageChosen();
}

bool Tffwmain::longTextEnabled() const
{
    return longTextSwitch_->isChecked();
}

int Tffwmain::currentPupil() const
{
    const int x = grid_->PozX();
    return x < static_cast<int>(context_.document().pupils().count()) ? x : -1;
}

std::vector<std::size_t> Tffwmain::selectedPupils()
{
    const auto pupils = context_.document().pupils().count();
    std::vector<std::size_t> selected;
    grid_->StartZaznaczenia(1);
    int x = 0;
    int y = 0;
    while (grid_->NastepneZaznaczone(x, y)) {
        if (x >= 0 && static_cast<std::size_t>(x) < pupils)
            selected.push_back(static_cast<std::size_t>(x));
    }
    return selected;
}

// ---- Window events ---------------------------------------------------------

void Tffwmain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void Tffwmain::FormShow()
{
    // The sample class from the program folder; a missing one is reported
    // and the empty document stays.
    Tclosa& closa = context_.closa();
    if (closa.prepareSample() && !closa.openFileName().isEmpty())
        closa.read();
    applyGridSize();
    // Grades can be typed the moment the program is up.
    grid_->setFocus();
}

void Tffwmain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        // FormActivate, also when a modal window closes: the keyboard goes
        // back to the grid.
        applyGridSize();
        grid_->setFocus();
        emit activated();
    }
}

bool Tffwmain::askToSave(const QString& title)
{
    if (!context_.editor().isModified())
        return true;
    switch (context_.dialogs().question(this, title, kSaveChangesQuestion)) {
    case QMessageBox::Yes:
        // A save that did not happen (cancelled, failed) must not lose the work.
        return context_.closa().save();
    case QMessageBox::No: return true;
    default: return false;
    }
}

void Tffwmain::closeEvent(QCloseEvent* event)
{
    if (!askToSave(QStringLiteral("Wykazki"))) {
        event->ignore();
        return;
    }
    // FormClose.
    context_.closa().closing();
    pupilGrid_->forgetTyping();
    if (Tffwopis* opis = context_.opisIfMade())
        opis->hide();
    event->accept();
}

// ---- Commands ----------------------------------------------------------------

void Tffwmain::save()
{
    context_.closa().save();
}

void Tffwmain::saveAs()
{
    context_.closa().saveAs();
}

void Tffwmain::newDocument()
{
    if (!askToSave(QStringLiteral("Wykazki 2.0")))
        return;
    context_.closa().clearFileNames();
    setFileStatusText(QString());
    // The options and the modified flag stay as they are.
    context_.editor().newDocument();
    grid_->setFocus();
}

void Tffwmain::openFile()
{
    // Reading replaces the document, so unsaved work is offered for saving
    // first, as Nowy does; Anuluj reads nothing.
    if (!askToSave(QStringLiteral("Wykazki 2.0")))
        return;
    context_.closa().open();
    applyGridSize();
    grid_->setFocus();
}

void Tffwmain::makePerTeacherFiles()
{
    emit perTeacherFilesRequested();
}

void Tffwmain::printSelected()
{
    std::vector<std::size_t> pupils = selectedPupils();
    if (!pupils.empty())
        emit printRequested(pupils, chosenPage());
}

void Tffwmain::computeAverages()
{
    const Document& doc = context_.document();
    std::vector<CellEdit> edits;
    for (std::size_t j = 0; j < doc.phrases().count(); ++j) {
        if (taggedRole(doc.phrases()[j]) != PhraseRole::Average)
            continue;
        for (std::size_t x = 0; x < doc.pupils().count(); ++x)
            edits.push_back(
                {x, j, ValueField::Text, printedText(doc.phrases(), doc.pupils(), x, j)});
    }
    if (edits.empty()) {
        setStatusText(QStringLiteral("Żadna fraza nie jest wyliczaną średnią (w edytorze fraz: "
                                     "prawy przycisk myszy na nazwie frazy)."));
        return;
    }
    if (doc.cellsHold(edits)) {
        setStatusText(QStringLiteral("Średnie uczniów są już wpisane."));
        return;
    }
    context_.editor().setCells(QStringLiteral("wyliczenie średnich"), std::move(edits));
    setStatusText(QStringLiteral("Wpisano wyliczone średnie uczniów; Alt+Backspace cofa."));
}

void Tffwmain::selectDistinction()
{
    const Document& doc = context_.document();
    const std::vector<bool> expected = gradesExpected(doc.phrases(), doc.pupils());
    std::vector<std::size_t> pupils;
    for (std::size_t x = 0; x < doc.pupils().count(); ++x)
        if (pupilGroups(doc.phrases(), doc.pupils(), x, expected).distinction)
            pupils.push_back(x);
    if (pupils.empty()) {
        setStatusText(QStringLiteral("Żaden uczeń nie ma wyróżnienia."));
        return;
    }
    if (pupils.back() - pupils.front() + 1 != pupils.size()) {
        QStringList numbers;
        for (const std::size_t x : pupils)
            numbers << QString::number(x + 1);
        setStatusText(QStringLiteral("Uczniowie z wyróżnieniem (%1) nie stoją obok siebie; "
                                     "nie można ich zaznaczyć razem.")
                          .arg(numbers.join(QStringLiteral(", "))));
        return;
    }
    const int rows = static_cast<int>(doc.phrases().count());
    grid_->selectRange(GridRect{static_cast<int>(pupils.front()) + 1, 1,
                                static_cast<int>(pupils.back()) + 1, std::max(rows, 1)});
    setStatusText(QStringLiteral("Zaznaczono uczniów z wyróżnieniem: %1").arg(pupils.size()));
    grid_->setFocus();
}

void Tffwmain::checkClass()
{
    emit classCheckRequested(chosenPage());
}

void Tffwmain::addPupil()
{
    pupilGrid_->addPupil();
}

void Tffwmain::removePupil()
{
    pupilGrid_->removePupil();
}

void Tffwmain::editPhrases()
{
    const int y = grid_->PozY();
    const auto phrases = static_cast<int>(context_.document().phrases().count());
    emit phraseEditorRequested(y < phrases ? y : 0);
}

void Tffwmain::editOptions()
{
    emit optionsRequested();
}

void Tffwmain::printTable()
{
    emit tablePrintRequested(QStringLiteral("Kolmo'05"));
}

void Tffwmain::previewCurrent()
{
    const int pupil = currentPupil();
    if (pupil >= 0)
        emit previewRequested(pupil, chosenPage());
}

void Tffwmain::pageChosen()
{
    grid_->Odswiez();
}

void Tffwmain::longTextSwitched()
{
    longTextUpdate();
}

}  // namespace wykazki

// The main window's spreadsheet commands: import through the mapping
// dialog (chosen or dropped file), export, and the transposed paste.

#include "ffwmain.h"

#include "dialogs.h"
#include "importdialog.h"
#include "jobprogress.h"
#include "programcontext.h"
#include "sheetfiles.h"

#include "classio/classexport.h"
#include "classio/classimport.h"
#include "editing/documenteditor.h"
#include "grid/celledi.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include <optional>

namespace wykazki {

namespace {

const QString kImportTitle = QStringLiteral("Import z arkusza");
const QString kExportTitle = QStringLiteral("Eksport do arkusza");

// The one local sheet file among dropped URLs; empty when there is none.
QString droppedSheet(const QMimeData* mime)
{
    if (mime == nullptr || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return isSheetFileName(path) ? path : QString();
}

}  // namespace

void Tffwmain::sheetProblem(const QString& title, const QString& problem)
{
    setStatusText(problem);
    context_.dialogs().choose(this, title, problem, {QStringLiteral("OK")}, QMessageBox::Warning);
}

void Tffwmain::importSheet()
{
    const QString path = context_.dialogs().openFileName(
        this, {QStringLiteral("Importuj z arkusza"), sheetOpenFilter(), QString(), QString()});
    if (!path.isEmpty())
        importSheetFile(path);
}

void Tffwmain::importSheetFile(const QString& path)
{
    QString problem;
    std::optional<ImportSource> source = openSheetSource(path, &problem);
    if (!source) {
        sheetProblem(kImportTitle, problem);
        return;
    }
    importFrom(path, std::move(*source));
}

void Tffwmain::importFrom(const QString& fileName, ImportSource source)
{
    const Document& doc = context_.document();
    if (doc.phrases().count() == 0) {
        sheetProblem(kImportTitle, QStringLiteral("Klasa nie ma fraz: najpierw otwórz klasę albo "
                                                  "dodaj frazy w edytorze fraz."));
        return;
    }
    ImportDialog dialog(doc, fileName, std::move(source), this);
    if (context_.dialogs().runModal(dialog) != QDialog::Accepted)
        return;
    if (!dialog.problem().isEmpty()) {
        sheetProblem(kImportTitle, dialog.problem());
        return;
    }
    // A long sheet shows its progress; Anuluj leaves the class as it was.
    std::optional<JobProgress> progress;
    ImportResult result =
        importTable(doc, dialog.table(), dialog.mapping(), [this, &progress](int done, int total) {
            if (!progress)
                progress.emplace(this, kImportTitle, total);
            return progress->step(done, QStringLiteral("Wiersz %1 z %2").arg(done + 1).arg(total));
        });
    progress.reset();
    if (result.cancelled) {
        setStatusText(QStringLiteral("Import przerwano: klasa jest bez zmian."));
        grid_->setFocus();
        return;
    }
    const QString summary = result.summary();
    context_.editor().importPupils(QStringLiteral("import z arkusza"), std::move(result.edits),
                                   std::move(result.added), result.replaceClass);
    setStatusText(summary + u'.');
    grid_->setFocus();
}

void Tffwmain::exportSheet()
{
    const QString classFile = context_.classFilePath();
    const QString preset = classFile.isEmpty() ? QString()
                                               : QFileInfo(classFile).path() + u'/'
                                                     + QFileInfo(classFile).completeBaseName()
                                                     + QStringLiteral(".xlsx");
    const QString path =
        context_.dialogs().saveFileName(this, {QStringLiteral("Eksportuj do arkusza"),
                                               sheetSaveFilter(), QStringLiteral("xlsx"), preset});
    if (path.isEmpty())
        return;
    const int layout = context_.dialogs().choose(
        this, kExportTitle, QStringLiteral("Jak ułożyć uczniów w arkuszu?"),
        {QStringLiteral("Uczniowie w wierszach"), QStringLiteral("Uczniowie w kolumnach"),
         QStringLiteral("Anuluj")},
        QMessageBox::Question);
    if (layout != 0 && layout != 1)
        return;
    const Document& doc = context_.document();
    QString problem;
    if (!saveSheetFile(path, exportTable(doc, layout == 0), &problem)) {
        sheetProblem(kExportTitle, problem.isEmpty()
                                       ? QStringLiteral("Nie zapisano arkusza: %1").arg(path)
                                       : problem);
        return;
    }
    setStatusText(
        QStringLiteral("Wyeksportowano %1 do arkusza: %2")
            .arg(polishCount(static_cast<long long>(doc.pupils().count()), QStringLiteral("ucznia"),
                             QStringLiteral("uczniów"), QStringLiteral("uczniów")),
                 path));
}

void Tffwmain::pasteTransposed()
{
    if (!grid_->pasteClipboard(PasteLayout::Transposed))
        setStatusText(QStringLiteral("Schowek nie zawiera tekstu do wklejenia."));
    grid_->setFocus();
}

void Tffwmain::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedSheet(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void Tffwmain::dropEvent(QDropEvent* event)
{
    const QString path = droppedSheet(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    // The drop ends before the dialog opens, so that the other program is
    // not kept waiting.
    QMetaObject::invokeMethod(
        this, [this, path] { importSheetFile(path); }, Qt::QueuedConnection);
}

}  // namespace wykazki

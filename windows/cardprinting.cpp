// Printing report cards from the main window: the print dialog, the check
// before paper, the job on the chosen printer or PDF file with progress,
// and what the status bar says afterwards.

#include "programcontext.h"

#include "dialogs.h"
#include "ffdruk.h"
#include "ffwmain.h"
#include "printcardsdialog.h"

#include "ffwopcje.h"
#include "jobprogress.h"

#include "document/platformfile.h"
#include "print/calibrationpage.h"
#include "print/certificateprinting.h"
#include "print/formscans.h"
#include "print/printjob.h"
#include "print/programprinter.h"
#include "qtbridge/filenames.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <filesystem>
#include <system_error>

namespace wykazki {

namespace {

// A PDF is written beside its final name and put in place only once the
// whole job is done: a failed or cancelled job leaves what was there.
QString partialPdfName(const QString& pdf)
{
    const QFileInfo file(pdf);
    return file.dir().filePath(QStringLiteral(".%1.czesciowy").arg(file.fileName()));
}

// The finished PDF replaces the chosen file as every output does: an
// existing file keeps its mode and group (report cards hold pupils'
// personal data), a read-only one is refused, a new one follows the umask.
platformfile::ReplaceResult putInPlace(const QString& partial, const QString& pdf)
{
    std::string bytes;
    if (platformfile::readRegularFile(
            std::filesystem::path(QFile::encodeName(partial).toStdString()), bytes)
        != platformfile::ReadResult::Ok)
        return platformfile::ReplaceResult::Failed;
    return platformfile::replaceWritableFile(
        std::filesystem::path(QFile::encodeName(pdf).toStdString()), bytes);
}

// Said before the job starts, so that no time and no paper go to a file
// that cannot be replaced.
QString readOnlyProblem(const QString& pdf)
{
    const QFileInfo file(pdf);
    constexpr QFile::Permissions kWrite = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (file.exists() && !(file.permissions() & kWrite))
        return QStringLiteral("%1: plik jest tylko do odczytu").arg(file.fileName());
    return {};
}

}  // namespace

PrintCardsDialog& ProgramContext::printCardsDialog()
{
    if (!printCardsDialog_) {
        PrintCardsDialog::Services services;
        services.printers = [] { return QPrinterInfo::availablePrinterNames(); };
        services.preferredPrinter = [this] {
            if (printer().outputFormat() == QPrinter::NativeFormat
                && !printer().printerName().isEmpty())
                return printer().printerName();
            return QPrinterInfo::defaultPrinterName();
        };
        services.askPdfFile = [this](QWidget* parent) {
            FileDialogRequest request{QStringLiteral("Drukowanie do pliku PDF"),
                                      QStringLiteral("Pliki PDF (*.pdf)"), QStringLiteral("pdf"),
                                      QString()};
            return dialogs_->saveFileName(parent, request);
        };
        services.properties = [this](const QString& queue, QWidget* parent) {
            printer().setOutputFormat(QPrinter::NativeFormat);
            printer().setPrinterName(queue);
            QPageSetupDialog setup(&printer(), parent);
            setup.exec();
        };
        services.runModal = [this](QDialog& dialog) { return dialogs_->runModal(dialog); };
        printCardsDialog_ = new PrintCardsDialog(std::move(services), mainWindow_.get());
    }
    return *printCardsDialog_;
}

void ProgramContext::printCards(const std::vector<std::size_t>& selected, int page)
{
    const QString classFile = filenames::display(openFile_.path());
    const std::optional<CardPrintChoice> choice =
        printCardsDialog().ask(document_, classFile, selected, page);
    if (!choice || !checkBeforePrinting(choice->pupils, choice->page))
        return;

    // Tables left on the sheet come out first; if they fail, the user hears
    // of it and the cards still print.
    if (tablePrint_ && !tablePrint_->finishOpenJob())
        reportError(ErrorCode::PrintFailed);

    const bool toPdf = !choice->pdfFile.isEmpty();
    if (toPdf) {
        const QString problem = readOnlyProblem(choice->pdfFile);
        if (!problem.isEmpty()) {
            mainWindow_->setStatusText(problem);
            reportError(ErrorCode::PrintFailed);
            return;
        }
    }
    QPrinter& device = printer();
    const QString partial = toPdf ? partialPdfName(choice->pdfFile) : QString();
    if (toPdf) {
        device.setOutputFormat(QPrinter::PdfFormat);
        device.setOutputFileName(partial);
    } else {
        device.setOutputFormat(QPrinter::NativeFormat);
        device.setPrinterName(choice->printer);
    }
    device.setDocName(cardJobTitle(classFile, choice->page));
    device.setCopyCount(1);

    CardPrintOptions options;
    options.copies = choice->copies;
    options.proof = choice->proof;
    QString scanProblem;
    if (options.proof)
        options.formScan = formScan(choice->page, &scanProblem);
    const std::size_t cards = choice->pupils.size();
    const auto copies = static_cast<std::size_t>(std::max(choice->copies, 1));
    JobProgress progress(mainWindow_.get(), QStringLiteral("Drukowanie świadectw"),
                         static_cast<int>(cards * copies));
    options.progress = [&progress, copies, cards](std::size_t done, std::size_t) {
        const std::size_t pupil = std::min(done / copies + 1, cards);
        return progress.step(static_cast<int>(done),
                             QStringLiteral("Świadectwo %1 z %2").arg(pupil).arg(cards));
    };

    const QString where = toPdf ? QFileInfo(choice->pdfFile).fileName() : choice->printer;
    QString status;
    try {
        std::vector<MissingPicture> missing;
        const PageBuffers keepPageBuffers;
        printCertificates(device, document_, choice->pupils, choice->page, programFolder_, &missing,
                          options);
        if (toPdf) {
            const platformfile::ReplaceResult placed = putInPlace(partial, choice->pdfFile);
            if (placed != platformfile::ReplaceResult::Ok) {
                const QString why = placed == platformfile::ReplaceResult::ReadOnly
                                        ? QStringLiteral("%1: plik jest tylko do odczytu")
                                        : QStringLiteral("%1: nie można zapisać pliku");
                throw EKolmoError(ErrorCode::PrintFailed, why.arg(choice->pdfFile).toStdString());
            }
        }
        status = toPdf ? QStringLiteral("Zapisano do pliku PDF: %1 (%2)")
                       : QStringLiteral("Wysłano do drukarki: %1 (%2)");
        status = status.arg(certificatesText(cards), where);
        if (!missing.empty())
            status += QStringLiteral(". ") + missingPicturesText(missing);
        if (!scanProblem.isEmpty())
            status += QStringLiteral(". Wydruk próbny bez skanu formularza: ") + scanProblem;
        mainWindow_->setStatusText(status);
    } catch (const CardPrintingCancelled&) {
        mainWindow_->setStatusText(
            QStringLiteral("Drukowanie przerwano: do drukarki nie wysłano żadnego świadectwa"));
    } catch (const EKolmoError& e) {
        const QString detail = QString::fromStdString(e.detail());
        mainWindow_->setStatusText(
            detail.isEmpty() ? QStringLiteral("Wydruk nie powiódł się (%1)").arg(where) : detail);
        reportError(e.code());
    }
    if (toPdf) {
        QFile::remove(partial);
        // The next job asks for its own file: none is reused unasked.
        device.setOutputFileName(QString());
        device.setOutputFormat(QPrinter::NativeFormat);
    }
}

QString ProgramContext::classFilePath() const
{
    return openFile_.isOpen() ? filenames::display(openFile_.path()) : QString();
}

QImage ProgramContext::formScan(int page, QString* problem)
{
    const QString classFile = classFilePath();
    const FormScans scans = FormScans::load(classFile);
    if (scans.name(page).isEmpty()) {
        if (problem)
            problem->clear();
        return {};
    }
    return scans.image(page, classFile, problem);
}

void ProgramContext::chooseFormScan(int page)
{
    const QString title = QStringLiteral("Skan formularza, strona %1").arg(page + 1);
    QWidget* parent = options_.get();
    const QString classFile = classFilePath();
    if (classFile.isEmpty()) {
        dialogs_->choose(parent, title,
                         QStringLiteral("Skan zapisuje się obok pliku klasy. Najpierw zapisz "
                                        "klasę (Pliki › Zapisz pod nową nazwą)."),
                         {QStringLiteral("OK")}, QMessageBox::Information);
        return;
    }
    FormScans scans = FormScans::load(classFile);
    if (!scans.name(page).isEmpty()) {
        const int answer = dialogs_->choose(
            parent, title, QStringLiteral("Skan strony %1: %2").arg(page + 1).arg(scans.name(page)),
            {QStringLiteral("&Wybierz inny…"), QStringLiteral("&Usuń skan"),
             QStringLiteral("Anuluj")},
            QMessageBox::Question);
        if (answer == 1) {
            scans.set(page, QString(), classFile);
            QString problem;
            if (!scans.save(classFile, &problem))
                dialogs_->choose(parent, title, problem, {QStringLiteral("OK")},
                                 QMessageBox::Warning);
            return;
        }
        if (answer != 0)
            return;
    }
    FileDialogRequest request{
        title, QStringLiteral("Obrazy (*.png *.jpg *.jpeg *.bmp);;Wszystkie pliki (*)"), QString(),
        QFileInfo(classFile).absolutePath()};
    const QString image = dialogs_->openFileName(parent, request);
    if (image.isEmpty())
        return;
    FormScans chosen = scans;
    chosen.set(page, image, classFile);
    QString problem;
    if (chosen.image(page, classFile, &problem).isNull() || !chosen.save(classFile, &problem))
        dialogs_->choose(parent, title, problem, {QStringLiteral("OK")}, QMessageBox::Warning);
}

void ProgramContext::printCalibration(const TOpcje& options)
{
    QPrinter& device = printer();
    if (device.outputFormat() != QPrinter::NativeFormat || device.printerName().isEmpty()) {
        device.setOutputFormat(QPrinter::NativeFormat);
        device.setPrinterName(QPrinterInfo::defaultPrinterName());
    }
    if (!canPrintOn(device)) {
        dialogs_->choose(options_.get(), QStringLiteral("Strona kalibracyjna"),
                         QStringLiteral("Nie ma żadnej drukarki. Dodaj drukarkę w ustawieniach "
                                        "systemu (Drukarki, albo http://localhost:631 w "
                                        "przeglądarce)."),
                         {QStringLiteral("OK")}, QMessageBox::Warning);
        return;
    }
    try {
        printCalibrationPage(device, options);
        mainWindow_->setStatusText(QStringLiteral("Wysłano do drukarki: strona kalibracyjna (%1)")
                                       .arg(device.printerName()));
    } catch (const EKolmoError& e) {
        if (!e.detail().empty())
            mainWindow_->setStatusText(QString::fromStdString(e.detail()));
        reportError(e.code());
    }
}

}  // namespace wykazki

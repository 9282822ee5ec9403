#include "closa.h"

#include "dialogs.h"
#include "ffwerr.h"
#include "ffwmain.h"
#include "klepsydrkursor.h"
#include "openclassfile.h"
#include "programcontext.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "document/fileops.h"
#include "document/platformfile.h"
#include "qtbridge/classfilelock.h"
#include "qtbridge/filenames.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>

#include <filesystem>
#include <optional>

namespace wykazki {

const QString Tclosa::kOpenFilter =
    QStringLiteral("Pliki świadectw (*.wkz)|*.wkz|Wszystkie pliki|*.*");
const QString Tclosa::kOpenTitle = QStringLiteral("Otwieranie pliku z wykazkami");
const QString Tclosa::kSaveFilter = QStringLiteral("Pliki świadectw (*.wkz)|*.wkz");
const QString Tclosa::kSaveTitle = QStringLiteral("Zapis pliku z wykazkami");
const QString Tclosa::kSampleName = QStringLiteral("Przyklad.wkz");
const QString Tclosa::kLockedAskReadOnly =
    QStringLiteral("Ten plik jest już otwarty w innym oknie programu (%1). "
                   "Otworzyć tylko do odczytu?");
const QString Tclosa::kChangedOnDisk =
    QStringLiteral("Plik zmienił się na dysku po odczytaniu. Zastąpić go zmianami z programu?");
const QString Tclosa::kReadOnlyFile = QStringLiteral("Plik jest tylko do odczytu");
const QString Tclosa::kSaveUnderNewName = QStringLiteral("Zapisz pod &nową nazwą");

namespace {

const QString kTitle = QStringLiteral("Wykazki");
const QString kCancel = QStringLiteral("Anuluj");
const QString kLockedSaveRefused =
    QStringLiteral("Ten plik jest otwarty tylko do odczytu: zapisuje go inne okno programu (%1).");
const QString kLockedTargetRefused =
    QStringLiteral("Ten plik jest już otwarty w innym oknie programu (%1). "
                   "Nie można go zastąpić.");
const QString kReadOnlyFolder =
    QStringLiteral("Folder tego pliku jest tylko do odczytu: nie można w nim zapisać klasy.");

std::filesystem::path toPath(const std::string& bytes)
{
    return std::filesystem::path(bytes);
}

}  // namespace

Tclosa::Tclosa(ProgramContext& context) : context_(context)
{
}

Tclosa::~Tclosa() = default;

void Tclosa::setStartFile(const std::string& path, std::unique_ptr<PendingClassFileLock> lockAhead)
{
    startFile_ = path;
    lockAhead_ = std::move(lockAhead);
}

std::string Tclosa::startPath(const std::string& programFolder, const std::string& startFile)
{
    return startFile.empty() ? programFolder + QFile::encodeName(kSampleName).toStdString()
                             : startFile;
}

const std::string& Tclosa::programFolder() const
{
    return context_.programFolder();
}

QString Tclosa::openFileName() const
{
    return filenames::display(openPath_);
}

void Tclosa::setOpenFileName(const QString& name)
{
    openPath_ = filenames::fromDisplay(name);
}

QString Tclosa::saveFileName() const
{
    return filenames::display(saveFilePath());
}

const std::string& Tclosa::saveFilePath() const
{
    return context_.openFile().path();
}

bool Tclosa::open()
{
    FileDialogRequest request{kOpenTitle, qtFileFilter(kOpenFilter), QStringLiteral("wkz"),
                              openFileName()};
    const QString chosen = context_.dialogs().openFileName(&context_.mainWindow(), request);
    if (chosen.isEmpty())
        return false;
    setOpenFileName(chosen);
    return read();
}

bool Tclosa::read()
{
    if (openPath_.empty())
        return open();

    OpenClassFile& current = context_.openFile();
    // Read again, the file open here keeps its lock.
    const bool keepLock = current.isFile(openPath_) && current.holdsLock();
    std::unique_ptr<ClassFileLock> lock;
    bool lockedElsewhere = false;
    // The start's file was tried while the windows were made; a lock that
    // failed then is tried again here, as any other.
    std::unique_ptr<PendingClassFileLock> lockAhead = std::move(lockAhead_);
    if (!keepLock) {
        if (lockAhead && lockAhead->classFile() == openPath_)
            lock = lockAhead->take();
        if (!lock)
            lock = std::make_unique<ClassFileLock>(openPath_);
        if (lock->tryLock() == ClassFileLock::State::HeldElsewhere) {
            const int answer = context_.dialogs().choose(
                &context_.mainWindow(), kTitle, kLockedAskReadOnly.arg(lock->holderText()),
                {QStringLiteral("&Tak"), QStringLiteral("&Nie")}, QMessageBox::Question);
            if (answer != 0)
                return false;
            lock.reset();
            lockedElsewhere = true;
        }
    }

    std::optional<ErrorCode> failure;
    {
        KlepsydrKursor hourglass;
        try {
            // Stamped before reading: a change made while reading shows at
            // the next save rather than being missed.
            DiskStamp stamp = DiskStamp::of(openPath_);
            // Read into fresh storage: a failed read leaves the document alone.
            ClassFileContents contents = readClassFileAt(toPath(openPath_));
            context_.editor().takeOver(std::move(contents));
            context_.applyScreen();
            if (keepLock)
                lock = current.releaseLock();
            current.take(openPath_, std::move(lock), lockedElsewhere, std::move(stamp));
        } catch (const EKolmoError& e) {
            failure = e.code();
        } catch (const std::exception&) {
            failure = ErrorCode::ReadFailed;
        }
    }
    if (failure) {
        QList<int> codes;
        for (const ErrorCode code : readFailureCodes(*failure))
            codes.append(static_cast<int>(code));
        context_.errorWindow().reportFile(filenames::display(openPath_), codes);
        return false;
    }
    showCurrentFile();
    return true;
}

void Tclosa::showSaved()
{
    context_.mainWindow().setStatusText(
        QStringLiteral("Zapisano: %1").arg(filenames::display(context_.openFile().path())));
}

void Tclosa::showNotSaved(const std::string& path)
{
    context_.mainWindow().setStatusText(
        QStringLiteral("Nie zapisano: %1 (plik na dysku jest taki jak przed zapisem)")
            .arg(filenames::display(path)));
}

void Tclosa::showCurrentFile()
{
    const OpenClassFile& current = context_.openFile();
    QString text = filenames::display(current.path());
    if (current.lockedElsewhere()) {
        text += QStringLiteral(" (tylko do odczytu: otwarty w innym oknie programu, %1)")
                    .arg(current.holderText());
    } else if (current.isOpen()) {
        switch (fileAccess(current.path())) {
        case FileAccess::Writable: break;
        case FileAccess::ReadOnlyFile:
            text += QStringLiteral(" (plik tylko do odczytu: zapisz go pod nową nazwą)");
            break;
        case FileAccess::ReadOnlyFolder:
            text += QStringLiteral(" (klasy nie można zapisać w tym folderze: zapisz ją pod "
                                   "nową nazwą, np. w folderze Dokumenty)");
            break;
        }
    }
    context_.mainWindow().setFileStatusText(text);
}

bool Tclosa::save()
{
    if (!context_.openFile().isOpen())
        return saveAs();
    return saveOverCurrent();
}

bool Tclosa::offerSaveAs(const QString& message)
{
    const int answer =
        context_.dialogs().choose(&context_.mainWindow(), kTitle, message,
                                  {kSaveUnderNewName, kCancel}, QMessageBox::Warning);
    return answer == 0 && saveAs();
}

bool Tclosa::saveOverCurrent()
{
    OpenClassFile& current = context_.openFile();
    if (current.lockedElsewhere() && !current.retakeLock())
        return offerSaveAs(kLockedSaveRefused.arg(current.holderText()));
    switch (fileAccess(current.path())) {
    case FileAccess::Writable: break;
    case FileAccess::ReadOnlyFile: return offerSaveAs(kReadOnlyFile);
    case FileAccess::ReadOnlyFolder: return offerSaveAs(kReadOnlyFolder);
    }
    if (current.changedOnDisk()) {
        const int answer = context_.dialogs().choose(
            &context_.mainWindow(), kTitle, kChangedOnDisk,
            {QStringLiteral("&Tak"), kSaveUnderNewName, kCancel}, QMessageBox::Warning);
        if (answer == 1)
            return saveAs();
        if (answer != 0)
            return false;
    }
    if (!writeTo(current.path())) {
        showNotSaved(current.path());
        return false;
    }
    current.saved();
    context_.editor().markSaved();
    showCurrentFile();
    showSaved();
    return true;
}

QString Tclosa::documentsPreset() const
{
    const OpenClassFile& current = context_.openFile();
    QString name = filenames::display(current.path());
    if (!current.isOpen() || fileAccess(current.path()) != FileAccess::ReadOnlyFolder)
        return name;
    // Where the class cannot stay, the user's own documents folder.
    // A fresh account may not have it yet; the file dialog would otherwise
    // open in whatever folder the program was started from.
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QDir().mkpath(documents))
        documents = QDir::homePath();
    return QDir(documents).filePath(
        filenames::display(std::filesystem::path(current.path()).filename().native()));
}

bool Tclosa::saveAs()
{
    FileDialogRequest request{kSaveTitle, qtFileFilter(kSaveFilter), QStringLiteral("wkz"),
                              documentsPreset()};
    const QString chosen = context_.dialogs().saveFileName(&context_.mainWindow(), request);
    if (chosen.isEmpty())
        return false;
    return saveUnder(filenames::fromDisplay(chosen));
}

bool Tclosa::saveUnder(const std::string& path)
{
    OpenClassFile& current = context_.openFile();
    // The file already open: the checks of Zapisz.
    if (current.isFile(path))
        return saveOverCurrent();
    auto lock = std::make_unique<ClassFileLock>(path);
    if (lock->tryLock() == ClassFileLock::State::HeldElsewhere)
        return offerSaveAs(kLockedTargetRefused.arg(lock->holderText()));
    switch (fileAccess(path)) {
    case FileAccess::Writable: break;
    case FileAccess::ReadOnlyFile: return offerSaveAs(kReadOnlyFile);
    case FileAccess::ReadOnlyFolder: return offerSaveAs(kReadOnlyFolder);
    }
    // A failed write keeps the current file: the next save must not go to
    // a name that holds nothing.
    if (!writeTo(path)) {
        showNotSaved(path);
        return false;
    }
    current.take(path, std::move(lock), false, DiskStamp::of(path));
    context_.editor().markSaved();
    showCurrentFile();
    showSaved();
    return true;
}

bool Tclosa::saveCopyAs(const std::string& name, QString* failure)
{
    // Either said at once in a window, or handed back for a summary.
    const auto refuse = [this, failure](const QString& why) {
        if (failure)
            *failure = why;
        else
            context_.dialogs().choose(&context_.mainWindow(), kTitle, why, {QStringLiteral("OK")},
                                      QMessageBox::Warning);
        return false;
    };
    // A copy for somebody else: the document stays as modified as it was.
    const std::string path = copyPath(programFolder(), name);
    OpenClassFile& current = context_.openFile();
    if (current.isFile(path)) {
        if (current.lockedElsewhere())
            return refuse(kLockedTargetRefused.arg(current.holderText()));
        // The file open here: what it holds on disk is what was just written.
        if (!writeTo(path, failure))
            return false;
        current.saved();
        return true;
    }
    // Held while writing, so that another copy opening it meanwhile waits.
    ClassFileLock lock(path);
    if (lock.tryLock() == ClassFileLock::State::HeldElsewhere)
        return refuse(filenames::display(std::filesystem::path(path).filename().native())
                      + QStringLiteral(": ") + kLockedTargetRefused.arg(lock.holderText()));
    return writeTo(path, failure);
}

bool Tclosa::writeTo(const std::string& path, QString* failure)
{
    context_.collectScreen();
    ErrorCode code = ErrorCode::WriteFailed;
    std::string detail;
    try {
        saveClassFileAt(toPath(path), context_.document().contents());
        return true;
    } catch (const EKolmoError& e) {
        code = e.code();
        detail = e.detail();
    } catch (const std::exception&) {
    }
    if (!failure) {
        context_.reportError(code);
        return false;
    }
    *failure = QString::fromUtf8(errorMessage(static_cast<int>(code))).trimmed();
    if (!detail.empty())
        *failure += QStringLiteral(" (%1)").arg(QString::fromStdString(detail));
    return false;
}

bool Tclosa::prepareSample()
{
    openPath_ = startPath(programFolder(), startFile_);
    return true;
}

void Tclosa::clearFileNames()
{
    openPath_.clear();
    context_.openFile().close();
}

void Tclosa::closing()
{
    context_.openFile().close();
}

bool Tclosa::loadPicture(const std::string& fileName, QImage& picture) const
{
    const std::optional<std::string> path = findPicture(programFolder(), fileName);
    if (!path)
        return false;
    // Read as bytes: a folder's name need not be one Qt can spell.
    std::string bytes;
    if (platformfile::readRegularFile(toPath(*path), bytes) != platformfile::ReadResult::Ok)
        return false;
    QImage loaded;
    if (!loaded.loadFromData(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))))
        return false;
    picture = std::move(loaded);
    return true;
}

}  // namespace wykazki

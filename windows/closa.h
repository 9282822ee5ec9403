#pragma once
// File operations on the class file: open with its dialog, read, save, save
// under a new name, save a copy into the program folder, and the picture
// lookup. Failures are shown in the error window; the document is never
// left half-read.
//
// Paths are kept as the file system's bytes (a name need not be UTF-8) and
// converted only for showing. The open file is locked beside it; one that
// another copy of the program holds opens read-only on request, and a save
// never goes over a file that changed on disk since it was read, a file
// that is read-only, or one that another copy has open, without asking.

#include <QString>

#include <memory>
#include <string>

class QImage;

namespace wykazki {

class PendingClassFileLock;
class ProgramContext;
struct FileDialogRequest;

class Tclosa {
public:
    static const QString kOpenFilter;  // "Pliki świadectw (*.wkz)|*.wkz|Wszystkie pliki|*.*"
    static const QString kOpenTitle;   // "Otwieranie pliku z wykazkami"
    static const QString kSaveFilter;  // "Pliki świadectw (*.wkz)|*.wkz"
    static const QString kSaveTitle;   // "Zapis pliku z wykazkami"
    static const QString kSampleName;  // "Przyklad.wkz"
    // The questions and messages of the guarded save.
    static const QString kLockedAskReadOnly;  // "Ten plik jest już otwarty ... tylko do odczytu?"
    static const QString kChangedOnDisk;      // "Plik zmienił się na dysku po odczytaniu. ..."
    static const QString kReadOnlyFile;       // "Plik jest tylko do odczytu"
    static const QString kSaveUnderNewName;   // the button "Zapisz pod nową nazwą"

    explicit Tclosa(ProgramContext& context);
    ~Tclosa();
    Tclosa(const Tclosa&) = delete;
    Tclosa& operator=(const Tclosa&) = delete;

    // Runs the open dialog; when a file is chosen, reads it.
    bool open();
    // Reads the file named by openFileName(); with no name, runs open().
    // On success the document holds the file, the modified flag is clear,
    // the file becomes the current file and the status bar shows it.
    bool read();
    // Writes to the current file; with no current file, saveAs().
    bool save();
    // Runs the save dialog; when confirmed, saves under the chosen name and
    // shows it in the status bar.
    bool saveAs();
    // Writes program folder + name + ".wkz", keeping the current file name.
    // name is in the file system's encoding.
    // With failure given, nothing is shown: why it failed is written there.
    bool saveCopyAs(const std::string& name, QString* failure = nullptr);
    // Names the sample class file in the program folder for read(), or the
    // start file when one was given.
    bool prepareSample();
    // The class file to start with instead of the sample (the program's
    // command line), as the file system's bytes; lockAhead, when given, is
    // the lock of the file the start reads, tried meanwhile.
    void setStartFile(const std::string& path,
                      std::unique_ptr<PendingClassFileLock> lockAhead = nullptr);
    // What the start reads: startFile, or the sample in programFolder.
    static std::string startPath(const std::string& programFolder, const std::string& startFile);
    // A new document has no file (and holds no lock).
    void clearFileNames();
    // The closing step when the main window closes: the file's lock goes.
    void closing();

    // Loads program folder + file name (".bmp" added to a name without a
    // three-letter extension); false and the image untouched when there is
    // no such file or it is no picture.
    bool loadPicture(const std::string& fileName, QImage& picture) const;

    const std::string& programFolder() const;
    // The names as shown; the paths as the file system's bytes.
    QString openFileName() const;
    void setOpenFileName(const QString& name);
    const std::string& openFilePath() const { return openPath_; }
    void setOpenFilePath(const std::string& path) { openPath_ = path; }
    QString saveFileName() const;
    const std::string& saveFilePath() const;

private:
    // The guarded save over the current file: asks first when another copy
    // holds it, it changed on disk or it is read-only.
    bool saveOverCurrent();
    bool saveUnder(const std::string& path);
    // Offers "Zapisz pod nową nazwą" after a message; runs it when chosen.
    bool offerSaveAs(const QString& message);
    // Writes the document to path; a failure goes to the error window, or
    // with failure given, into it as text.
    bool writeTo(const std::string& path, QString* failure = nullptr);
    // The status bar: the current file, and why it cannot be saved where it is.
    void showCurrentFile();
    // An action's line after a save: done, or failed with the file as it was.
    void showSaved();
    void showNotSaved(const std::string& path);
    QString documentsPreset() const;

    ProgramContext& context_;
    std::string openPath_;
    std::string startFile_;
    std::unique_ptr<PendingClassFileLock> lockAhead_;  // taken by the first read
};

}  // namespace wykazki

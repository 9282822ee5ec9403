#pragma once
// File operations on the class file: open with its dialog, read, save, save
// under a new name, save a copy into the program folder, and the picture
// lookup. Failures are shown in the error window; the document is never
// left half-read.

#include <QString>

#include <string>

class ProgramContext;
class QImage;
struct FileDialogRequest;

class Tclosa {
public:
    static const QString kOpenFilter;  // "Pliki świadectw (*.wkz)|*.wkz|Wszystkie pliki|*.*"
    static const QString kOpenTitle;   // "Otwieranie pliku z wykazkami"
    static const QString kSaveFilter;  // "Pliki świadectw (*.wkz)|*.wkz"
    static const QString kSaveTitle;   // "Zapis pliku z wykazkami"
    static const QString kSampleName;  // "Przyklad.wkz"

    explicit Tclosa(ProgramContext& context);

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
    bool saveCopyAs(const std::string& name);
    // Names the sample class file in the program folder for read(), or the
    // start file when one was given.
    bool prepareSample();
    // The class file to start with instead of the sample (the program's
    // command line).
    void setStartFile(const QString& path) { startFile_ = path; }
    // A new document has no file.
    void clearFileNames();
    // The closing step when the main window closes; nothing to release.
    void closing() {}

    // Loads program folder + file name (".bmp" added to a name without a
    // three-letter extension); false and the image untouched when there is
    // no such file or it is no picture.
    bool loadPicture(const std::string& fileName, QImage& picture) const;

    const std::string& programFolder() const;
    const QString& openFileName() const { return openFileName_; }
    void setOpenFileName(const QString& name) { openFileName_ = name; }
    const QString& saveFileName() const { return saveFileName_; }

private:
    bool writeTo(const QString& path);

    ProgramContext& context_;
    QString openFileName_;
    QString saveFileName_;  // the current file
    QString startFile_;
};

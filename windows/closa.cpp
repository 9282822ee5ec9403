#include "closa.h"

#include "dialogs.h"
#include "ffwmain.h"
#include "klepsydrkursor.h"
#include "programcontext.h"

#include "document/classfile.h"
#include "document/ekolmoerror.h"
#include "document/fileops.h"

#include <QFile>
#include <QImage>

#include <filesystem>
#include <optional>

const QString Tclosa::kOpenFilter =
    QStringLiteral("Pliki świadectw (*.wkz)|*.wkz|Wszystkie pliki|*.*");
const QString Tclosa::kOpenTitle = QStringLiteral("Otwieranie pliku z wykazkami");
const QString Tclosa::kSaveFilter = QStringLiteral("Pliki świadectw (*.wkz)|*.wkz");
const QString Tclosa::kSaveTitle = QStringLiteral("Zapis pliku z wykazkami");
const QString Tclosa::kSampleName = QStringLiteral("Przyklad.wkz");

namespace {

std::filesystem::path toPath(const QString& name)
{
    return std::filesystem::path(QFile::encodeName(name).toStdString());
}

}  // namespace

Tclosa::Tclosa(ProgramContext& context) : context_(context)
{
}

const std::string& Tclosa::programFolder() const
{
    return context_.programFolder();
}

bool Tclosa::open()
{
    FileDialogRequest request{kOpenTitle, qtFileFilter(kOpenFilter), QStringLiteral("wkz"),
                              openFileName_};
    const QString chosen = context_.dialogs().openFileName(&context_.mainWindow(), request);
    if (chosen.isEmpty())
        return false;
    openFileName_ = chosen;
    return read();
}

bool Tclosa::read()
{
    if (openFileName_.isEmpty())
        return open();

    std::optional<ErrorCode> failure;
    {
        KlepsydrKursor hourglass;
        try {
            // Read into fresh storage: a failed read leaves the document alone.
            ClassFileContents contents = readClassFileAt(toPath(openFileName_));
            context_.editor().takeOver(std::move(contents));
            context_.applyScreen();
        } catch (const EKolmoError& e) {
            failure = e.code();
        } catch (const std::exception&) {
            failure = ErrorCode::ReadFailed;
        }
    }
    if (failure) {
        for (const ErrorCode code : readFailureCodes(*failure))
            context_.reportError(code);
        return false;
    }
    saveFileName_ = openFileName_;
    context_.mainWindow().setStatusText(saveFileName_);
    return true;
}

bool Tclosa::save()
{
    if (saveFileName_.isEmpty())
        return saveAs();
    if (!writeTo(saveFileName_))
        return false;
    context_.editor().markSaved();
    return true;
}

bool Tclosa::saveAs()
{
    FileDialogRequest request{kSaveTitle, qtFileFilter(kSaveFilter), QStringLiteral("wkz"),
                              saveFileName_};
    const QString chosen = context_.dialogs().saveFileName(&context_.mainWindow(), request);
    if (chosen.isEmpty())
        return false;
    // A failed write keeps the current file: the next save must not go to
    // a name that holds nothing.
    if (!writeTo(chosen))
        return false;
    saveFileName_ = chosen;
    context_.editor().markSaved();
    context_.mainWindow().setStatusText(saveFileName_);
    return true;
}

bool Tclosa::saveCopyAs(const std::string& name)
{
    // A copy for somebody else: the document stays as modified as it was.
    const std::string path = copyPath(programFolder(), name);
    return writeTo(QFile::decodeName(QByteArray::fromStdString(path)));
}

bool Tclosa::writeTo(const QString& path)
{
    context_.collectScreen();
    try {
        saveClassFileAt(toPath(path), context_.document().contents());
        return true;
    } catch (const EKolmoError& e) {
        context_.reportError(e.code());
    } catch (const std::exception&) {
        context_.reportError(ErrorCode::WriteFailed);
    }
    return false;
}

bool Tclosa::prepareSample()
{
    openFileName_ =
        startFile_.isEmpty()
            ? QFile::decodeName(QByteArray::fromStdString(programFolder())) + kSampleName
            : startFile_;
    return true;
}

void Tclosa::clearFileNames()
{
    openFileName_.clear();
    saveFileName_.clear();
}

bool Tclosa::loadPicture(const std::string& fileName, QImage& picture) const
{
    const std::optional<std::string> path = findPicture(programFolder(), fileName);
    if (!path)
        return false;
    QImage loaded;
    if (!loaded.load(QFile::decodeName(QByteArray::fromStdString(*path))))
        return false;
    picture = std::move(loaded);
    return true;
}

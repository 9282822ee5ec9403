#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <filesystem>
#include <system_error>

#ifndef WYKAZKI_DATA_FROM_BIN
#define WYKAZKI_DATA_FROM_BIN "../share/wykazki"
#endif

namespace wykazki {

namespace programfolder {

namespace {

const QString kUserFolderName = QStringLiteral("Wykazki");

std::string withSlash(const std::string& folder)
{
    std::string path = std::filesystem::path(folder).lexically_normal().native();
    if (path.empty() || path.back() != '/')
        path += '/';
    return path;
}

std::string withSlash(const QString& folder)
{
    return withSlash(QFile::encodeName(QDir::cleanPath(folder)).toStdString());
}

}  // namespace

QString installedDataFolder(const QString& executableFolder)
{
    const QFileInfo data(QDir(executableFolder).filePath(QStringLiteral(WYKAZKI_DATA_FROM_BIN)));
    return data.isDir() ? data.canonicalFilePath() : QString();
}

int seed(const QString& dataFolder, const QString& targetFolder)
{
    const QDir source(dataFolder);
    const QDir target(targetFolder);
    int copied = 0;
    QDirIterator it(dataFolder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString relative = source.relativeFilePath(from);
        const QString to = target.filePath(relative);
        // A file, folder or dangling link of that name is the user's.
        if (QFileInfo(to).exists() || QFileInfo(to).isSymLink())
            continue;
        if (!target.mkpath(QFileInfo(relative).path()) || !QFile::copy(from, to))
            continue;  // that file is missing then, as if never installed
        // The installed files are read-only; the user's copies are not.
        QFile::setPermissions(to, QFile::permissions(to) | QFile::ReadOwner | QFile::WriteOwner);
        ++copied;
    }
    return copied;
}

std::string resolve(const std::string& executableFolder, const QString& documentsFolder)
{
    // Without installed data beside it the program is a build or an
    // unpacked copy: everything lives next to the executable, whether the
    // user may write there or not (the sample, pictures and help are there;
    // a save says where it cannot go). The data check matters for root,
    // who may write into /usr/bin.
    const std::string spelled =
        QFile::encodeName(QFile::decodeName(QByteArray::fromStdString(executableFolder)))
            .toStdString();
    const QString data = spelled == executableFolder
                             ? installedDataFolder(QFile::decodeName(spelled.c_str()))
                             : QString();
    if (data.isEmpty())
        return withSlash(executableFolder);

    if (!documentsFolder.isEmpty()) {
        const QString user = QDir(documentsFolder).filePath(kUserFolderName);
        if (QDir().mkpath(user) && QFileInfo(user).isDir()) {
            if (!data.isEmpty())
                seed(data, user);
            return withSlash(user);
        }
    }
    return withSlash(data);
}

std::string executableFolder()
{
#ifdef __linux__
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && self.has_parent_path())
        return self.parent_path().native();
#endif
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

std::string forRunningProgram()
{
    return resolve(executableFolder(),
                   QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

}  // namespace programfolder

}  // namespace wykazki

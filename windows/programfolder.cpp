#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef WYKAZKI_DATA_FROM_BIN
#define WYKAZKI_DATA_FROM_BIN "../share/wykazki"
#endif

namespace programfolder {

namespace {

const QString kUserFolderName = QStringLiteral("Wykazki");

std::string withSlash(const QString& folder)
{
    QString path = QDir::cleanPath(folder);
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return QFile::encodeName(path).toStdString();
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

std::string resolve(const QString& executableFolder, const QString& documentsFolder)
{
    const QString data = installedDataFolder(executableFolder);
    // A folder the user may write without installed data beside it is a
    // build or an unpacked copy: everything lives next to the executable.
    // The data check matters for root, who may write into /usr/bin.
    if (data.isEmpty() && QFileInfo(executableFolder).isWritable())
        return withSlash(executableFolder);

    if (!documentsFolder.isEmpty()) {
        const QString user = QDir(documentsFolder).filePath(kUserFolderName);
        if (QDir().mkpath(user) && QFileInfo(user).isDir()) {
            if (!data.isEmpty())
                seed(data, user);
            return withSlash(user);
        }
    }
    return withSlash(data.isEmpty() ? executableFolder : data);
}

std::string forRunningProgram()
{
    return resolve(QCoreApplication::applicationDirPath(),
                   QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

}  // namespace programfolder

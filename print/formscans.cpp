#include "formscans.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

namespace wykazki {

namespace {

constexpr qint64 kLargestSidecar = qint64{64} * 1024;
constexpr qint64 kLargestScan = qint64{64} * 1024 * 1024;
constexpr int kVersion = 1;

bool validPage(int page)
{
    return page >= 0 && page < FormScans::kPages;
}

}  // namespace

QString FormScans::sidecarPath(const QString& classFile)
{
    return classFile + QStringLiteral(".formularz.json");
}

FormScans FormScans::load(const QString& classFile)
{
    FormScans scans;
    if (classFile.isEmpty())
        return scans;
    const QFileInfo info(sidecarPath(classFile));
    // A FIFO or a device in its place is never opened.
    if (!info.isFile() || info.size() > kLargestSidecar)
        return scans;
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return scans;
    const QJsonDocument json = QJsonDocument::fromJson(file.read(kLargestSidecar));
    const QJsonObject pages = json.object().value(QLatin1String("strony")).toObject();
    for (int page = 0; page < kPages; ++page) {
        const QString name = pages.value(QString::number(page + 1)).toString();
        // A name is a path, not a document: anything longer is not one.
        if (name.size() <= 4096 && !name.contains(QChar(0)))
            scans.names_[static_cast<std::size_t>(page)] = name;
    }
    return scans;
}

bool FormScans::save(const QString& classFile, QString* problem) const
{
    const QString path = sidecarPath(classFile);
    if (isEmpty()) {
        if (!QFileInfo::exists(path) || QFile::remove(path))
            return true;
        if (problem)
            *problem = QStringLiteral("%1: nie można usunąć pliku").arg(path);
        return false;
    }
    QJsonObject pages;
    for (int page = 0; page < kPages; ++page)
        if (!name(page).isEmpty())
            pages.insert(QString::number(page + 1), name(page));
    QJsonObject root;
    root.insert(QLatin1String("wersja"), kVersion);
    root.insert(QLatin1String("strony"), pages);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(QJsonDocument(root).toJson()) >= 0
        && file.commit())
        return true;
    if (problem)
        *problem = QStringLiteral("%1: nie można zapisać pliku (%2)").arg(path, file.errorString());
    return false;
}

QString FormScans::name(int page) const
{
    return validPage(page) ? names_[static_cast<std::size_t>(page)] : QString();
}

QString FormScans::absolutePath(int page, const QString& classFile) const
{
    const QString stored = name(page);
    if (stored.isEmpty())
        return {};
    return QFileInfo(classFile).dir().absoluteFilePath(stored);
}

void FormScans::set(int page, const QString& imagePath, const QString& classFile)
{
    if (!validPage(page))
        return;
    QString stored;
    if (!imagePath.isEmpty()) {
        const QDir folder = QFileInfo(classFile).absoluteDir();
        const QString relative = folder.relativeFilePath(QFileInfo(imagePath).absoluteFilePath());
        stored = relative.startsWith(QLatin1String("../")) ? QFileInfo(imagePath).absoluteFilePath()
                                                           : relative;
    }
    names_[static_cast<std::size_t>(page)] = stored;
}

bool FormScans::isEmpty() const
{
    for (const QString& n : names_)
        if (!n.isEmpty())
            return false;
    return true;
}

QImage FormScans::image(int page, const QString& classFile, QString* problem) const
{
    const auto fail = [problem](const QString& why) {
        if (problem)
            *problem = why;
        return QImage();
    };
    const QString path = absolutePath(page, classFile);
    if (path.isEmpty())
        return fail(QStringLiteral("nie wybrano skanu"));
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("%1: brak pliku").arg(name(page)));
    if (!info.isFile() || info.size() > kLargestScan)
        return fail(
            QStringLiteral("%1: to nie jest plik obrazu albo jest za duży").arg(name(page)));
    QImageReader reader(path);
    QImage scan = reader.read();
    if (scan.isNull())
        return fail(QStringLiteral("%1: to nie jest obraz PNG, JPEG ani BMP").arg(name(page)));
    return scan;
}

}  // namespace wykazki

#include "picturecache.h"

#include "document/cp1250.h"
#include "document/ekolmoerror.h"
#include "document/fileops.h"

#include <QByteArray>
#include <QFile>
#include <QImageReader>

#include <filesystem>
#include <system_error>

namespace {

// Picture names are Windows-1250 texts, while the program folder and the
// names on disk are in the system's file name encoding (UTF-8). The ".bmp"
// rule looks at the name as the document holds it; only then is the name
// converted for the disk.
std::string pathOnDisk(const std::string& programFolder, const std::string& fileName)
{
    const std::string path = picturePath(programFolder, fileName);
    return programFolder + cp1250::toUtf8(std::string_view(path).substr(programFolder.size()));
}

}  // namespace

PictureCache::PictureCache(std::string programFolder) : programFolder_(std::move(programFolder)) {}

const QImage* PictureCache::find(const std::string& fileName)
{
    if (fileName.empty())
        return nullptr;
    const std::string path = pathOnDisk(programFolder_, fileName);
    auto it = byPath_.find(path);
    if (it == byPath_.end()) {
        std::optional<QImage> loaded;
        std::error_code ec;
        if (std::filesystem::is_regular_file(path, ec)) {
            QImageReader reader(QFile::decodeName(QByteArray::fromStdString(path)));
            // The bytes decide, not the name: "x.dib" holding a whole bitmap file
            // would otherwise be taken for a headerless DIB.
            reader.setDecideFormatFromContent(true);
            QImage image = reader.read();
            if (image.isNull())
                throw EKolmoError(kBladWydruku);
            // Pictures are copied onto the sheet as they are, not blended.
            if (image.hasAlphaChannel())
                image = image.convertToFormat(QImage::Format_RGB32);
            loaded = std::move(image);
        }
        it = byPath_.emplace(path, std::move(loaded)).first;
    }
    return it->second ? &*it->second : nullptr;
}

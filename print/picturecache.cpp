#include "picturecache.h"

#include "document/fileops.h"
#include "document/platformfile.h"

#include <QByteArray>
#include <QFile>
#include <QImageReader>

namespace wykazki {

namespace {

// Passes reads on to a file and notes whether the decoder ever asked for
// more than was left: a Windows bitmap reader asks for exactly the rows it
// needs and takes a short row as the end of the picture.
class ShortReadWatch : public QIODevice {
public:
    explicit ShortReadWatch(QIODevice& file) : file_(file)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool sawShortRead() const { return shortRead_; }
    void forget() { shortRead_ = false; }

    bool isSequential() const override { return false; }
    qint64 size() const override { return file_.size(); }
    bool seek(qint64 pos) override { return QIODevice::seek(pos) && file_.seek(pos); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = file_.read(data, maxSize);
        if (n < maxSize)
            shortRead_ = true;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& file_;
    bool shortRead_ = false;
};

// A regular file as a device, opened by the bytes of its name: a name in
// any encoding is found, and a FIFO or device is never opened for a read
// that could block.
class PictureFile : public QIODevice {
public:
    bool openAt(const std::filesystem::path& path)
    {
        return file_.open(path) == platformfile::ReadResult::Ok
               && open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return false; }
    qint64 size() const override { return static_cast<qint64>(file_.size()); }
    bool seek(qint64 pos) override
    {
        return pos >= 0 && QIODevice::seek(pos) && file_.seek(static_cast<std::uint64_t>(pos));
    }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        return maxSize <= 0 ? 0 : file_.read(data, static_cast<std::size_t>(maxSize));
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    platformfile::RegularFile file_;
};

}  // namespace

std::optional<QImage> decodeWholePicture(const std::filesystem::path& path)
{
    PictureFile file;
    if (!file.openAt(path))
        return std::nullopt;
    ShortReadWatch watch(file);
    QImageReader reader(&watch);
    // The bytes decide, not the name: "x.dib" holding a whole bitmap file
    // would otherwise be taken for a headerless DIB.
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();  // looks at the first bytes only
    if (format.isEmpty())
        return std::nullopt;
    watch.forget();
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return std::nullopt;  // not decodable, or beyond the reader's allocation limit
    if ((format == "bmp" || format == "dib") && watch.sawShortRead())
        return std::nullopt;
    return image;
}

PictureCache::PictureCache(std::string programFolder) : programFolder_(std::move(programFolder))
{
}

const QImage* PictureCache::find(const std::string& fileName, State* state)
{
    auto named = byName_.find(fileName);
    if (named == byName_.end()) {
        const std::optional<std::string> path = findPicture(programFolder_, fileName);
        named = byName_.emplace(fileName, path.value_or(std::string())).first;
    }
    const std::string& path = named->second;
    if (path.empty()) {
        if (state)
            *state = State::Missing;
        return nullptr;
    }
    // Keyed by the file, so "logo" and "logo.bmp" share one picture.
    auto it = byPath_.find(path);
    if (it == byPath_.end()) {
        Entry entry;
        if (std::optional<QImage> image = decodeWholePicture(std::filesystem::path(path))) {
            // Pictures are copied onto the sheet as they are, not blended.
            if (image->hasAlphaChannel())
                *image = image->convertToFormat(QImage::Format_RGB32);
            entry.image = std::move(image);
            entry.state = State::Loaded;
        } else {
            entry.state = State::Damaged;
        }
        it = byPath_.emplace(path, std::move(entry)).first;
    }
    if (state)
        *state = it->second.state;
    return it->second.image ? &*it->second.image : nullptr;
}

}  // namespace wykazki

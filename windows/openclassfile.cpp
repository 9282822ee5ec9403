#include "openclassfile.h"

#include "document/platformfile.h"

#include <QCryptographicHash>

#include <fstream>
#include <system_error>

namespace wykazki {

namespace fs = std::filesystem;

DiskStamp DiskStamp::of(const std::string& path, bool withHash)
{
    DiskStamp stamp;
    std::error_code ec;
    const fs::path file(path);
    if (!fs::is_regular_file(file, ec))
        return stamp;
    stamp.size = fs::file_size(file, ec);
    if (ec)
        return stamp;
    stamp.modified = fs::last_write_time(file, ec);
    if (ec)
        return stamp;
    stamp.exists = true;
    if (!withHash)
        return stamp;
    std::ifstream in(file, std::ios::binary);
    QCryptographicHash hash(QCryptographicHash::Blake2b_256);
    std::string chunk(std::size_t{64} * 1024, '\0');
    while (in) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        hash.addData(QByteArrayView(chunk.data(), static_cast<qsizetype>(in.gcount())));
    }
    stamp.hash = in.bad() ? QByteArray() : hash.result();
    return stamp;
}

FileAccess fileAccess(const std::string& path)
{
    const fs::path target = platformfile::followLinks(fs::path(path));
    if (target.empty())
        return FileAccess::Writable;  // the save itself reports what is wrong
    std::error_code ec;
    if (fs::exists(target, ec) && !platformfile::writePermitted(target))
        return FileAccess::ReadOnlyFile;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    // A folder that is not there is the save's own failure to report.
    if (!fs::is_directory(folder, ec) || platformfile::writePermitted(folder))
        return FileAccess::Writable;
    return FileAccess::ReadOnlyFolder;
}

bool OpenClassFile::isFile(const std::string& path) const
{
    if (path_.empty() || path.empty())
        return false;
    if (path == path_)
        return true;
    std::error_code ec1;
    std::error_code ec2;
    const fs::path a = fs::weakly_canonical(fs::path(path_), ec1);
    const fs::path b = fs::weakly_canonical(fs::path(path), ec2);
    return !ec1 && !ec2 && a == b;
}

void OpenClassFile::take(std::string path, std::unique_ptr<ClassFileLock> lock,
                         bool lockedElsewhere, DiskStamp stamp)
{
    path_ = std::move(path);
    lock_ = std::move(lock);
    lockedElsewhere_ = lockedElsewhere;
    stamp_ = std::move(stamp);
}

void OpenClassFile::close()
{
    lock_.reset();
    path_.clear();
    lockedElsewhere_ = false;
    stamp_ = {};
}

bool OpenClassFile::retakeLock()
{
    if (!lockedElsewhere_)
        return true;
    auto lock = std::make_unique<ClassFileLock>(path_);
    if (lock->tryLock() == ClassFileLock::State::HeldElsewhere)
        return false;
    lock_ = std::move(lock);
    lockedElsewhere_ = false;
    return true;
}

QString OpenClassFile::holderText() const
{
    return ClassFileLock(path_).holderText();
}

bool OpenClassFile::changedOnDisk() const
{
    if (!stamp_.exists)
        return false;
    const DiskStamp now = DiskStamp::of(path_, false);
    if (!now.exists)
        return false;
    if (now.size != stamp_.size)
        return true;
    if (now.modified == stamp_.modified)
        return false;
    // Touched, maybe rewritten with the same bytes: the bytes decide.
    return DiskStamp::of(path_).hash != stamp_.hash;
}

void OpenClassFile::saved()
{
    stamp_ = DiskStamp::of(path_);
}

}  // namespace wykazki

#include "classfilelock.h"

#include "filenames.h"

#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace wykazki {

namespace fs = std::filesystem;

namespace {

// The file's name with every byte that is not part of UTF-8 and every "%"
// as %XX: the lock's name is one Qt can spell, and two names never share it.
std::string escapedName(const std::string& name)
{
    if (filenames::qtCanSpell(name) && name.find('%') == std::string::npos)
        return name;
    std::string escaped;
    static const char* const kHex = "0123456789ABCDEF";
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        // A lone byte is UTF-8 only when it is ASCII; longer sequences are
        // kept when Qt spells them back.
        std::size_t n = 1;
        if (b >= 0x80) {
            n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
            const std::string piece = name.substr(i, n);
            if (n == 1 || piece.size() < n || !filenames::qtCanSpell(piece))
                n = 0;
        }
        if (n == 0 || b == '%') {
            escaped += '%';
            escaped += kHex[b >> 4];
            escaped += kHex[b & 15];
            continue;
        }
        escaped += name.substr(i, n);
        i += n - 1;
    }
    return escaped;
}

}  // namespace

ClassFileLock::ClassFileLock(std::string classFile) : classFile_(std::move(classFile))
{
}

ClassFileLock::~ClassFileLock()
{
    unlock();
}

std::string ClassFileLock::lockPathFor(const std::string& classFile)
{
    const fs::path file(classFile);
    const std::string folder = file.parent_path().native();
    const std::string name = "." + escapedName(file.filename().native()) + ".lock";
    return folder.empty() ? name : folder + "/" + name;
}

QString ClassFileLock::qtLockPath() const
{
    const std::string path = lockPathFor(classFile_);
    if (filenames::qtCanSpell(path))
        return QFile::decodeName(QByteArray::fromStdString(path));
#ifdef __linux__
    // The folder's name is beyond Qt, the lock's own name never is: the
    // folder is reached through the process's handle on it.
    if (folderDescriptor_ >= 0)
        return QStringLiteral("/proc/self/fd/%1/").arg(folderDescriptor_)
               + QFile::decodeName(QByteArray::fromStdString(fs::path(path).filename().native()));
#endif
    return {};
}

ClassFileLock::State ClassFileLock::tryLock()
{
    if (state_ == State::Locked)
        return state_;
#ifdef __linux__
    if (!filenames::qtCanSpell(lockPathFor(classFile_)) && folderDescriptor_ < 0) {
        const std::string folder = fs::path(classFile_).parent_path().native();
        folderDescriptor_ =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    }
#endif
    const QString path = qtLockPath();
    if (path.isEmpty())
        return state_ = State::Impossible;
    lock_ = std::make_unique<QLockFile>(path);
    // Only a lock whose program is gone is stale; one from another computer
    // stays however old it is, as a colleague may keep a class open all day.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return state_ = State::Locked;
    const QLockFile::LockError error = lock_->error();
    lock_.reset();
    return state_ = error == QLockFile::LockFailedError ? State::HeldElsewhere : State::Impossible;
}

void ClassFileLock::unlock()
{
    if (lock_)
        lock_->unlock();
    lock_.reset();
#ifndef _WIN32
    if (folderDescriptor_ >= 0)
        ::close(folderDescriptor_);
#endif
    folderDescriptor_ = -1;
    state_ = State::Unlocked;
}

ClassFileLock::Holder ClassFileLock::holder() const
{
    Holder holder;
    QString path = qtLockPath();
#ifdef __linux__
    int descriptor = -1;
    if (path.isEmpty()) {
        const std::string folder = fs::path(classFile_).parent_path().native();
        descriptor =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (descriptor >= 0)
            path = QStringLiteral("/proc/self/fd/%1/").arg(descriptor)
                   + QFile::decodeName(QByteArray::fromStdString(
                       fs::path(lockPathFor(classFile_)).filename().native()));
    }
    struct Closer {
        int fd;
        ~Closer()
        {
            if (fd >= 0)
                ::close(fd);
        }
    } closer{descriptor};
#endif
    if (path.isEmpty())
        return holder;
    QLockFile reader(path);
    qint64 pid = 0;
    QString application;
    reader.getLockInfo(&pid, &holder.host, &application);
    const QFileInfo info(path);
    holder.user = info.owner();
    holder.since = info.lastModified();
    return holder;
}

QString ClassFileLock::holderText() const
{
    const Holder h = holder();
    QStringList parts;
    if (!h.user.isEmpty())
        parts << h.user;
    if (!h.host.isEmpty())
        parts << h.host;
    if (h.since.isValid()) {
        const QString format = h.since.date() == QDate::currentDate()
                                   ? QStringLiteral("HH:mm")
                                   : QStringLiteral("d.MM.yyyy HH:mm");
        parts << QStringLiteral("od ") + h.since.toString(format);
    }
    return parts.join(QStringLiteral(", "));
}

PendingClassFileLock::PendingClassFileLock(std::string classFile)
    : classFile_(std::move(classFile)),
      attempt_(std::async(std::launch::async, [path = classFile_] {
          auto lock = std::make_unique<ClassFileLock>(path);
          lock->tryLock();
          return lock;
      }))
{
}

PendingClassFileLock::~PendingClassFileLock()
{
    if (attempt_.valid())
        attempt_.wait();
}

std::unique_ptr<ClassFileLock> PendingClassFileLock::take()
{
    return attempt_.valid() ? attempt_.get() : nullptr;
}

}  // namespace wykazki

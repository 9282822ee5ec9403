#pragma once
// The class file the program has open: its path as the file system's
// bytes, the lock held beside it, and what it looked like on disk when it
// was read or last saved, so that a save notices a change made meanwhile by
// another program or a colleague over a shared folder.

#include "qtbridge/classfilelock.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace wykazki {

// Size, modification time and a hash of a file's bytes.
struct DiskStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    // BLAKE2b-256 (a quarter of SHA-256's time in Qt); empty when not read.
    QByteArray hash;

    // The file's stamp; withHash reads its bytes (regular files only).
    static DiskStamp of(const std::string& path, bool withHash = true);
};

// Whether a class file may be written where it is.
enum class FileAccess {
    Writable,        // or does not exist yet in a folder that may be written
    ReadOnlyFile,    // the file's write permission is off
    ReadOnlyFolder,  // its folder cannot take the new file a save renames over it
};
FileAccess fileAccess(const std::string& path);

class OpenClassFile {
public:
    OpenClassFile() = default;
    OpenClassFile(const OpenClassFile&) = delete;
    OpenClassFile& operator=(const OpenClassFile&) = delete;

    bool isOpen() const { return !path_.empty(); }
    const std::string& path() const { return path_; }
    // The same file as path, also when named another way (".." or a link).
    bool isFile(const std::string& path) const;

    // The file just read or saved under a new name becomes the open one.
    // lock: held beside it, or null when another program holds it (the file
    // is then read-only here) or none can be made; keepLock: the file is
    // the one already open, whose lock stays.
    void take(std::string path, std::unique_ptr<ClassFileLock> lock, bool lockedElsewhere,
              DiskStamp stamp);
    // Lets go of the file and its lock (Nowy, the program's end).
    void close();

    // Another copy of the program held the lock when the file was opened.
    bool lockedElsewhere() const { return lockedElsewhere_; }
    // Tries again to lock a file that was locked elsewhere; true once held.
    bool retakeLock();
    // Who holds the lock of a file locked elsewhere ("jan, pracownia, od 10:42").
    QString holderText() const;
    bool holdsLock() const { return lock_ && lock_->state() == ClassFileLock::State::Locked; }
    // Hands the lock over to a new take() of the same file.
    std::unique_ptr<ClassFileLock> releaseLock() { return std::move(lock_); }

    // Whether the file on disk differs from what was read or last saved:
    // another size, or another time and other bytes. A file that is gone
    // is no change (a save makes it anew).
    bool changedOnDisk() const;
    // The file was just written by this program.
    void saved();

private:
    std::string path_;
    std::unique_ptr<ClassFileLock> lock_;
    bool lockedElsewhere_ = false;
    DiskStamp stamp_;
};

}  // namespace wykazki

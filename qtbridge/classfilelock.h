#pragma once
// The lock beside an open class file: while one copy of the program (or
// wkz writing it) holds it, any other copy learns who has the file, since
// when and on which computer, and does not write over it. A lock left by a
// program that has ended without removing it (same computer, the process
// gone) is broken by the next one to lock.
//
// The lock is a QLockFile named ".NAME.lock" in the class file's folder
// (NAME the file's name, every byte that is not UTF-8 and every "%"
// written as %XX), so copies on other computers sharing the folder see it
// too.

#include <QDateTime>
#include <QString>

#include <future>
#include <memory>
#include <string>

class QLockFile;

namespace wykazki {

class ClassFileLock {
public:
    enum class State {
        Unlocked,       // not tried yet, or let go
        Locked,         // this object holds the lock
        HeldElsewhere,  // another program (or another lock in this one) holds it
        Impossible,     // no lock can be made beside the file (a read-only folder)
    };
    struct Holder {
        QString user;
        QString host;
        QDateTime since;
    };

    // classFile: the class file's path as the file system's bytes.
    explicit ClassFileLock(std::string classFile);
    ~ClassFileLock();
    ClassFileLock(const ClassFileLock&) = delete;
    ClassFileLock& operator=(const ClassFileLock&) = delete;

    // Tries once, without waiting.
    State tryLock();
    void unlock();
    State state() const { return state_; }
    const std::string& classFile() const { return classFile_; }

    // Who holds the lock, read from its file; what cannot be read is empty.
    Holder holder() const;
    // "jan, pracownia-2, od 10:42" (a day before today adds its date).
    QString holderText() const;

    // The lock file's path, as bytes, for a class file's path.
    static std::string lockPathFor(const std::string& classFile);

private:
    QString qtLockPath() const;

    std::string classFile_;
    State state_ = State::Unlocked;
    // A folder Qt cannot spell is reached through an open descriptor.
    int folderDescriptor_ = -1;
    std::unique_ptr<QLockFile> lock_;
};

// A lock tried in a thread of its own while the program starts: QLockFile
// writes its file through to the disk, and the first frame need not wait
// for that. The attempt is made once; whoever takes it decides what an
// attempt that failed means.
class PendingClassFileLock {
public:
    // Starts trying to lock classFile (the file system's bytes).
    explicit PendingClassFileLock(std::string classFile);
    // Waits for the attempt; a lock nobody took is let go.
    ~PendingClassFileLock();
    PendingClassFileLock(const PendingClassFileLock&) = delete;
    PendingClassFileLock& operator=(const PendingClassFileLock&) = delete;

    const std::string& classFile() const { return classFile_; }
    // Waits for the attempt and hands over the lock as it left it
    // (Locked, HeldElsewhere or Impossible). Once only.
    std::unique_ptr<ClassFileLock> take();

private:
    std::string classFile_;
    std::future<std::unique_ptr<ClassFileLock>> attempt_;
};

}  // namespace wykazki

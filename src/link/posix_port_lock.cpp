#include "link/posix_port_lock.h"
#include "link/port_problem.h"

#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rz {

namespace {

// An empty lock file is one being written; one older than this was left
// half written.
constexpr time_t UnfinishedLockSeconds = 30;

QByteArray programOf(const QString& pid) {
    return QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid))
        .symLinkTarget()
        .section('/', -1)
        .toUtf8();
}

// What a Qt program writes into its lock: pid, program file, host.
const QByteArray& lockContents() {
    static const QByteArray contents = QByteArray::number(qint64(getpid())) + '\n' +
                                       programOf(QStringLiteral("self")) + '\n' +
                                       QSysInfo::machineHostName().toUtf8() + '\n';
    return contents;
}

// As Qt programs choose: the first folder we may read where the lock is
// already, or where we may write one.
QByteArray lockFolder(const QByteArray& name) {
    for (const QString& dir : portLockFolders()) {
        const QByteArray path = QFile::encodeName(dir);
        if (access(path.constData(), R_OK | W_OK | X_OK) == 0 ||
            (access(path.constData(), R_OK | X_OK) == 0 &&
             access((path + '/' + name).constData(), F_OK) == 0))
            return path;
    }
    return QByteArray();
}

// Whether the program a lock names has ended: its process is gone, or the
// process of that number now runs another program, or the file was never
// finished.
bool holderHasEnded(int fd, const struct stat& file) {
    char text[256];
    const ssize_t size = pread(fd, text, sizeof text, 0);
    const LockFileText lock = parseLockFile(QByteArray(text, int(std::max<ssize_t>(size, 0))));
    if (lock.pid == 0)
        return file.st_size == 0 && std::time(nullptr) - file.st_mtime > UnfinishedLockSeconds;
    if (kill(pid_t(lock.pid), 0) == -1 && errno == ESRCH)
        return true;
    if (lock.program.isEmpty())
        return false;
    const QByteArray running = programOf(QString::number(lock.pid));
    return !running.isEmpty() && running != lock.program;
}

enum class Stale { No, Removed, CannotRemove };

// Removes the lock at `path` if its holder has ended. A holder with
// flock() keeps it whatever it says; the file is removed only if `path`
// still names the file looked at (another program may have taken it over
// meanwhile).
Stale removeIfStale(const QByteArray& path) {
    const int fd = open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? Stale::Removed : Stale::No;
    struct stat looked {
    }, named{};
    Stale outcome = Stale::No;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &looked) == 0 &&
        holderHasEnded(fd, looked)) {
        if (stat(path.constData(), &named) != 0 || named.st_ino != looked.st_ino ||
            named.st_dev != looked.st_dev)
            outcome = Stale::Removed; // already replaced: try again
        else
            outcome = unlink(path.constData()) == 0 ? Stale::Removed : Stale::CannotRemove;
    }
    close(fd);
    return outcome;
}

} // namespace

PortLock::Outcome PortLock::acquire(const QString& devicePath) {
    release();
    const QByteArray name = QFile::encodeName(portLockName(devicePath));
    const QByteArray folder = lockFolder(name);
    if (folder.isEmpty())
        return Outcome::Locked;
    path_ = folder + '/' + name;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (create())
            return Outcome::Locked;
        if (errno != EEXIST)
            return Outcome::Locked; // the folder refuses a lock: go on without one
        switch (removeIfStale(path_)) {
        case Stale::Removed:
            continue;
        case Stale::No:
            return Outcome::Held;
        case Stale::CannotRemove:
            return Outcome::LeftBehind;
        }
    }
    return Outcome::Held;
}

bool PortLock::create() {
    const int fd = open(path_.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    flock(fd, LOCK_EX | LOCK_NB);
    const QByteArray& contents = lockContents();
    if (write(fd, contents.constData(), size_t(contents.size())) != contents.size()) {
        unlink(path_.constData());
        close(fd);
        errno = ENOSPC;
        return false;
    }
    fd_ = fd;
    return true;
}

void PortLock::release() {
    if (fd_ < 0)
        return;
    unlink(path_.constData());
    close(fd_);
    fd_ = -1;
}

QString PortLock::filePath() const {
    return QFile::decodeName(path_);
}

} // namespace rz

#include "link/posix_port_lock.h"
#include "link/port_problem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace rz {

namespace {

// A lock file without a pid is one being written; one older than this
// without a holder was left half written.
constexpr time_t UnfinishedLockSeconds = 30;

// What a Qt program writes into its lock: pid, program file, host.
const QByteArray& lockContents() {
    static const QByteArray contents =
        QByteArray::number(qint64(getpid())) + '\n' +
        QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section('/', -1).toUtf8() +
        '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    return contents;
}

QByteArray lockFolder() {
    for (const QString& dir : portLockFolders()) {
        const QByteArray path = QFile::encodeName(dir);
        if (access(path.constData(), R_OK | W_OK | X_OK) == 0)
            return path;
    }
    return QByteArray();
}

qint64 pidIn(const QByteArray& path) {
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    bool ok = false;
    const qint64 pid = file.readLine(64).trimmed().toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

bool processIsGone(qint64 pid) {
    return kill(pid_t(pid), 0) == -1 && errno == ESRCH;
}

// Removes the lock at `path` if nobody holds it any more: its program is
// gone, or it was never finished. A holder with flock() keeps it whatever
// it says.
bool removeIfStale(const QByteArray& path) {
    const qint64 pid = pidIn(path);
    struct stat info {};
    const bool unfinished = pid == 0 && stat(path.constData(), &info) == 0 &&
                            std::time(nullptr) - info.st_mtime > UnfinishedLockSeconds;
    if (!(pid > 0 && processIsGone(pid)) && !unfinished)
        return false;
    const int fd = open(path.constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT; // removed meanwhile
    const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0;
    const bool removed = free && unlink(path.constData()) == 0;
    close(fd);
    return removed;
}

} // namespace

bool PortLock::acquire(const QString& devicePath) {
    release();
    const QByteArray folder = lockFolder();
    if (folder.isEmpty())
        return true;
    const QByteArray path = folder + '/' + QFile::encodeName(portLockName(devicePath));
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (create(path))
            return true;
        if (errno != EEXIST)
            return true; // the folder refuses a lock: go on without one
        if (!removeIfStale(path))
            return false;
    }
    return false;
}

bool PortLock::create(const QByteArray& path) {
    const int fd = open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    flock(fd, LOCK_EX | LOCK_NB);
    const QByteArray& contents = lockContents();
    if (write(fd, contents.constData(), size_t(contents.size())) != contents.size()) {
        unlink(path.constData());
        close(fd);
        errno = ENOSPC;
        return false;
    }
    path_ = path;
    fd_ = fd;
    return true;
}

void PortLock::release() {
    if (fd_ < 0)
        return;
    unlink(path_.constData());
    close(fd_);
    fd_ = -1;
    path_.clear();
}

} // namespace rz

#include "link/port_problem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace rz {

QString PortProblem::detail() const {
    if (device.isEmpty() && cause != None)
        return QStringLiteral("No serial port chosen");
    switch (cause) {
    case None:
        return QString();
#ifdef Q_OS_WIN
    // Windows users know their ports by name: "COM5 does not exist".
    case NoSuchDevice:
        return QStringLiteral("%1 does not exist").arg(device);
    case InUse:
        return QStringLiteral("%1 is in use by another program").arg(device);
#else
    case NoSuchDevice:
        return QStringLiteral("Cannot open %1: no such device").arg(device);
    case InUse:
        if (!holder.isEmpty())
            return QStringLiteral("Cannot open %1: it is in use by %2").arg(device, holder);
        return QStringLiteral("Cannot open %1: it is in use by another program").arg(device);
#endif
    case PermissionDenied:
#ifdef Q_OS_LINUX
        return QStringLiteral("Cannot open %1: permission denied (the user must be in the "
                              "dialout group: sudo adduser $USER dialout, then log in again)")
            .arg(device);
#else
        return QStringLiteral("Cannot open %1: permission denied").arg(device);
#endif
    case Lost:
        return QStringLiteral("%1 stopped working while in use (%2)").arg(device, systemText);
    case Other:
        break;
    }
    return QStringLiteral("Cannot open %1: %2").arg(device, systemText);
}

namespace {

QString filePath(const QString& port) {
    return port.contains(QLatin1Char('/')) ? port : QStringLiteral("/dev/") + port;
}

} // namespace

QString devicePath(const QString& port) {
    const QString canonical = QFileInfo(filePath(port)).canonicalFilePath();
    return canonical.isEmpty() ? port : canonical;
}

PortProblem diagnoseOpenFailure(const QString& device, OpenRefusal refusal,
                                const QString& systemText) {
    PortProblem problem;
    problem.device = device;
    problem.systemText = systemText;
#ifdef Q_OS_UNIX
    const QFileInfo file(filePath(device));
    if (!file.exists()) {
        problem.cause = PortProblem::NoSuchDevice;
        return problem;
    }
    if (!(file.isReadable() && file.isWritable())) {
        problem.cause = PortProblem::PermissionDenied;
        return problem;
    }
#endif
    // The device is there and we may use it (Windows also refuses a port in
    // use as "access denied"): a refusal now means that another program
    // holds it.
    switch (refusal) {
    case OpenRefusal::NotFound:
        problem.cause = PortProblem::NoSuchDevice;
        break;
    case OpenRefusal::Refused:
        problem.cause = PortProblem::InUse;
        problem.holder = portHolder(device);
        break;
    case OpenRefusal::Other:
        problem.cause = PortProblem::Other;
        break;
    }
    return problem;
}

QString describeHolder(const QString& processName, qint64 pid) {
    struct Kind {
        const char* name;
        const char* kind;
    };
    // Programs known to take serial devices, by what the user would call them.
    static const Kind kinds[] = {
        {"ModemManager", "the modem manager"},
        {"brltty", "the Braille display driver"},
        {"gpsd", "the GPS service"},
        {"minicom", "a terminal program"},
        {"picocom", "a terminal program"},
        {"screen", "a terminal program"},
        {"cu", "a terminal program"},
        {"putty", "a terminal program"},
        {"gtkterm", "a terminal program"},
        {"cutecom", "a terminal program"},
        {"moserial", "a terminal program"},
        {"rz-v70", "another copy of this program"},
        {"rz-v70-writer", "another copy of this program"},
        {"rz-v70-sim", "the receiver simulator"},
    };
    const QString who = QStringLiteral("%1, process %2").arg(processName).arg(pid);
    for (const Kind& k : kinds)
        if (processName == QLatin1String(k.name))
            return QStringLiteral("%1 (%2)").arg(QLatin1String(k.kind), who);
    return QStringLiteral("another program (%1)").arg(who);
}

namespace {

QString processName(const QString& procRoot, qint64 pid) {
    QFile comm(QStringLiteral("%1/%2/comm").arg(procRoot).arg(pid));
    if (!comm.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

// The pid in a lock file of the device: ours and other Qt programs' are
// named by portLockName ("LCK..pts_3"), other programs' after the device's
// name ("LCK..ttyUSB0"); both files start with the pid.
qint64 lockOwner(const QString& device) {
    const QStringList names{portLockName(device),
                            QStringLiteral("LCK..") + QFileInfo(device).fileName()};
    for (const QString& dir : portLockFolders()) {
        for (const QString& name : names) {
            QFile lock(QDir(dir).filePath(name));
            if (!lock.open(QIODevice::ReadOnly))
                continue;
            const qint64 pid = parseLockFile(lock.read(256)).pid;
            if (pid > 0)
                return pid;
        }
    }
    return 0;
}

// The first process with `target` among its open files.
qint64 openedBy(const QString& target, const QString& procRoot) {
    const QDir proc(procRoot);
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QDir fds(proc.filePath(entry + QStringLiteral("/fd")));
        for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System))
            if (fd.symLinkTarget() == target)
                return pid;
    }
    return 0;
}

} // namespace

QString portLockName(const QString& device) {
    QString below = device;
    if (below.startsWith(QLatin1String("/dev/")))
        below = below.mid(5);
    below.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral("LCK..") + below;
}

QStringList portLockFolders() {
    // The order other Qt programs try them in, so that both take one file.
    return {QStringLiteral("/var/lock"),
            QStringLiteral("/etc/locks"),
            QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"),
            QStringLiteral("/tmp"),
            QStringLiteral("/var/tmp"),
            QStringLiteral("/var/lock/lockdev"),
            QStringLiteral("/run/lock")};
}

LockFileText parseLockFile(const QByteArray& contents) {
    LockFileText text;
    const QList<QByteArray> lines = contents.split('\n');
    const QByteArray first = lines.first().trimmed();
    qsizetype digits = 0;
    while (digits < first.size() && digits < 18 && first.at(digits) >= '0' &&
           first.at(digits) <= '9')
        ++digits;
    if (digits == first.size() || first.at(digits) == ' ' || first.at(digits) == '\t')
        text.pid = first.left(digits).toLongLong();
    if (lines.size() > 1)
        text.program = lines.at(1).trimmed();
    return text;
}

QString portHolder(const QString& device, const QString& procRoot) {
    const QString target = QFileInfo(filePath(device)).canonicalFilePath();
    if (target.isEmpty())
        return QString();
    qint64 pid = lockOwner(target);
    if (pid == 0 || processName(procRoot, pid).isEmpty())
        pid = openedBy(target, procRoot);
    const QString name = pid ? processName(procRoot, pid) : QString();
    return name.isEmpty() ? QString() : describeHolder(name, pid);
}

QString noDeviceBehind(const QString& portItem) {
    return QStringLiteral("%1 stands for no serial device on this machine").arg(portItem);
}

PortProblem lostPort(const QString& device, const QString& systemText) {
    PortProblem problem;
    problem.cause = PortProblem::Lost;
    problem.device = device;
    problem.systemText = systemText;
    return problem;
}

} // namespace rz

#pragma once
// Why a serial port could not be used: the "Port Error" message stays as it
// is, and this names the device and the cause underneath it.
#include <QString>
#include <QStringList>

namespace rz {

struct PortProblem {
    enum Cause { None, NoSuchDevice, InUse, PermissionDenied, Lost, Other };

    Cause cause = None;
    QString device;
    QString systemText; // what the serial port said, for the causes without a text of their own
    QString holder;     // InUse: which program holds the device, when that can be known

    // One line: "Cannot open /dev/ttyUSB0: no such device", ...
    QString detail() const;
};

// The device a port name stands for, as the lock of the port must see it: a
// name without a folder is a device in /dev (as the serial port takes it), a
// relative path starts in the working folder, and links are followed to the
// device itself, so that a link and its device are one port. A name that
// names no file ("COM3" on Windows) stays as it is.
QString devicePath(const QString& port);

// The lock file's name for `device` (a device path): the path below /dev
// with "_" for "/" ("LCK..pts_3", "LCK..ttyUSB0"), as the serial ports of
// other Qt programs name theirs.
QString portLockName(const QString& device);
// The folders a lock file may be in, in the order they are tried.
QStringList portLockFolders();

// What a lock file says of its holder. Qt programs write "pid\nprogram\nhost\n",
// terminal programs "      1234\n" or "  1234 minicom user\n"; pid is 0 when
// the file names none, program empty when it has no second line.
struct LockFileText {
    qint64 pid = 0;
    QByteArray program;
};
LockFileText parseLockFile(const QByteArray& contents);

// How the system refused to open a device.
enum class OpenRefusal { NotFound, Refused, Other };

// Classifies a failed open of `device` (looking at the device itself where
// the system's answer is ambiguous: a lock held by another program is
// refused like a permission problem).
PortProblem diagnoseOpenFailure(const QString& device, OpenRefusal refusal,
                                const QString& systemText);
// The program that holds `device` open, as the user knows it ("the modem
// manager (ModemManager, process 812)"); empty when it cannot be known (no
// /proc, or a program of another user). Looks at the lock files of the
// serial port and at every process's open files under `procRoot`.
QString portHolder(const QString& device, const QString& procRoot = QStringLiteral("/proc"));
// The kind of program a process name stands for, with the name and pid.
QString describeHolder(const QString& processName, qint64 pid);

// The detail of a "Port Error" when the chosen Port menu item ("COM3")
// stands for no device: nothing could be opened.
QString noDeviceBehind(const QString& portItem);

// A port that failed after it was opened (unplugged, hung up).
PortProblem lostPort(const QString& device, const QString& systemText);

} // namespace rz

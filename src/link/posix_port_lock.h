#pragma once
// The lock file that keeps other programs off a serial device while the link
// uses it ("LCK..ttyUSB0" in /var/lock). It is the one the serial ports of
// other Qt programs take, written as theirs (pid, program, host) and held by
// flock(), so that none of them takes it for a stale one and removes it.
// A lock whose program is gone is removed.
#include <QByteArray>
#include <QString>

namespace rz {

class PortLock {
public:
    PortLock() = default;
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;
    ~PortLock() { release(); }

    // False when another program (or another link of this one) holds the
    // device. Where no lock folder can be written there is no lock file,
    // and the device's exclusive mode alone keeps other programs off.
    bool acquire(const QString& devicePath);
    void release();

private:
    bool create(const QByteArray& path);

    QByteArray path_;
    int fd_ = -1;
};

} // namespace rz

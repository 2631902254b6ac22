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
    enum class Outcome {
        Locked,     // ours (or no lock folder can be written: the device's
                    // exclusive mode alone keeps other programs off)
        Held,       // another program, or another link of this one, has it
        LeftBehind, // a program that has ended left it, and it cannot be removed
    };

    PortLock() = default;
    PortLock(const PortLock&) = delete;
    PortLock& operator=(const PortLock&) = delete;
    ~PortLock() { release(); }

    Outcome acquire(const QString& devicePath);
    void release();
    // The lock file of the last acquire.
    QString filePath() const;

private:
    bool create();

    QByteArray path_;
    int fd_ = -1;
};

} // namespace rz

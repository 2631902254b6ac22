#pragma once
// Why a serial port could not be used: the "Port Error" message stays as it
// is, and this names the device and the cause underneath it.
#include <QSerialPort>
#include <QString>

namespace rz {

struct PortProblem {
    enum Cause { None, NoSuchDevice, InUse, PermissionDenied, Lost, Other };

    Cause cause = None;
    QString device;
    QString systemText; // what the serial port said, for the causes without a text of their own

    // One line: "Cannot open /dev/ttyUSB0: no such device", ...
    QString detail() const;
};

// Classifies a failed open of `device` (looking at the device itself where
// the serial port's error code is ambiguous: a lock held by another program
// is reported like a permission problem).
PortProblem diagnoseOpenFailure(const QString& device, QSerialPort::SerialPortError error,
                                const QString& systemText);
// A port that failed after it was opened (unplugged, hung up).
PortProblem lostPort(const QString& device, const QString& systemText);

} // namespace rz

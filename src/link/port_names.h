#pragma once
// Serial devices by the names the user knows. On Windows "COMn" is the
// system's COMn. Elsewhere "COMn" stands for the n-th serial device found on
// the machine, USB adapters (ttyUSB, ttyACM, devices with a USB vendor)
// first, then the others, each group in natural name order; a path names
// the device itself.
#include <QString>
#include <QStringList>

namespace rz {

struct SerialDevice {
    QString path;        // /dev/ttyUSB0, or COM3 on Windows
    QString description; // what the system says about it, possibly empty
    bool usb = false;
};

// The serial devices found, in COMn order (COM1 first).
QList<SerialDevice> serialDevices();

// Resolves a port as the user gave it ("COM2", "com2", "/dev/ttyUSB0") to
// the device to open. Empty, with `error` set, when COMn has no device.
QString resolvePort(const QString& port, QString* error = nullptr);
// The same against a given device list (for tests and the Port menu).
QString resolvePort(const QString& port, const QList<SerialDevice>& devices,
                    QString* error = nullptr);

// n of "COMn" (1..99), or 0 when the text is not of that form.
int comNumber(const QString& port);

} // namespace rz

#pragma once
// Which serial device each of the Port menu's sixteen numbers stands for.
// On Windows number n is the system's COMn; elsewhere the numbers go to the
// devices found on the machine, USB adapters first.
#include <QString>
#include <QStringList>

namespace rz {

class SerialPortList {
public:
    static constexpr int Count = 16;

    SerialPortList() = default;
    // Devices in menu order; more than sixteen are dropped.
    explicit SerialPortList(const QStringList& devices);
    // The machine's serial ports, numbered as the command-line tool numbers
    // them.
    static SerialPortList scan();

    // The device of port n (1..16); empty when none stands behind it.
    QString device(int port) const;
    // The Port menu caption: "COM1 (/dev/ttyUSB0)", or "COM1" without device.
    QString caption(int port) const;
    // The port number of a device given by name: "COM3" is port 3; a path
    // not in the list yet takes the first free number (or 1 when all are
    // taken). 0 for a COMn beyond 16.
    int assign(const QString& device);
    // The port number of a device that was found plugged in: its own number
    // when it is in the list; otherwise it becomes port 1 and the others
    // move down (the sixteenth dropping off).
    int putFirst(const QString& device);

private:
    QStringList devices_; // index n - 1
};

} // namespace rz

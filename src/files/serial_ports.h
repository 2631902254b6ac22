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
    // The machine's serial ports.
    static SerialPortList scan();
    // Orders device paths: USB adapters first, then by name, numbers
    // compared as numbers (ttyS2 before ttyS10).
    static QStringList menuOrder(const QStringList& devices, const QStringList& usbDevices);

    // The device of port n (1..16); empty when none stands behind it.
    QString device(int port) const;
    // The Port menu caption: "COM1 (/dev/ttyUSB0)", or "COM1" without device.
    QString caption(int port) const;
    // The port number a device has, putting it in the first free slot (or
    // slot 1 when all are taken) when it is not in the list yet.
    int assign(const QString& device);

private:
    QStringList devices_; // index n - 1
};

} // namespace rz

#include "link/serial_port_list.h"
#include "link/port_names.h"

namespace rz {

SerialPortList::SerialPortList(const QStringList& devices) : devices_(devices.mid(0, Count)) {}

SerialPortList SerialPortList::scan() {
    QStringList devices;
#ifdef Q_OS_WIN
    for (int n = 1; n <= Count; ++n)
        devices << QStringLiteral("COM%1").arg(n);
#else
    // The same numbering as the command-line tool's COMn.
    for (const SerialDevice& device : serialDevices())
        devices << device.path;
#endif
    return SerialPortList(devices);
}

QString SerialPortList::device(int port) const {
    return port >= 1 && port <= devices_.size() ? devices_.at(port - 1) : QString();
}

QString SerialPortList::caption(int port) const {
    const QString name = QStringLiteral("COM%1").arg(port);
    const QString dev = device(port);
    if (dev.isEmpty() || dev == name)
        return name;
    return QStringLiteral("%1 (%2)").arg(name, dev);
}

int SerialPortList::assign(const QString& device) {
    if (const int n = comNumber(device))
        return n <= Count ? n : 0;
    const int existing = int(devices_.indexOf(device));
    if (existing >= 0)
        return existing + 1;
    if (devices_.size() < Count) {
        devices_ << device;
        return int(devices_.size());
    }
    devices_[0] = device;
    return 1;
}

int SerialPortList::putFirst(const QString& device) {
    const int existing = int(devices_.indexOf(device));
    if (existing >= 0)
        return existing + 1;
    devices_.prepend(device);
    devices_ = devices_.mid(0, Count);
    return 1;
}

} // namespace rz

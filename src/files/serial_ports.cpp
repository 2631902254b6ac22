#include "files/serial_ports.h"
#include <QCollator>
#include <QSerialPortInfo>
#include <algorithm>

namespace rz {

SerialPortList::SerialPortList(const QStringList& devices) : devices_(devices.mid(0, Count)) {}

SerialPortList SerialPortList::scan() {
#ifdef Q_OS_WIN
    QStringList devices;
    for (int n = 1; n <= Count; ++n)
        devices << QStringLiteral("COM%1").arg(n);
    return SerialPortList(devices);
#else
    QStringList all, usb;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        all << info.systemLocation();
        const QString name = info.portName();
        if (info.hasVendorIdentifier() || name.startsWith(QLatin1String("ttyUSB")) ||
            name.startsWith(QLatin1String("ttyACM")))
            usb << info.systemLocation();
    }
    return SerialPortList(menuOrder(all, usb));
#endif
}

QStringList SerialPortList::menuOrder(const QStringList& devices, const QStringList& usbDevices) {
    QCollator collator;
    collator.setNumericMode(true);
    QStringList ordered = devices;
    std::stable_sort(ordered.begin(), ordered.end(), [&](const QString& a, const QString& b) {
        const bool aUsb = usbDevices.contains(a), bUsb = usbDevices.contains(b);
        if (aUsb != bUsb)
            return aUsb;
        return collator.compare(a, b) < 0;
    });
    return ordered;
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

} // namespace rz

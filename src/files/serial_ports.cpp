#include "files/serial_ports.h"
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

// "ttyS2" before "ttyS10": runs of digits compare by their value.
static bool naturalLess(const QString& a, const QString& b) {
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            int ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            const qulonglong x = a.mid(i, ei - i).toULongLong(), y = b.mid(j, ej - j).toULongLong();
            if (x != y)
                return x < y;
            i = ei;
            j = ej;
        } else {
            if (a[i] != b[j])
                return a[i] < b[j];
            ++i;
            ++j;
        }
    }
    return a.size() - i < b.size() - j;
}

QStringList SerialPortList::menuOrder(const QStringList& devices, const QStringList& usbDevices) {
    QStringList ordered = devices;
    std::stable_sort(ordered.begin(), ordered.end(), [&](const QString& a, const QString& b) {
        const bool aUsb = usbDevices.contains(a), bUsb = usbDevices.contains(b);
        if (aUsb != bUsb)
            return aUsb;
        return naturalLess(a, b);
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

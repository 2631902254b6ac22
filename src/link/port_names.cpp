#include "link/port_names.h"

#include <QCollator>
#include <QRegularExpression>
#include <QSerialPortInfo>

#include <algorithm>

namespace rz {

QList<SerialDevice> serialDevices() {
    QList<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        SerialDevice d;
        d.path = info.systemLocation();
        d.description = info.description();
        if (!info.manufacturer().isEmpty())
            d.description = info.manufacturer() + QLatin1Char(' ') + d.description;
        d.description = d.description.trimmed();
        d.usb = info.hasVendorIdentifier() || info.portName().startsWith(QLatin1String("ttyUSB")) ||
                info.portName().startsWith(QLatin1String("ttyACM"));
        devices.append(d);
    }
    QCollator natural;
    natural.setNumericMode(true);
    std::stable_sort(devices.begin(), devices.end(),
                     [&](const SerialDevice& a, const SerialDevice& b) {
                         if (a.usb != b.usb)
                             return a.usb;
                         return natural.compare(a.path, b.path) < 0;
                     });
    return devices;
}

int comNumber(const QString& port) {
    static const QRegularExpression com(QStringLiteral("^COM([1-9][0-9]?)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = com.match(port);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString resolvePort(const QString& port, const QList<SerialDevice>& devices, QString* error) {
    const int n = comNumber(port);
    if (n == 0)
        return port;
#ifdef Q_OS_WIN
    Q_UNUSED(devices)
    Q_UNUSED(error)
    return port.toUpper();
#else
    if (n <= devices.size())
        return devices.at(n - 1).path;
    if (error) {
        *error = devices.isEmpty()
                     ? QStringLiteral("%1: no serial device found").arg(port.toUpper())
                     : QStringLiteral("%1: only %2 serial device(s) found")
                           .arg(port.toUpper())
                           .arg(devices.size());
    }
    return QString();
#endif
}

QString resolvePort(const QString& port, QString* error) {
    if (comNumber(port) == 0)
        return port;
    return resolvePort(port, serialDevices(), error);
}

} // namespace rz

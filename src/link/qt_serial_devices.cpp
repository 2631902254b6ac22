// The serial devices the machine has, as Qt's serial port finds them.
#include "link/port_names.h"

#include <QCollator>
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

} // namespace rz

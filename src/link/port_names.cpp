#include "link/port_names.h"

#include <QRegularExpression>

namespace rz {

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

#include "link/port_problem.h"

#include <QFileInfo>

namespace rz {

QString PortProblem::detail() const {
    if (device.isEmpty() && cause != None)
        return QStringLiteral("No serial port chosen");
    switch (cause) {
    case None:
        return QString();
    case NoSuchDevice:
        return QStringLiteral("Cannot open %1: no such device").arg(device);
    case InUse:
        return QStringLiteral("Cannot open %1: it is in use by another program").arg(device);
    case PermissionDenied:
#ifdef Q_OS_LINUX
        return QStringLiteral("Cannot open %1: permission denied (the user must be in the "
                              "dialout group: sudo usermod -aG dialout $USER, then log in again)")
            .arg(device);
#else
        return QStringLiteral("Cannot open %1: permission denied").arg(device);
#endif
    case Lost:
        return QStringLiteral("%1 stopped working while in use (%2)").arg(device, systemText);
    case Other:
        break;
    }
    return QStringLiteral("Cannot open %1: %2").arg(device, systemText);
}

PortProblem diagnoseOpenFailure(const QString& device, QSerialPort::SerialPortError error,
                                const QString& systemText) {
    PortProblem problem;
    problem.device = device;
    problem.systemText = systemText;
#ifdef Q_OS_UNIX
    const bool named = device.startsWith(QLatin1Char('/'));
    const QFileInfo file(device);
    if (named && !file.exists()) {
        problem.cause = PortProblem::NoSuchDevice;
        return problem;
    }
    if (named && !(file.isReadable() && file.isWritable())) {
        problem.cause = PortProblem::PermissionDenied;
        return problem;
    }
    // The device is there and we may use it: a refusal now means that
    // another program holds its lock.
    const PortProblem::Cause refused = named ? PortProblem::InUse : PortProblem::PermissionDenied;
#else
    const PortProblem::Cause refused = PortProblem::InUse; // Windows: a busy port is "denied"
#endif
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        problem.cause = PortProblem::NoSuchDevice;
        break;
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        problem.cause = refused;
        break;
    default:
        problem.cause = PortProblem::Other;
        break;
    }
    return problem;
}

PortProblem lostPort(const QString& device, const QString& systemText) {
    PortProblem problem;
    problem.cause = PortProblem::Lost;
    problem.device = device;
    problem.systemText = systemText;
    return problem;
}

} // namespace rz

// The serial transport over Qt's serial port (Linux and other Unix systems).
#include "link/cancel_token.h"
#include "link/link.h"
#include "link/serial_transport.h"

#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

namespace rz {

namespace {

bool isFailure(QSerialPort::SerialPortError error) {
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

OpenRefusal refusalOf(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return OpenRefusal::NotFound;
    case QSerialPort::PermissionError:
    case QSerialPort::OpenError:
        return OpenRefusal::Refused;
    default:
        return OpenRefusal::Other;
    }
}

class QtSerialTransport final : public SerialTransport {
public:
    explicit QtSerialTransport(const QString& device) : device_(device) {
        // The device itself: a link to it must take the same lock.
        port_.setPortName(devicePath(device));
        port_.setBaudRate(Link::BaudRate);
        port_.setDataBits(QSerialPort::Data8);
        port_.setParity(QSerialPort::NoParity);
        port_.setStopBits(QSerialPort::OneStop);
        port_.setFlowControl(QSerialPort::NoFlowControl);

        // The wait for more: any arrival, a failure of the port, the reply
        // timer and a cancel end one pass of it.
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, &loop_, &QEventLoop::quit);
        QObject::connect(&port_, &QSerialPort::readyRead, &loop_, &QEventLoop::quit);
        QObject::connect(&port_, &QSerialPort::errorOccurred, &loop_,
                         [this](QSerialPort::SerialPortError error) {
                             if (isFailure(error)) {
                                 failed_ = true;
                                 loop_.quit();
                             }
                         });
    }

    bool open(PortProblem& problem) override {
        if (port_.isOpen())
            return true;
        failed_ = false;
        if (port_.open(QIODevice::ReadWrite))
            return true;
        problem = diagnoseOpenFailure(device_, refusalOf(port_.error()), port_.errorString());
        port_.clearError();
        return false;
    }

    void close() override {
        if (port_.isOpen())
            port_.close();
        port_.clearError();
    }

    bool isOpen() const override { return port_.isOpen(); }

    void pull() override {
        port_.waitForReadyRead(0);
        if (port_.error() == QSerialPort::TimeoutError)
            port_.clearError();
    }

    qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
    QByteArray readAll() override { return port_.readAll(); }

    void discardInput() override {
        pull();
        port_.clear(QSerialPort::Input);
        port_.readAll();
    }

    bool write(const QByteArray& frame) override {
        if (port_.write(frame) != frame.size()) {
            failed_ = true;
            return false;
        }
        port_.flush();
        return !hasFailed();
    }

    bool drain(int timeoutMs) override {
        bool written = true;
        while (written && port_.bytesToWrite() > 0)
            written = port_.waitForBytesWritten(timeoutMs);
        return written && !hasFailed();
    }

    Wait waitForMore(const QDeadlineTimer& deadline, CancelToken& cancel) override {
        const qint64 had = port_.bytesAvailable();
        cancel.attach(&loop_);
        if (!cancel.isCancelled()) { // a cancel from now on quits the loop
            timer_.start(int(std::max<qint64>(deadline.remainingTime(), 0)));
            loop_.exec();
            timer_.stop();
        }
        cancel.detach();
        if (hasFailed())
            return Wait::Failed;
        if (cancel.isCancelled())
            return Wait::Cancelled;
        return port_.bytesAvailable() > had ? Wait::Arrived : Wait::TimedOut;
    }

    bool hasFailed() const override { return failed_ || isFailure(port_.error()); }
    QString errorText() const override { return port_.errorString(); }

private:
    QString device_;
    QSerialPort port_;
    QEventLoop loop_;
    QTimer timer_;
    bool failed_ = false;
};

} // namespace

std::unique_ptr<SerialTransport> makeSerialTransport(const QString& device) {
    return std::make_unique<QtSerialTransport>(device);
}

} // namespace rz

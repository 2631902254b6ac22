#include "link/link.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QSerialPort>
#include <QTimer>

#include <chrono>

namespace rz {

namespace {

// Time one byte takes on the wire: start bit, eight data bits, stop bit.
constexpr std::chrono::microseconds wireTime(qint64 bytes) {
    return std::chrono::microseconds(bytes * 10 * 1000000 / Link::BaudRate);
}

// A pause in the middle of a reply ends this long before its last byte is
// due; the rest is awaited as it comes (and a reply still coming then marks
// the line as slow). When less than this is missing, nothing is paused: the
// last piece of a reply is awaited as it comes, not slept past.
constexpr std::chrono::microseconds WakeMargin(2000);

bool isFailure(QSerialPort::SerialPortError error) {
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

} // namespace

Link::Link(const QString& device, CancelToken* cancel)
    : device_(device), cancel_(cancel ? cancel : &ownToken_),
      port_(std::make_unique<QSerialPort>()) {
    // The device itself: a link to it must take the same lock.
    port_->setPortName(devicePath(device));
    port_->setBaudRate(BaudRate);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);

    // The wait for a reply: any arrival, a failure of the port, the reply
    // timer and a cancel end one pass of it.
    loop_ = std::make_unique<QEventLoop>();
    timer_ = std::make_unique<QTimer>();
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer_.get(), &QTimer::timeout, loop_.get(), &QEventLoop::quit);
    QObject::connect(port_.get(), &QSerialPort::readyRead, loop_.get(), &QEventLoop::quit);
    QObject::connect(port_.get(), &QSerialPort::errorOccurred, loop_.get(),
                     [this](QSerialPort::SerialPortError error) {
                         if (isFailure(error)) {
                             failed_ = true;
                             loop_->quit();
                         }
                     });
}

Link::~Link() {
    close();
}

bool Link::open(PortProblem& problem) {
    if (port_->isOpen())
        return true;
    QElapsedTimer clock;
    clock.start();
    const bool opened = port_->open(QIODevice::ReadWrite);
    openCloseNsecs_ += clock.nsecsElapsed();
    if (opened)
        return true;
    problem = diagnoseOpenFailure(device_, port_->error(), port_->errorString());
    port_->clearError();
    return false;
}

bool Link::isOpen() const {
    return port_->isOpen();
}

void Link::close() {
    if (port_->isOpen()) {
        QElapsedTimer clock;
        clock.start();
        port_->close();
        openCloseNsecs_ += clock.nsecsElapsed();
    }
    port_->clearError();
}

PortProblem Link::failure() const {
    return lostPort(device_, port_->errorString());
}

// Blocks for the given time unless cancelled, then takes what has come;
// false when there was nothing to wait for or the wait was cancelled.
bool Link::pause(std::chrono::microseconds duration, const Deadline& deadline) {
    const auto left = std::chrono::microseconds(deadline.remainingTimeNSecs() / 1000);
    duration = std::min(duration, left);
    if (duration.count() <= 0 || !cancel_->sleepFor(duration))
        return false;
    pull();
    return true;
}

// Moves whatever the system has received into the port's buffer without
// waiting.
void Link::pull() {
    port_->waitForReadyRead(0);
    if (port_->error() == QSerialPort::TimeoutError)
        port_->clearError();
}

Reply Link::exchange(const QByteArray& frame, int expectedLength, Deadline deadline,
                     const std::function<void()>& sent) {
    Reply reply;
    if (isCancelled()) {
        reply.status = Reply::Cancelled;
        return reply;
    }
    if (!open(reply.problem)) {
        reply.status = Reply::PortFailed;
        return reply;
    }

    failed_ = false;
    cancel_->attach(loop_.get());
    // Whatever waits on the line now answers an earlier command (a reply
    // that came after its timer ran out): it is not this command's reply.
    pull();
    port_->clear(QSerialPort::Input);
    port_->readAll();

    if (port_->write(frame) != frame.size())
        failed_ = true;
    else
        port_->flush();
    if (sent && !failed_)
        sent();

    // On a line that runs at its baud rate the reply cannot be complete
    // before the frame and the reply have crossed it: wait that long without
    // waking for every few bytes. (A pseudo-terminal answers at once; a line
    // is taken as slow once a reply was still coming after a pause.) Waking
    // when the last byte is due measured best: later adds to every exchange,
    // earlier wakes once for every byte still to come.
    const bool pace = slowLine_;
    if (pace && !failed_)
        pause(wireTime(frame.size() + expectedLength), deadline);

    for (;;) {
        if (failed_ || isFailure(port_->error())) {
            reply.status = Reply::PortFailed;
            reply.problem = failure();
            break;
        }
        const qint64 have = port_->bytesAvailable();
        if (have >= expectedLength) {
            pull();
            reply.bytes = port_->readAll();
            reply.status = Reply::Complete;
            break;
        }
        if (isCancelled()) {
            reply.status = Reply::Cancelled;
            break;
        }
        if (deadline.hasExpired()) {
            reply.status = Reply::TimedOut;
            break;
        }
        if (have > 0) {
            // Part of the reply is here. Unless the rest is already waiting,
            // it cannot arrive faster than the line carries it: pause for
            // about that long, then take what has come.
            pull();
            if (port_->bytesAvailable() > have)
                continue;
            if (pause(wireTime(expectedLength - have) - WakeMargin, deadline)) {
                slowLine_ = slowLine_ || port_->bytesAvailable() < expectedLength;
                if (port_->bytesAvailable() > have)
                    continue;
            }
        }
        timer_->start(int(std::max<qint64>(deadline.remainingTime(), 0)));
        loop_->exec();
        timer_->stop();
    }
    cancel_->detach();
    if (reply.status == Reply::TimedOut && port_->isOpen())
        port_->readAll(); // whatever came is discarded
    close();
    return reply;
}

Reply Link::send(const QByteArray& frame) {
    Reply reply;
    if (!open(reply.problem)) {
        reply.status = Reply::PortFailed;
        return reply;
    }
    bool written = port_->write(frame) == frame.size();
    while (written && port_->bytesToWrite() > 0)
        written = port_->waitForBytesWritten(ReplyTimeoutMs);
    if (written && !isFailure(port_->error())) {
        reply.status = Reply::Complete;
    } else {
        reply.status = Reply::PortFailed;
        reply.problem = failure();
    }
    close();
    return reply;
}

} // namespace rz

#include "link/link.h"
#include "link/serial_transport.h"

#include <QElapsedTimer>

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

} // namespace

Link::Link(const QString& device, CancelToken* cancel)
    : device_(device), cancel_(cancel ? cancel : &ownToken_), port_(makeSerialTransport(device)) {}

Link::~Link() {
    close();
}

bool Link::open(PortProblem& problem) {
    if (port_->isOpen())
        return true;
    QElapsedTimer clock;
    clock.start();
    const bool opened = port_->open(problem);
    openCloseNsecs_ += clock.nsecsElapsed();
    return opened;
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
    } else {
        port_->close();
    }
}

PortProblem Link::failure() const {
    return lostPort(device_, port_->errorText());
}

// Blocks for the given time unless cancelled, then takes what has come;
// false when there was nothing to wait for or the wait was cancelled.
bool Link::pause(std::chrono::microseconds duration, const Deadline& deadline) {
    const auto left = std::chrono::microseconds(deadline.remainingTimeNSecs() / 1000);
    duration = std::min(duration, left);
    if (duration.count() <= 0 || !cancel_->sleepFor(duration))
        return false;
    port_->pull();
    return true;
}

// Waits until at least expectedLength bytes are in, the reply timer runs
// out, the port fails or the operation is cancelled.
Reply::Status Link::collect(int expectedLength, const Deadline& deadline) {
    for (;;) {
        if (port_->hasFailed())
            return Reply::PortFailed;
        const qint64 have = port_->bytesAvailable();
        if (have >= expectedLength)
            return Reply::Complete;
        if (isCancelled())
            return Reply::Cancelled;
        if (deadline.hasExpired())
            return Reply::TimedOut;
        if (have > 0) {
            // Part of the reply is here. Unless the rest is already waiting,
            // it cannot arrive faster than the line carries it: pause for
            // about that long, then take what has come.
            port_->pull();
            if (port_->bytesAvailable() > have)
                continue;
            if (pause(wireTime(expectedLength - have) - WakeMargin, deadline)) {
                slowLine_ = slowLine_ || port_->bytesAvailable() < expectedLength;
                if (port_->bytesAvailable() > have)
                    continue;
            }
        }
        port_->waitForMore(deadline, *cancel_);
    }
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

    // Whatever waits on the line now answers an earlier command (a reply
    // that came after its timer ran out): it is not this command's reply.
    port_->discardInput();

    const bool written = port_->write(frame);
    if (sent && written)
        sent();

    // On a line that runs at its baud rate the reply cannot be complete
    // before the frame and the reply have crossed it: wait that long without
    // waking for every few bytes. (A pseudo-terminal answers at once; a line
    // is taken as slow once a reply was still coming after a pause.) Waking
    // when the last byte is due measured best: later adds to every exchange,
    // earlier wakes once for every byte still to come.
    if (slowLine_ && written)
        pause(wireTime(frame.size() + expectedLength), deadline);

    reply.status = collect(expectedLength, deadline);
    if (reply.status == Reply::Complete) {
        port_->pull();
        reply.bytes = port_->readAll();
    } else if (reply.status == Reply::PortFailed) {
        reply.problem = failure();
    } else if (reply.status == Reply::TimedOut) {
        port_->readAll(); // whatever came is discarded
    }
    close();
    return reply;
}

Reply Link::send(const QByteArray& frame) {
    Reply reply;
    if (!open(reply.problem)) {
        reply.status = Reply::PortFailed;
        return reply;
    }
    if (port_->write(frame) && port_->drain(ReplyTimeoutMs)) {
        reply.status = Reply::Complete;
    } else {
        reply.status = Reply::PortFailed;
        reply.problem = failure();
    }
    close();
    return reply;
}

} // namespace rz

#pragma once
// The serial link to the receiver: one command frame out, one reply back.
//
// The port is opened by each command and closed again after the complete
// reply or the time-out, so the next command opens it anew. A wait ends when
// at least the expected number of bytes has arrived (everything waiting is
// then taken as the reply), when the reply timer runs out (the reply is
// empty), when the port fails, or at once when the operation is cancelled.
// Waiting blocks the calling thread; nothing spins.
#include "link/cancel_token.h"
#include "link/port_problem.h"
#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

namespace rz {

class SerialTransport;

// The reply timer of one exchange: QDeadlineTimer(ReplyTimeoutMs) and so on.
using Deadline = QDeadlineTimer;

struct Reply {
    enum Status { Complete, TimedOut, PortFailed, Cancelled };
    Status status = TimedOut;
    QByteArray bytes;    // the reply; empty unless Complete
    PortProblem problem; // why, when PortFailed

    bool isComplete() const { return status == Complete; }
};

class Link {
public:
    static constexpr int BaudRate = 57600;
    static constexpr int ReplyTimeoutMs = 1000;      // the reply timer
    static constexpr int MemoryInitTimeoutMs = 7000; // the reply timer for "ZT~IM"

    // device: a path ("/dev/ttyUSB0", "/dev/pts/3") or a system port name
    // ("COM3" on Windows). The cancel token is the closing flag; it may be
    // null (nothing cancels).
    explicit Link(const QString& device, CancelToken* cancel = nullptr);
    ~Link();
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    // Sends frame and collects the reply: see above. `sent`, when given,
    // runs once the frame has been handed to the port, before the wait.
    Reply exchange(const QByteArray& frame, int expectedLength, Deadline deadline,
                   const std::function<void()>& sent = {});
    // Sends a frame whose reply is neither awaited nor read (the reset):
    // opens the port, writes, closes. Complete or PortFailed.
    Reply send(const QByteArray& frame);

    bool isCancelled() const { return cancel_->isCancelled(); }
    const QString& device() const { return device_; }
    void close();
    // Whether the port is open now (between a command and its reply).
    bool isOpen() const;
    // Time spent so far in opening and closing the port (the benchmark
    // separates it from the waiting).
    qint64 portOpenCloseNsecs() const { return openCloseNsecs_; }

private:
    bool open(PortProblem& problem);
    PortProblem failure() const;
    bool pause(std::chrono::microseconds duration, const Deadline& deadline);
    Reply::Status collect(int expectedLength, const Deadline& deadline);

    QString device_;
    CancelToken ownToken_; // when nobody cancels: still the way to pause
    CancelToken* cancel_;
    std::unique_ptr<SerialTransport> port_;
    qint64 openCloseNsecs_ = 0;
    bool slowLine_ = false; // replies come at the line's pace
};

} // namespace rz

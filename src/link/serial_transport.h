#pragma once
// One serial device as the link uses it: open at the receiver's line
// settings (57600 baud, 8 data bits, no parity, one stop bit, no flow
// control), bytes out, bytes in, and a wait for more that ends at the reply
// timer, on a failure of the port or at once on a cancel. The exchange
// itself (late replies, pacing, time-outs) is the link's; this only moves
// bytes. Each system has its own: the POSIX terminal interface on Linux,
// the Win32 communications API on Windows.
#include "link/port_problem.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <memory>
#include <utility>

namespace rz {

class CancelToken;

class SerialTransport {
public:
    enum class Wait { Arrived, TimedOut, Failed, Cancelled };

    virtual ~SerialTransport() = default;

    virtual bool open(PortProblem& problem) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Moves whatever the system has received into the buffer, without
    // waiting.
    virtual void pull() = 0;
    qint64 bytesAvailable() const { return received_.size(); }
    QByteArray readAll() { return std::exchange(received_, QByteArray()); }
    // Drops everything received so far, the system's own queue included.
    virtual void discardInput() = 0;

    // Hands the frame to the system; false when the port failed.
    virtual bool write(const QByteArray& frame) = 0;
    // Blocks until everything written has left, up to timeoutMs.
    virtual bool drain(int timeoutMs) = 0;

    // Blocks until more bytes have arrived, the deadline has passed, the
    // port has failed or the token is cancelled (seen within one slice).
    Wait waitForMore(const QDeadlineTimer& deadline, CancelToken& cancel);

    // Whether the port failed since it was opened, and the system's words.
    virtual bool hasFailed() const = 0;
    virtual QString errorText() const = 0;

protected:
    // The longest one wait of the system lasts: how soon a cancel is seen.
    static constexpr int SliceMs = 20;

    // Waits up to sliceMs for bytes and takes them into received_; false
    // when none came (or the port failed).
    virtual bool waitSlice(int sliceMs) = 0;

    QByteArray received_; // taken from the system, not yet read
};

// The device: a path ("/dev/ttyUSB0") on Linux, a port name ("COM5") on
// Windows.
std::unique_ptr<SerialTransport> makeSerialTransport(const QString& device);

} // namespace rz

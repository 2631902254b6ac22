// The serial transport over the POSIX terminal interface (Linux and other
// Unix systems). The link opens the port for every exchange, so an open is
// kept to what it needs: the lock file, the device in exclusive mode and its
// line settings written only when they differ.
#include "link/cancel_token.h"
#include "link/link.h"
#include "link/posix_port_lock.h"
#include "link/serial_transport.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace rz {

namespace {

static_assert(Link::BaudRate == 57600, "the line speed is B57600");

OpenRefusal refusalOf(int error) {
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return OpenRefusal::NotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
        return OpenRefusal::Refused;
    default:
        return OpenRefusal::Other;
    }
}

// 57600 baud, 8 data bits, no parity, one stop bit, no flow control, raw.
// A read without data says EAGAIN, and one of 0 bytes means a hang-up.
termios lineSettings(const termios& current) {
    termios t = current;
    cfmakeraw(&t);
    t.c_cflag &= ~tcflag_t(CSIZE | CSTOPB | PARENB | CRTSCTS);
#ifdef CIBAUD
    t.c_cflag &= ~tcflag_t(CIBAUD); // no input speed of its own
#endif
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    cfsetispeed(&t, B57600);
    cfsetospeed(&t, B57600);
    return t;
}

bool sameSettings(const termios& a, const termios& b) {
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag &&
           a.c_lflag == b.c_lflag && a.c_cc[VMIN] == b.c_cc[VMIN] &&
           a.c_cc[VTIME] == b.c_cc[VTIME] && cfgetispeed(&a) == cfgetispeed(&b) &&
           cfgetospeed(&a) == cfgetospeed(&b);
}

class PosixSerialTransport final : public SerialTransport {
public:
    // The device itself: a link to it must take the same lock.
    explicit PosixSerialTransport(const QString& device)
        : device_(device), path_(devicePath(device)) {}
    ~PosixSerialTransport() override { close(); }

    bool open(PortProblem& problem) override {
        if (isOpen())
            return true;
        failed_ = false;
        error_ = 0;
        switch (lock_.acquire(path_)) {
        case PortLock::Outcome::Locked:
            break;
        case PortLock::Outcome::Held:
            problem = diagnoseOpenFailure(device_, OpenRefusal::Refused, qt_error_string(EBUSY));
            return false;
        case PortLock::Outcome::LeftBehind:
            problem = diagnoseOpenFailure(
                device_, OpenRefusal::Other,
                QStringLiteral("its lock file %1 is left from a program that has ended, and "
                               "this user may not remove it")
                    .arg(lock_.filePath()));
            return false;
        }
        fd_ = ::open(QFile::encodeName(path_).constData(),
                     O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (fd_ < 0) {
            const int error = errno;
            lock_.release();
            problem = diagnoseOpenFailure(device_, refusalOf(error), qt_error_string(error));
            return false;
        }
        if (!configure()) {
            const int error = errno;
            close();
            problem = diagnoseOpenFailure(device_, OpenRefusal::Other, qt_error_string(error));
            return false;
        }
        return true;
    }

    void close() override {
        if (isOpen()) {
            // Exclusive mode outlives the descriptor on a pseudo-terminal.
            // One that another program set (root opens through it) stays.
            if (madeExclusive_)
                ioctl(fd_, TIOCNXCL);
            ::close(fd_);
            fd_ = -1;
        }
        lock_.release();
        received_.clear();
    }

    bool isOpen() const override { return fd_ >= 0; }

    void pull() override {
        char chunk[4096];
        while (isOpen() && !failed_) {
            const ssize_t got = ::read(fd_, chunk, sizeof chunk);
            if (got > 0) {
                received_.append(chunk, int(got));
                if (size_t(got) < sizeof chunk)
                    return; // that was all there is
            } else if (got == 0) {
                fail(EIO); // hung up
            } else if (errno != EINTR) {
                if (errno != EAGAIN)
                    fail(errno);
                return;
            }
        }
    }

    void discardInput() override {
        if (isOpen())
            tcflush(fd_, TCIFLUSH);
        received_.clear();
    }

    bool write(const QByteArray& frame) override {
        const QDeadlineTimer deadline(Link::ReplyTimeoutMs);
        qint64 done = 0;
        while (isOpen() && !failed_ && done < frame.size()) {
            const ssize_t n = ::write(fd_, frame.constData() + done, size_t(frame.size() - done));
            if (n > 0)
                done += n;
            else if (n < 0 && errno == EINTR)
                continue;
            else if ((n == 0 || errno == EAGAIN) && !deadline.hasExpired())
                waitFor(POLLOUT, int(std::min<qint64>(deadline.remainingTime(), SliceMs)));
            else
                fail(n == 0 || errno == EAGAIN ? ETIMEDOUT : errno);
        }
        if (!isOpen())
            fail(EBADF);
        return !failed_;
    }

    bool drain(int timeoutMs) override {
        const QDeadlineTimer deadline(timeoutMs);
        int queued = 0;
        while (isOpen() && !failed_) {
            if (ioctl(fd_, TIOCOUTQ, &queued) != 0)
                fail(errno);
            else if (queued == 0)
                return true;
            else if (deadline.hasExpired())
                fail(ETIMEDOUT);
            else
                usleep(1000);
        }
        return false;
    }

    bool hasFailed() const override { return failed_; }
    QString errorText() const override { return qt_error_string(error_); }

private:
    bool waitSlice(int sliceMs) override {
        const short events = waitFor(POLLIN, sliceMs);
        if (events == 0)
            return false;
        const qint64 had = received_.size();
        pull();
        if (received_.size() > had)
            return true;
        if (events & (POLLHUP | POLLERR | POLLNVAL))
            fail(EIO);
        return false;
    }

    bool configure() {
        int exclusive = 0;
        madeExclusive_ = false;
#ifdef TIOCGEXCL
        if (ioctl(fd_, TIOCGEXCL, &exclusive) != 0)
            exclusive = 0;
#endif
        if (!exclusive) {
            if (ioctl(fd_, TIOCEXCL) != 0)
                return false;
            madeExclusive_ = true;
        }
        termios current{};
        if (tcgetattr(fd_, &current) != 0)
            return false;
        const termios wanted = lineSettings(current);
        return sameSettings(current, wanted) || tcsetattr(fd_, TCSANOW, &wanted) == 0;
    }

    // The events that came on the device within timeoutMs; 0 for none.
    short waitFor(short events, int timeoutMs) {
        pollfd p{fd_, events, 0};
        const int n = poll(&p, 1, timeoutMs);
        if (n < 0 && errno != EINTR)
            fail(errno);
        return n > 0 ? p.revents : 0;
    }

    void fail(int error) {
        error_ = error;
        failed_ = true;
    }

    QString device_;
    QString path_;
    PortLock lock_;
    int fd_ = -1;
    int error_ = 0;
    bool failed_ = false;
    bool madeExclusive_ = false;
};

} // namespace

std::unique_ptr<SerialTransport> makeSerialTransport(const QString& device) {
    return std::make_unique<PosixSerialTransport>(device);
}

} // namespace rz

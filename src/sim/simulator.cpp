#include "sim/simulator.h"

#include "files/text_lines.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace rz::sim {

// The simulator reads and writes the protocol with its own few helpers, not
// the program's frame and hex code: the tests use it as an independent
// receiver, so a fault in the program's framing cannot hide itself here.
namespace {

using Clock = std::chrono::steady_clock;
// One byte at 57600 baud: start bit, eight data bits, stop bit.
constexpr auto ByteTime = std::chrono::nanoseconds(10LL * 1000000000LL / 57600);
// A paced reply is handed over in pieces of this many bytes, as a serial
// adapter passes on what its line has received.
constexpr int PacedChunk = 8;
constexpr int MaxFrame = 4096;

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1; // the program always sends upper-case digits
}

bool parseHex(const QByteArray& text, int from, int digits, quint32& value) {
    value = 0;
    for (int i = from; i < from + digits; ++i) {
        const int v = hexValue(text.at(i));
        if (v < 0)
            return false;
        value = value * 16 + quint32(v);
    }
    return true;
}

QByteArray toHex(const QByteArray& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    QByteArray text;
    text.reserve(bytes.size() * 2);
    for (char b : bytes) {
        text += digits[quint8(b) >> 4];
        text += digits[quint8(b) & 0x0F];
    }
    return text;
}

QByteArray identificationText(Region region) {
    switch (region) {
    case Region::J:
        return "ZT~RZ-V70";
    case Region::E:
        return "ZT~RZ-V70E";
    case Region::T:
        break;
    }
    return "ZT~RZ-V70T";
}

// Bytes that cross between the simulator's thread and its callers are
// copied whole, never shared: an implicitly shared buffer decides whether to
// copy on write from a relaxed reference count, which orders nothing between
// the two threads.
QByteArray unshared(const QByteArray& bytes) {
    return QByteArray(bytes.constData(), bytes.size());
}

} // namespace

struct Simulator::State {
    mutable std::mutex mutex;
    mutable std::condition_variable logChanged;
    QByteArray memory = QByteArray(MemorySize, '\0');
    Region region = Region::E;
    std::atomic<bool> paced{false};
    std::vector<FaultRule> faults;
    QList<QByteArray> log;
    std::function<void(const QByteArray&)> observer;

    int master = -1;
    int slave = -1;
    int wake[2] = {-1, -1};
    QString path;
    std::thread thread;
    std::atomic<bool> stopping{false};
    std::atomic<bool> running{false};
    std::mutex sleepMutex;
    std::condition_variable sleepWake;

    void loop();
    void handle(const QByteArray& frame, Clock::time_point arrival);
    QByteArray answer(const QByteArray& frame);               // under mutex
    bool takeFault(const QByteArray& frame, FaultRule& rule); // under mutex
    bool sleepUntil(Clock::time_point when);
    void send(const QByteArray& reply, Clock::time_point from);
    void closeTerminal();
};

bool Simulator::State::sleepUntil(Clock::time_point when) {
    std::unique_lock<std::mutex> lock(sleepMutex);
    return !sleepWake.wait_until(lock, when, [this] { return stopping.load(); });
}

void Simulator::State::closeTerminal() {
    if (master >= 0)
        ::close(master);
    if (slave >= 0)
        ::close(slave);
    master = slave = -1;
    running = false;
}

bool Simulator::State::takeFault(const QByteArray& frame, FaultRule& rule) {
    for (auto it = faults.begin(); it != faults.end(); ++it) {
        if (!frame.startsWith(it->prefix))
            continue;
        if (it->skip > 0) {
            --it->skip;
            return false;
        }
        rule = *it;
        it->skip = std::max(0, it->every - 1);
        if (it->count > 0 && --it->count == 0)
            faults.erase(it);
        return true;
    }
    return false;
}

QByteArray Simulator::State::answer(const QByteArray& frame) {
    const QByteArray body = frame.chopped(1);
    QByteArray payload;
    if (body == "ZT~RZ-V70" || body == "ZT~RZ-V70E" || body == "ZT~RZ-V70T") {
        payload = body == identificationText(region) ? "OK" : "NG";
    } else if (body == "ZT~IM") {
        memory.replace(ChannelAreaBegin, ChannelAreaEnd - ChannelAreaBegin,
                       QByteArray(ChannelAreaEnd - ChannelAreaBegin, '\0'));
        payload = "OK";
    } else if (body.startsWith("ZT~F") && body.size() >= 10) {
        quint32 address = 0;
        if (!parseHex(body, 4, 5, address))
            return QByteArray();
        if (body.at(9) == 'R' && body.size() == 10) {
            QByteArray block(64, '\0');
            for (int i = 0; i < 64; ++i)
                block[i] = memory.at(int((address + quint32(i)) % MemorySize));
            payload = toHex(block);
        } else if (body.at(9) == 'W' && (body.size() - 10) % 2 == 0) {
            const int count = (body.size() - 10) / 2;
            QByteArray data(count, '\0');
            for (int i = 0; i < count; ++i) {
                quint32 byte = 0;
                if (!parseHex(body, 10 + 2 * i, 2, byte))
                    return QByteArray();
                data[i] = char(byte);
            }
            for (int i = 0; i < count; ++i)
                memory[int((address + quint32(i)) % MemorySize)] = data.at(i);
            payload = "OK";
        } else {
            return QByteArray();
        }
    } else {
        return QByteArray(); // "ZT~RESET" and anything unknown: no answer
    }
    return frame + "\r\n" + payload + "\r\n";
}

void Simulator::State::send(const QByteArray& reply, Clock::time_point from) {
    int done = 0;
    while (done < reply.size() && !stopping && master >= 0) {
        int piece = reply.size() - done;
        if (paced) {
            piece = std::min(piece, PacedChunk);
            if (!sleepUntil(from + ByteTime * (done + piece)))
                return;
        }
        const ssize_t n = ::write(master, reply.constData() + done, size_t(piece));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return; // nobody takes it: the line drops the rest
        done += int(n);
    }
}

void Simulator::State::handle(const QByteArray& frame, Clock::time_point arrival) {
    std::function<void(const QByteArray&)> notify;
    FaultRule rule;
    bool faulty = false;
    QByteArray reply;
    {
        std::lock_guard<std::mutex> lock(mutex);
        log.append(frame);
        notify = observer;
        faulty = takeFault(frame, rule);
        if (!(faulty && rule.fault == Fault::Disconnect))
            reply = answer(frame);
    }
    logChanged.notify_all();
    if (notify)
        notify(frame);

    if (faulty) {
        switch (rule.fault) {
        case Fault::Disconnect:
            closeTerminal();
            return;
        case Fault::Drop:
            return;
        case Fault::SwapEnding:
            if (reply.size() >= 2)
                std::swap(reply[reply.size() - 1], reply[reply.size() - 2]);
            break;
        case Fault::NoOk:
            if (reply.endsWith("OK\r\n"))
                reply.replace(reply.size() - 4, 2, "NG");
            break;
        case Fault::OneShort:
            reply.chop(1);
            break;
        case Fault::OneLong:
            reply += '\n';
            break;
        case Fault::Delay:
            if (!sleepUntil(Clock::now() + std::chrono::milliseconds(rule.delayMs)))
                return;
            arrival = Clock::now();
            break;
        }
    }
    if (reply.isEmpty())
        return;
    if (paced && !sleepUntil(arrival))
        return;
    send(reply, arrival);
}

void Simulator::State::loop() {
    // Paced bytes leave on time, not up to the scheduler's default slack late.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    QByteArray pending;
    Clock::time_point lineFree = Clock::now();
    char buffer[4096];
    while (!stopping && master >= 0) {
        pollfd fds[2] = {{master, POLLIN, 0}, {wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[1].revents != 0)
            break;
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n < 0 && (errno == EINTR || errno == EAGAIN))
            continue;
        if (n <= 0) {
            // No program has the terminal open; wait for the next one.
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        const Clock::time_point now = Clock::now();
        for (ssize_t i = 0; i < n; ++i) {
            if (paced)
                lineFree = std::max(now, lineFree) + ByteTime;
            pending += buffer[i];
            if (buffer[i] == '\r') {
                const QByteArray frame = pending;
                pending.clear();
                handle(frame, paced ? lineFree : now);
                if (master < 0)
                    break;
            } else if (pending.size() > MaxFrame) {
                pending.clear();
            }
        }
    }
}

Simulator::Simulator() : d(std::make_unique<State>()) {}

Simulator::~Simulator() {
    stop();
}

bool Simulator::start() {
    if (d->running)
        return true;
    char name[256] = {};
    termios raw{};
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B57600);
    ::cfsetospeed(&raw, B57600);
    if (::openpty(&d->master, &d->slave, name, &raw, nullptr) != 0)
        return false;
    // The simulator keeps the terminal's other end open so that it stays
    // usable while the program closes and opens its port between commands.
    ::fcntl(d->master, F_SETFL, ::fcntl(d->master, F_GETFL) | O_NONBLOCK);
    ::fcntl(d->master, F_SETFD, FD_CLOEXEC);
    ::fcntl(d->slave, F_SETFD, FD_CLOEXEC);
    if (::pipe(d->wake) != 0) {
        d->closeTerminal();
        return false;
    }
    d->path = QString::fromLocal8Bit(name);
    d->stopping = false;
    d->running = true;
    d->thread = std::thread([this] { d->loop(); });
    return true;
}

void Simulator::stop() {
    if (!d->thread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(d->sleepMutex);
        d->stopping = true;
    }
    d->sleepWake.notify_all();
    const char byte = 0;
    [[maybe_unused]] const ssize_t ignored = ::write(d->wake[1], &byte, 1);
    d->thread.join();
    d->closeTerminal();
    ::close(d->wake[0]);
    ::close(d->wake[1]);
    d->wake[0] = d->wake[1] = -1;
}

bool Simulator::isRunning() const {
    return d->running;
}

QString Simulator::devicePath() const {
    return d->path;
}

void Simulator::setRegion(Region region) {
    std::lock_guard<std::mutex> lock(d->mutex);
    d->region = region;
}

void Simulator::setPaced(bool paced) {
    d->paced = paced;
}

void Simulator::addFault(const FaultRule& rule) {
    std::lock_guard<std::mutex> lock(d->mutex);
    d->faults.push_back(rule);
}

void Simulator::clearFaults() {
    std::lock_guard<std::mutex> lock(d->mutex);
    d->faults.clear();
}

QByteArray Simulator::memory(quint32 address, int length) const {
    std::lock_guard<std::mutex> lock(d->mutex);
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i)
        bytes[i] = d->memory.at(int((address + quint32(i)) % MemorySize));
    return bytes;
}

void Simulator::setMemory(quint32 address, const QByteArray& bytes) {
    std::lock_guard<std::mutex> lock(d->mutex);
    for (int i = 0; i < bytes.size(); ++i)
        d->memory[int((address + quint32(i)) % MemorySize)] = bytes.at(i);
}

QByteArray Simulator::image() const {
    std::lock_guard<std::mutex> lock(d->mutex);
    return unshared(d->memory);
}

void Simulator::setImage(const QByteArray& image) {
    std::lock_guard<std::mutex> lock(d->mutex);
    d->memory = unshared(image.left(MemorySize));
    d->memory.append(QByteArray(MemorySize - d->memory.size(), '\0'));
}

bool Simulator::loadImage(const QString& path) {
    QString error;
    const QByteArray bytes = textfile::readFile(path, &error, MemorySize);
    if (!error.isEmpty())
        return false;
    setImage(bytes);
    return true;
}

bool Simulator::dumpImage(const QString& path) const {
    return textfile::saveFile(path, image(), nullptr);
}

QList<QByteArray> Simulator::receivedFrames() const {
    std::lock_guard<std::mutex> lock(d->mutex);
    QList<QByteArray> frames;
    frames.reserve(d->log.size());
    for (const QByteArray& frame : d->log)
        frames.append(unshared(frame));
    return frames;
}

int Simulator::receivedCount() const {
    std::lock_guard<std::mutex> lock(d->mutex);
    return int(d->log.size());
}

void Simulator::clearLog() {
    std::lock_guard<std::mutex> lock(d->mutex);
    d->log.clear();
}

bool Simulator::waitForFrames(int count, int timeoutMs) const {
    std::unique_lock<std::mutex> lock(d->mutex);
    return d->logChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                                  [&] { return d->log.size() >= count; });
}

void Simulator::setFrameObserver(std::function<void(const QByteArray&)> observer) {
    std::lock_guard<std::mutex> lock(d->mutex);
    d->observer = std::move(observer);
}

} // namespace rz::sim

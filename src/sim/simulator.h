#pragma once
// A receiver on a pseudo-terminal. It answers the frames of the protocol
// from a 1 MiB memory image, each with the frame as received, CR LF, the
// payload (block data in digits, or "OK"), CR LF; a frame it does not know
// gets no answer. It runs on a thread of its own, so a test can drive the
// program's real serial code against it from the test's thread.
//
// Faults make chosen replies go wrong; pacing makes both directions take as
// long as they would at 57600 baud. The simulator keeps the terminal open
// itself, so a reply that comes after the program has closed its port waits
// on the line for the program's next command.
#include "model/region.h"
#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <memory>

namespace rz::sim {

enum class Fault {
    Drop,       // no reply (the command still takes effect)
    SwapEnding, // the final CR LF comes as LF CR
    NoOk,       // "NG" where the reply says "OK"
    OneShort,   // the last byte of the reply is missing
    OneLong,    // one byte more than the reply has
    Delay,      // the reply comes delayMs late
    Disconnect, // the terminal is closed instead of answering
};

// Affects the replies to frames that start with `prefix` (all frames when it
// is empty): the first `skip` such frames are answered normally, then the
// next `count` (every one when count < 0) get the fault. With `every` above
// 1, each faulty reply is followed by every - 1 good ones: skip = every - 1
// makes it the N-th, 2N-th, ... reply.
struct FaultRule {
    Fault fault = Fault::Drop;
    QByteArray prefix;
    int skip = 0;
    int count = 1;
    int delayMs = 0;
    int every = 1;
};

class Simulator {
public:
    static constexpr int MemorySize = 0x100000;
    static constexpr int ChannelAreaBegin = 0x01200;
    static constexpr int ChannelAreaEnd = 0x1C040; // one past the last channel byte

    Simulator();
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Opens a pseudo-terminal and starts answering; false when no terminal
    // could be opened.
    bool start();
    // Stops answering and closes the terminal.
    void stop();
    bool isRunning() const;
    // The device the program opens, such as /dev/pts/4.
    QString devicePath() const;

    // The region whose identification is answered "OK" (E unless set); the
    // identification of another region is answered "NG".
    void setRegion(Region region);
    void setPaced(bool paced);

    void addFault(const FaultRule& rule);
    void clearFaults();

    QByteArray memory(quint32 address, int length) const;
    void setMemory(quint32 address, const QByteArray& bytes);
    QByteArray image() const;
    void setImage(const QByteArray& image); // shorter images are padded with 0x00
    bool loadImage(const QString& path);
    bool dumpImage(const QString& path) const;

    // Every complete frame received (CR included), in order.
    QList<QByteArray> receivedFrames() const;
    int receivedCount() const;
    void clearLog();
    // Blocks until `count` frames have been received or `timeoutMs` passed.
    bool waitForFrames(int count, int timeoutMs) const;
    // Called on the simulator's thread for every frame received.
    void setFrameObserver(std::function<void(const QByteArray&)> observer);

private:
    struct State;
    std::unique_ptr<State> d;
};

// A plausible data set: some 400 named channels in banks, program-scan
// edges, dual-watch pairs, priority and pass channels, the default bank
// layout, one-touch keys, bank links, eight user characters, settings away from their reset
// positions with the receiver in Japanese, and an opening message that slides; the image is
// MemorySize bytes.
QByteArray sampleImage();

} // namespace rz::sim

#pragma once
// One run of an operation against the simulated receiver, as the benchmarks
// measure it: elapsed and CPU time of the calling thread, the part spent
// opening and closing the port, and the bytes on the wire.
#include "link/link.h"
#include "link/operation.h"
#include "sim/simulator.h"

#include <QElapsedTimer>

#include <ctime>

namespace rz::bench {

inline double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

struct Run {
    double elapsed = 0;   // s
    double cpu = 0;       // s, this thread
    double openClose = 0; // s spent opening and closing the port
    int exchanges = 0;
    int memoryInits = 0; // "ZT~IM" frames, each a wait of the receiver's own
    qint64 wireBytes = 0;
    bool ok = false;

    // Seconds the bytes take at 57600 baud (ten bits a byte).
    double wireSeconds() const { return double(wireBytes) * 10 / 57600; }
};

// A frame and its reply on the wire: the frame, then the reply (the frame's
// echo, CR LF, the payload, CR LF); a block read's payload is 128 digits,
// any other "OK".
inline qint64 exchangeBytes(const QByteArray& frame) {
    const bool read = frame.size() == 11 && frame.startsWith("ZT~F") && frame.at(9) == 'R';
    return frame.size() + frame.size() + 2 + (read ? 128 : 2) + 2;
}

inline Run measure(sim::Simulator& sim, const Operation& op, OperationSink& sink) {
    sim.clearLog();
    Link link(sim.devicePath());
    QElapsedTimer clock;
    const double cpu0 = threadCpuSeconds();
    clock.start();
    const Outcome outcome = op.run(link, sink);
    Run r;
    r.elapsed = double(clock.nsecsElapsed()) * 1e-9;
    r.cpu = threadCpuSeconds() - cpu0;
    r.ok = outcome.kind == Outcome::Success;
    r.openClose = double(link.portOpenCloseNsecs()) * 1e-9;
    for (const QByteArray& frame : sim.receivedFrames()) {
        ++r.exchanges;
        r.wireBytes += exchangeBytes(frame);
        if (frame == "ZT~IM\r")
            ++r.memoryInits;
    }
    return r;
}

} // namespace rz::bench

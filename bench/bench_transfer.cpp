// Full channel read and write against the simulated receiver.
//
//  (a) unpaced: software time per exchange, port re-opened every time;
//  (b) paced at 57600 baud: elapsed time against the wire time of every
//      frame and reply;
//  (c) paced read: CPU time of the program's thread against elapsed time.
//
// The simulator answers on a thread of its own; the operation runs on the
// main thread, whose CPU time is the program's. Prints one line per figure:
//   name value unit target ratio
// Options: --quick (unpaced only), --no-write-paced.
#include "link/frames.h"
#include "link/link.h"
#include "model/memory_map.h"
#include "sim/simulator.h"
#include "transfer/memory_transfer.h"

#include "measure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSerialPort>

#include <cstdio>
#include <ctime>

using namespace rz;

namespace {

constexpr int Rows = memmap::ChannelCount;

using bench::Run;

Run measure(sim::Simulator& sim, const Operation& op) {
    OperationSink sink;
    return bench::measure(sim, op, sink);
}

void line(const char* name, double value, const char* unit, double target, bool lowerIsBetter) {
    const double ratio = lowerIsBetter ? value / target : target / value;
    std::printf("%-28s %10.4f %-6s target %-8g ratio %.3f %s\n", name, value, unit, target, ratio,
                ratio <= 1.0 ? "ok" : "MISSED");
    std::fflush(stdout);
}

// For comparison, a client on Qt's serial port that re-opens the port for
// every exchange: the same read with blocking waits (open, write, wait for
// 143 bytes, close), and the part of it that is the open and close alone
// (Qt's serial port writes, syncs and removes a lock file and sets the line
// up anew for every open).
struct Floor {
    double exchangeMs = 0;
    double reopenMs = 0;
};

Floor measureFloor(const QString& device, int times) {
    QSerialPort port(device);
    port.setBaudRate(57600);
    QElapsedTimer clock;
    qint64 total = 0, reopen = 0;
    for (int i = 0; i < times; ++i) {
        clock.start();
        port.open(QIODevice::ReadWrite);
        reopen += clock.nsecsElapsed();
        port.write(frames::blockRead(0x01200));
        port.flush();
        while (port.bytesAvailable() < frames::ReadReplyLength && port.waitForReadyRead(1000)) {
        }
        const qint64 waited = clock.nsecsElapsed();
        port.readAll();
        port.close();
        total += clock.nsecsElapsed();
        reopen += clock.nsecsElapsed() - waited;
    }
    return {double(total) * 1e-6 / times, double(reopen) * 1e-6 / times};
}

std::vector<RowRecord> fullTable(const QByteArray& image) {
    std::vector<RowRecord> rows;
    for (int r = 1; r <= Rows; ++r) {
        const quint32 a = memmap::channelAddress(memmap::rowToChannel(r));
        QByteArray rec = image.mid(int(a), 64);
        if (rec.at(0) == 0) // every row in use: a full write sends all 1721
            rec = image.mid(0x01200, 64);
        rows.push_back({r, rec});
    }
    return rows;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool quick = args.contains("--quick");
    const bool writePaced = !args.contains("--no-write-paced");

    sim::Simulator sim;
    if (!sim.start()) {
        std::fprintf(stderr, "bench_transfer: cannot open a pseudo-terminal\n");
        return 2;
    }
    const QByteArray image = sim::sampleImage();
    sim.setImage(image);
    const MemoryRead read(Region::E);
    const MemoryWrite write(Region::E, fullTable(image));

    std::printf("full channel transfers, %d rows\n", Rows);
    // (a) unpaced: warm-up, then the best of three.
    measure(sim, read);
    double bestRead = 1e9, bestWrite = 1e9, readOpenClose = 0, writeOpenClose = 0;
    for (int i = 0; i < 3; ++i) {
        const Run r = measure(sim, read);
        const Run w = measure(sim, write);
        if (!r.ok || !w.ok) {
            std::fprintf(stderr, "bench_transfer: a transfer failed\n");
            return 1;
        }
        if (r.elapsed * 1e3 / r.exchanges < bestRead) {
            bestRead = r.elapsed * 1e3 / r.exchanges;
            readOpenClose = r.openClose * 1e3 / r.exchanges;
        }
        if (w.elapsed * 1e3 / w.exchanges < bestWrite) {
            bestWrite = w.elapsed * 1e3 / w.exchanges;
            writeOpenClose = w.openClose * 1e3 / w.exchanges;
        }
    }
    line("read  unpaced per exchange", bestRead, "ms", 0.5, true);
    line("write unpaced per exchange", bestWrite, "ms", 0.5, true);
    std::printf("  of which opening and closing the port: read %.4f ms, write %.4f ms\n",
                readOpenClose, writeOpenClose);
    const Floor fast = measureFloor(sim.devicePath(), 500);
    std::printf("  Qt's serial port takes %.4f ms per exchange, %.4f ms of it to open and"
                " close\n",
                fast.exchangeMs, fast.reopenMs);
    if (quick)
        return 0;

    // (b), (c) paced at 57600 baud.
    sim.setPaced(true);
    const Floor slow = measureFloor(sim.devicePath(), 200);
    const double wireMs = (11 + 143) * 10.0 / 57600 * 1e3;
    std::printf("  Qt's serial port takes %.4f ms per paced read, %.4f ms of it to open and"
                " close; elapsed/wire %.4f\n",
                slow.exchangeMs, slow.reopenMs, slow.exchangeMs / wireMs);
    const Run r = measure(sim, read);
    const double readWire = r.wireSeconds();
    line("read  paced elapsed/wire", r.elapsed / readWire, "", 1.03, true);
    line("read  paced cpu/elapsed", r.cpu / r.elapsed, "", 0.02, true);
    std::printf("  read: %d exchanges, %.2f s elapsed, %.2f s on the wire, %.3f s CPU;"
                " without opening and closing the port: elapsed/wire %.4f\n",
                r.exchanges, r.elapsed, readWire, r.cpu, (r.elapsed - r.openClose) / readWire);
    if (writePaced) {
        sim.setImage(image);
        const Run w = measure(sim, write);
        const double writeWire = w.wireSeconds();
        line("write paced elapsed/wire", w.elapsed / writeWire, "", 1.03, true);
        line("write paced cpu/elapsed", w.cpu / w.elapsed, "", 0.02, true);
        std::printf("  write: %d exchanges, %.2f s elapsed, %.2f s on the wire, %.3f s CPU;"
                    " without opening and closing the port: elapsed/wire %.4f\n",
                    w.exchanges, w.elapsed, writeWire, w.cpu,
                    (w.elapsed - w.openClose) / writeWire);
        if (!w.ok)
            return 1;
    }
    return r.ok ? 0 : 1;
}

// Read all and Write all against the simulated receiver paced at 57600 baud
// (the simulator paces both the frame and its reply):
//   elapsed time / wire time of all their frames and replies (target 1.02
//   for Read all, 1.03 for Write all),
//   with the write's memory initialisation wait counted as the receiver's;
//   CPU time of the program's thread / elapsed time (target 0.015).
// The sequence runs on the main thread; the simulator on its own. Prints
// one line per figure: name value unit target ratio.
#include "link/link.h"
#include "model/data_set.h"
#include "sim/simulator.h"
#include "transfer/all_transfer.h"
#include "transfer/data_set_sink.h"

#include "measure.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <ctime>

using namespace rz;

namespace {

// How long the simulated receiver takes to clear its memory on "ZT~IM".
constexpr int MemoryInitDelayMs = 300;

using bench::Run;

// The wire time of a run, with the receiver's memory initialisation waits.
double wireTime(const Run& r) {
    return r.wireSeconds() + r.memoryInits * MemoryInitDelayMs * 1e-3;
}

void line(const char* name, double value, double target) {
    const double ratio = value / target;
    std::printf("%-28s %10.4f        target %-8g ratio %.3f %s\n", name, value, target, ratio,
                ratio <= 1.0 ? "ok" : "MISSED");
    std::fflush(stdout);
}

void report(const char* what, const Run& r) {
    std::printf("  %s: %d exchanges, %.2f s elapsed, %.2f s on the wire, %.3f s CPU, %.2f s "
                "opening and closing the port; without it elapsed/wire %.4f\n",
                what, r.exchanges, r.elapsed, wireTime(r), r.cpu, r.openClose,
                (r.elapsed - r.openClose) / wireTime(r));
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (app.arguments().contains("--quick"))
        return 0; // paced only: nothing quick to measure
    sim::Simulator sim;
    if (!sim.start()) {
        std::fprintf(stderr, "bench_all_transfer: cannot open a pseudo-terminal\n");
        return 2;
    }
    const QByteArray image = sim::sampleImage();
    sim.setImage(image);
    sim.addFault({sim::Fault::Delay, "ZT~IM", 0, -1, MemoryInitDelayMs});

    std::printf("Read all and Write all of the sample receiver, paced at 57600 baud\n");
    sim.setPaced(true);
    DataSet data;
    DataSetSink store(data);
    const Run r = bench::measure(sim, ReadAll(Region::E), store);
    line("read all  elapsed/wire", r.elapsed / wireTime(r), 1.02);
    line("read all  cpu/elapsed", r.cpu / r.elapsed, 0.015);
    report("read all", r);

    const Run w = bench::measure(sim, WriteAll(Region::E, data), store);
    line("write all elapsed/wire", w.elapsed / wireTime(w), 1.03);
    line("write all cpu/elapsed", w.cpu / w.elapsed, 0.015);
    report("write all", w);
    return r.ok && w.ok ? 0 : 1;
}

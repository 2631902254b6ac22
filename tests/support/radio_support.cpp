#include "support/radio_support.h"

#include <QtEndian>

namespace rz::test {

RunningSimulator::RunningSimulator() : sim_(std::make_unique<sim::Simulator>()) {
    if (!sim_->start())
        qFatal("the simulator could not open a pseudo-terminal");
}

QList<int> RecordingSink::recordRows() const {
    QList<int> out;
    for (const Record& r : records)
        out.append(r.row);
    return out;
}

QList<QByteArray> framesWithoutCr(const sim::Simulator& sim) {
    QList<QByteArray> out;
    for (const QByteArray& f : sim.receivedFrames())
        out.append(f.endsWith('\r') ? f.chopped(1) : f);
    return out;
}

QByteArray channelRecord(quint32 hz, const QByteArray& name) {
    QByteArray r(64, '\0');
    r[0] = 2;
    qToLittleEndian(hz, r.data() + 1);
    r[17] = char(0x3E);
    r[20] = char(0x0A);
    for (int i = 0; i < name.size() && i < 16; ++i)
        r[32 + 2 * i] = name.at(i);
    return r;
}

Timeouts shortTimeouts(int ms) {
    Timeouts t;
    t.replyMs = ms;
    t.memoryInitMs = ms;
    t.windowReplyMs = ms;
    return t;
}

} // namespace rz::test

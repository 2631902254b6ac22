// How long the program waits for the receiver: a reply 1000 ms, the answer
// to the memory initialisation 7000 ms. Replies that come late but within
// those times are taken at the first attempt. This is the suite's one slow
// test (about six seconds of real waiting), kept in an executable of its own
// so that it runs beside nothing heavy.
#include "support/radio_support.h"
#include "transfer/memory_transfer.h"

#include <QtTest>

using namespace rz;
using rz::sim::Fault;

class TestReplyTimers : public QObject {
    Q_OBJECT
private slots:
    void lateRepliesWithinTheTimersAreTaken() {
        {
            // Every reply 700 ms late: the identification and the read.
            test::SimLink t;
            t.sim->addFault({Fault::Delay, QByteArray(), 0, -1, 700});
            const Outcome o = OneMemoryRead(Region::E, 1, 1).run(t.link, t.sink);
            QCOMPARE(o.kind, Outcome::Success);
            QCOMPARE(t.sim->receivedCount(), 2); // nothing repeated
            QCOMPARE(t.sink.recordRows(), QList<int>{1});
        }
        // "ZT~IM" answered 5 s late.
        test::SimLink t;
        t.sim->addFault({Fault::Delay, "ZT~IM", 0, 1, 5000});
        const Outcome o = MemoryWrite(Region::E, {}).run(t.link, t.sink);
        QCOMPARE(o.kind, Outcome::Success);
        QCOMPARE(test::framesWithoutCr(*t.sim), (QList<QByteArray>{"ZT~RZ-V70E", "ZT~IM"}));
    }
};

QTEST_GUILESS_MAIN(TestReplyTimers)
#include "tst_reply_timers.moc"

// The Win32 serial transport under the link, against the receiver simulator
// behind a COM port (Wine maps COM5 to the simulator's pseudo-terminal).
// Each case needs the simulator started with the faults named beside it;
// tests/windows/trial does that. Without RZ_TEST_PORT every case is skipped.
#include "link/frames.h"
#include "link/link.h"

#include <QtTest>

#include <thread>

using namespace rz;

namespace {

QString testPort() {
    return qEnvironmentVariable("RZ_TEST_PORT");
}

#define REQUIRE_PORT()                                                                             \
    if (testPort().isEmpty())                                                                      \
    QSKIP("RZ_TEST_PORT names no COM port with the simulator behind it")

const QByteArray IdentifyE = frames::identification(Region::E);
const int IdentifyELength = frames::identificationReplyLength(Region::E);

} // namespace

class TestWinSerial : public QObject {
    Q_OBJECT
private slots:
    // Simulator: no faults.
    void exchangeAndRefusals() {
        REQUIRE_PORT();
        Link link(testPort());
        for (int round = 0; round < 2; ++round) { // the port opens anew each time
            const Reply reply = link.exchange(IdentifyE, IdentifyELength, Deadline(2000));
            QVERIFY(reply.isComplete());
            QVERIFY(reply.bytes.startsWith(IdentifyE + "\r\n"));
            QVERIFY(!link.isOpen());
        }
        const Reply block =
            link.exchange(frames::blockRead(0x1C000), frames::ReadReplyLength, Deadline(2000));
        QVERIFY(frames::isReadReplyValid(block.bytes));

        // A port that is not there, and one held by another program (which
        // Windows refuses as "access denied"; Wine does not keep a second
        // program off a COM port, so only the words are checked here).
        QCOMPARE(diagnoseOpenFailure("COM5", OpenRefusal::Refused, "Access is denied.").detail(),
                 QStringLiteral("COM5 is in use by another program"));
        const Reply missing = Link("COM77").exchange(IdentifyE, IdentifyELength, Deadline(500));
        QCOMPARE(missing.status, Reply::PortFailed);
        QCOMPARE(missing.problem.detail(), QStringLiteral("COM77 does not exist"));
    }

    // Simulator: --drop-every 2.
    void lostReply() {
        REQUIRE_PORT();
        Link link(testPort());
        QVERIFY(link.exchange(IdentifyE, IdentifyELength, Deadline(2000)).isComplete());
        const Reply lost = link.exchange(IdentifyE, IdentifyELength, Deadline(300));
        QCOMPARE(lost.status, Reply::TimedOut);
        QVERIFY(lost.bytes.isEmpty());
        QVERIFY(link.exchange(IdentifyE, IdentifyELength, Deadline(2000)).isComplete());
    }

    // Simulator: --garble-every 1.
    void garbledReply() {
        REQUIRE_PORT();
        Link link(testPort());
        const Reply reply =
            link.exchange(frames::blockRead(0x1C000), frames::ReadReplyLength, Deadline(2000));
        QVERIFY(reply.isComplete());
        QVERIFY(reply.bytes.endsWith("\n\r"));
        QVERIFY(!frames::isReadReplyValid(reply.bytes));
    }

    // Simulator: --stop-after 1.
    void receiverStopsAnswering() {
        REQUIRE_PORT();
        Link link(testPort());
        QVERIFY(link.exchange(IdentifyE, IdentifyELength, Deadline(2000)).isComplete());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(link.exchange(IdentifyE, IdentifyELength, Deadline(200)).status,
                     Reply::TimedOut);
    }

    // Simulator: --stop-after 0. A cancel from another thread ends the wait
    // long before its reply timer.
    void cancelDuringWait() {
        REQUIRE_PORT();
        CancelToken cancel;
        Link link(testPort(), &cancel);
        std::thread canceller([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            cancel.cancel();
        });
        const Deadline deadline(60000);
        const Reply reply = link.exchange(IdentifyE, IdentifyELength, deadline);
        canceller.join();
        QCOMPARE(reply.status, Reply::Cancelled);
        QVERIFY(!deadline.hasExpired());
        QVERIFY(!link.isOpen());
    }

    // Simulator: --delay 400. A reply that comes after its timer is not
    // taken as the next command's.
    void lateReplyIsNotTheNext() {
        REQUIRE_PORT();
        Link link(testPort());
        QCOMPARE(link.exchange(frames::blockRead(0x00000), frames::ReadReplyLength, Deadline(100))
                     .status,
                 Reply::TimedOut);
        QTest::qWait(600); // the late reply is on the line now
        const QByteArray second = frames::blockRead(0x1C000);
        const Reply reply = link.exchange(second, frames::ReadReplyLength, Deadline(2000));
        QVERIFY(reply.isComplete());
        QVERIFY(reply.bytes.startsWith(second));
    }
};

QTEST_GUILESS_MAIN(TestWinSerial)
#include "tst_win_serial.moc"

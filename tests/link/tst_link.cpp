// The serial link against the simulated receiver over a real pseudo-terminal.
#include "link/frames.h"
#include "link/identification.h"
#include "link/link.h"
#include "support/radio_support.h"

#include <QSerialPort>
#include <QtTest>

#include <thread>

using namespace rz;
using rz::sim::Fault;
using rz::sim::FaultRule;

class TestLink : public QObject {
    Q_OBJECT

private slots:
    void framesOnTheWire();
    void identificationOfEachRegion();
    void replyChecksOverTheLine();
    void silentReceiverFailsIdentificationAfterThreeAttempts();
    void timeOutLeavesThePortClosed();
    void portErrorsSayWhy();
    void cancelEndsTheWaitAtOnce();
    void resetIsSentOnceWithoutWaiting();
};

void TestLink::framesOnTheWire() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->setMemory(0x1C000, QByteArray::fromHex("A5"));
    Link link(sim.device());
    test::RecordingSink sink;
    Session s(link, sink, Timeouts(), false);

    QByteArray data;
    QCOMPARE(s.tryReadBlock(0x1C000, data), Session::Step::Ok);
    QCOMPARE(data.size(), 64);
    QCOMPARE(quint8(data.at(0)), quint8(0xA5));
    QCOMPARE(s.tryReadBlock(0x00000, data), Session::Step::Ok);

    // Three bytes to the one-touch area: a 17-byte frame, a 23-byte reply.
    const QByteArray three = QByteArray::fromHex("010AFF");
    QCOMPARE(frames::blockWrite(0x00180, three), QByteArray("ZT~F00180W010AFF\r"));
    QCOMPARE(frames::writeReplyLength(3), 23);
    QCOMPARE(s.tryWriteBlock(0x00180, three), Session::Step::Ok);
    QCOMPARE(sim->memory(0x00180, 3), three);

    const QList<QByteArray> wire = sim->receivedFrames();
    QCOMPARE(wire, (QList<QByteArray>{"ZT~F1C000R\r", "ZT~F00000R\r", "ZT~F00180W010AFF\r"}));

    // The whole reply is taken as it came: echo, CR LF, payload, CR LF.
    const Reply reply = link.exchange("ZT~F00180W010AFF\r", 23, Deadline(Link::ReplyTimeoutMs));
    QVERIFY(reply.isComplete());
    QCOMPARE(reply.bytes, QByteArray("ZT~F00180W010AFF\r\r\nOK\r\n"));
}

void TestLink::identificationOfEachRegion() {
    struct Case {
        Region region;
        QByteArray frame;
        int length;
    };
    const Case cases[] = {{Region::J, "ZT~RZ-V70\r", 16},
                          {Region::E, "ZT~RZ-V70E\r", 17},
                          {Region::T, "ZT~RZ-V70T\r", 17}};
    for (const Case& c : cases) {
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->setRegion(c.region);
        QCOMPARE(frames::identification(c.region), c.frame);
        QCOMPARE(frames::identificationReplyLength(c.region), c.length);

        Link link(sim.device());
        test::RecordingSink sink;
        const Outcome ok = Identify(c.region).run(link, sink);
        QCOMPARE(ok.kind, Outcome::Success);
        QCOMPARE(ok.message, QString("Success"));
        QCOMPARE(ok.title, QString(" Finish"));
        QCOMPARE(sim->receivedFrames(), QList<QByteArray>{c.frame});

        // A receiver of another region does not say "OK": three attempts.
        const Region other = c.region == Region::J ? Region::T : Region::J;
        const Outcome wrong = Identify(other).run(link, sink);
        QCOMPARE(wrong.kind, Outcome::Error);
        QCOMPARE(wrong.message, QString("Error"));
        QCOMPARE(wrong.title, QString(" Error"));
        QCOMPARE(wrong.failureCounter, 3);
        QCOMPARE(sim->receivedCount(), 4);
    }
}

void TestLink::replyChecksOverTheLine() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    Link link(sim.device());
    test::RecordingSink sink;
    Session s(link, sink, Timeouts(), false);
    QByteArray data;

    sim->addFault({Fault::SwapEnding, "ZT~F", 0, 1, 0});
    QCOMPARE(s.tryReadBlock(0x01200, data), Session::Step::Bad); // ends LF CR
    sim->addFault({Fault::OneLong, "ZT~F", 0, 1, 0});
    QCOMPARE(s.tryReadBlock(0x01200, data), Session::Step::Bad); // 144 bytes
    QCOMPARE(s.tryReadBlock(0x01200, data), Session::Step::Ok);  // faults used up

    sim->addFault({Fault::NoOk, "ZT~RZ", 0, 1, 0});
    const QByteArray id = frames::identification(Region::E);
    QCOMPARE(s.tryCommand(id, 17, Link::ReplyTimeoutMs), Session::Step::Bad);
    QCOMPARE(s.tryCommand(id, 17, Link::ReplyTimeoutMs), Session::Step::Ok);
    // A write reply one byte long fails its length check.
    sim->addFault({Fault::OneLong, "ZT~F00180W", 0, 1, 0});
    QCOMPARE(s.tryWriteBlock(0x00180, "\x01"), Session::Step::Bad);

    // The pure checks, at their edges.
    QByteArray good = QByteArray("ZT~F01200R\r\r\n") + QByteArray(128, '0') + "\r\n";
    QVERIFY(frames::isReadReplyValid(good));
    QByteArray swapped = good;
    std::swap(swapped[141], swapped[142]);
    QVERIFY(!frames::isReadReplyValid(swapped));
    QVERIFY(!frames::isReadReplyValid(good + "\n"));
    QVERIFY(!frames::isReadReplyValid(good.chopped(1)));
    const QByteArray j = "ZT~RZ-V70\r\r\nOK\r\n";
    QCOMPARE(j.size(), 16);
    QVERIFY(frames::isOkReply(j, 16));
    QVERIFY(!frames::isOkReply(j, 17));
    QVERIFY(!frames::isOkReply(QByteArray("ZT~RZ-V70\r\r\nNG\r\n"), 16));
    QVERIFY(!frames::isOkReply(QByteArray("ZT~RZ-V70\r\r\nOk\r\n"), 16));
    QVERIFY(!frames::isOkReply(QByteArray(), 0));

    QByteArray digits = QByteArray("ZT~F01200R\r\r\n") + "0A3EFF" + QByteArray(122, '0') + "\r\n";
    QCOMPARE(frames::readReplyData(digits).left(3), QByteArray::fromHex("0A3EFF"));
}

void TestLink::silentReceiverFailsIdentificationAfterThreeAttempts() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->addFault({Fault::Drop, QByteArray(), 0, -1, 0});
    Link link(sim.device());
    test::RecordingSink sink;
    Identify identify(Region::E);
    identify.timeouts = test::shortTimeouts();
    const Outcome o = identify.run(link, sink);
    QCOMPARE(o.kind, Outcome::Error);
    QCOMPARE(o.failureCounter, 3);
    QCOMPARE(sim->receivedCount(), 3);
    // The program's own timers are untouched by the test's.
    QCOMPARE(Timeouts().replyMs, 1000);
    QCOMPARE(Timeouts().memoryInitMs, 7000);
}

void TestLink::timeOutLeavesThePortClosed() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->addFault({Fault::OneShort, "ZT~F", 0, 1, 0});
    Link link(sim.device());
    const Reply shortReply = link.exchange(frames::blockRead(0x01200), 143, Deadline(80));
    QCOMPARE(shortReply.status, Reply::TimedOut);
    QVERIFY(shortReply.bytes.isEmpty());

    // Closed: another program can take the port now.
    QSerialPort other(sim.device());
    QVERIFY2(other.open(QIODevice::ReadWrite), qPrintable(other.errorString()));
    other.close();

    // The 142 bytes that came are discarded, not taken into the next reply.
    const Reply next = link.exchange(frames::blockRead(0x01200), 143, Deadline(1000));
    QVERIFY(next.isComplete());
    QVERIFY(frames::isReadReplyValid(next.bytes));
}

void TestLink::portErrorsSayWhy() {
    // No such device.
    {
        Link link("/dev/rz-v70-no-such-port");
        const Reply r = link.exchange(frames::reset(), 12, Deadline(100));
        QCOMPARE(r.status, Reply::PortFailed);
        QCOMPARE(r.problem.cause, PortProblem::NoSuchDevice);
        QVERIFY(r.problem.detail().contains("/dev/rz-v70-no-such-port"));
        QVERIFY(r.problem.detail().contains("no such device"));
        test::RecordingSink sink;
        const Outcome o = Identify(Region::E).run(link, sink);
        QCOMPARE(o.kind, Outcome::PortError);
        QCOMPARE(o.message, QString("Port Error"));
        QCOMPARE(o.title, QString(" Error"));
        QCOMPARE(o.detail, r.problem.detail());
    }
    // In use by another program.
    {
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        QSerialPort holder(sim.device());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        Link link(sim.device());
        const Reply r = link.exchange(frames::identification(Region::E), 17, Deadline(100));
        QCOMPARE(r.status, Reply::PortFailed);
        QCOMPARE(r.problem.cause, PortProblem::InUse);
        QVERIFY(r.problem.detail().contains("in use"));
        QCOMPARE(sim->receivedCount(), 0);
    }
    // Permission: what the user is told.
    PortProblem denied;
    denied.cause = PortProblem::PermissionDenied;
    denied.device = "/dev/ttyUSB0";
    QVERIFY(denied.detail().contains("/dev/ttyUSB0"));
    QVERIFY(denied.detail().contains("permission denied"));
    QVERIFY(denied.detail().contains("dialout"));
}

void TestLink::cancelEndsTheWaitAtOnce() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    sim->addFault({Fault::Drop, QByteArray(), 0, -1, 0});
    CancelToken token;
    Link link(sim.device(), &token);
    // Cancelled from another thread while the wait blocks; the reply timer
    // would run for a minute.
    std::thread closer([&] {
        sim->waitForFrames(1, 10000);
        token.cancel();
    });
    const Reply r = link.exchange(frames::blockRead(0x01200), 143, Deadline(60000));
    closer.join();
    QCOMPARE(r.status, Reply::Cancelled);
    // Once cancelled, nothing more goes out.
    const Reply after = link.exchange(frames::blockRead(0x01200), 143, Deadline(60000));
    QCOMPARE(after.status, Reply::Cancelled);
    QCOMPARE(sim->receivedCount(), 1);

    // Cancelled while part of a reply is still on the line.
    test::RunningSimulator paced;
    QVERIFY(paced.ok());
    paced->setPaced(true);
    CancelToken token2;
    Link link2(paced.device(), &token2);
    paced->addFault({Fault::OneShort, "ZT~F", 0, -1, 0});
    std::thread closer2([&] {
        paced->waitForFrames(1, 10000);
        token2.cancel();
    });
    const Reply r2 = link2.exchange(frames::blockRead(0x01200), 143, Deadline(60000));
    closer2.join();
    QCOMPARE(r2.status, Reply::Cancelled);
}

void TestLink::resetIsSentOnceWithoutWaiting() {
    test::RunningSimulator sim;
    QVERIFY(sim.ok());
    Link link(sim.device());
    const Outcome o = resetReceiver(link);
    QCOMPARE(o.kind, Outcome::Success);
    QVERIFY(!o.showMessage);
    QVERIFY(sim->waitForFrames(1, 5000));
    QCOMPARE(sim->receivedFrames(), QList<QByteArray>{"ZT~RESET\r"});

    Link missing("/dev/rz-v70-no-such-port");
    const Outcome failed = resetReceiver(missing);
    QCOMPARE(failed.kind, Outcome::PortError);
    QCOMPARE(failed.message, QString("Port Error"));
    QVERIFY(failed.detail.contains("no such device"));
}

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"

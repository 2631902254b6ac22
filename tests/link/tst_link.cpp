// The serial link against the simulated receiver over a real pseudo-terminal.
#include "link/frames.h"
#include "link/identification.h"
#include "support/radio_support.h"

#include <QDir>
#include <QProcess>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

using namespace rz;
using rz::sim::Fault;

namespace {

// Where the link keeps the device's lock file: the first folder it may write.
QString lockFileOf(const QString& device) {
    for (const QString& dir : portLockFolders())
        if (::access(QFile::encodeName(dir).constData(), R_OK | W_OK | X_OK) == 0)
            return QDir(dir).filePath(portLockName(devicePath(device)));
    return QString();
}

} // namespace

class TestLink : public QObject {
    Q_OBJECT
private slots:

    void framesOnTheWire() {
        test::SimLink t;
        t.sim->setMemory(0x1C000, QByteArray::fromHex("A5"));
        Session s(t.link, t.sink, Timeouts(), false);

        // One attempt each. Replies that fail their checks cost a retry in
        // the fault matrix.
        QByteArray data;
        QVERIFY(!s.readBlock(0x1C000, data, 1));
        QCOMPARE(data.size(), 64);
        QCOMPARE(quint8(data.at(0)), quint8(0xA5));
        QVERIFY(!s.readBlock(0x00000, data, 1));
        // Three bytes to the one-touch area: a 17-byte frame, a 23-byte reply.
        const QByteArray three = QByteArray::fromHex("010AFF");
        QVERIFY(!s.writeBlock(0x00180, three, 1));
        QCOMPARE(t.sim->memory(0x00180, 3), three);
        // The reset is sent once; nothing is awaited.
        QCOMPARE(resetReceiver(t.link).kind, Outcome::Success);
        QVERIFY(t.sim->waitForFrames(4, 5000));
        QCOMPARE(t.sim->receivedFrames(), (QList<QByteArray>{"ZT~F1C000R\r", "ZT~F00000R\r",
                                                             "ZT~F00180W010AFF\r", "ZT~RESET\r"}));

        // The whole reply is taken as it came: echo, CR LF, payload, CR LF.
        const Reply reply = t.link.exchange("ZT~F00180W010AFF\r", 23, Deadline(1000));
        QVERIFY(reply.isComplete());
        QCOMPARE(reply.bytes, QByteArray("ZT~F00180W010AFF\r\r\nOK\r\n"));

        // An identification answered "NG" counts a failure; the next try passes.
        t.sim->addFault({Fault::NoOk, "ZT~RZ", 0, 1, 0});
        QVERIFY(!s.identify(Region::E));
        QCOMPARE(s.failures(), 1);
    }

    void identificationOfEachRegion() {
        // The reply to "ZT~RZ-V70" is 16 bytes long, to the others 17.
        const QPair<Region, QByteArray> cases[] = {
            {Region::J, "ZT~RZ-V70\r"}, {Region::E, "ZT~RZ-V70E\r"}, {Region::T, "ZT~RZ-V70T\r"}};
        for (const auto& [region, frame] : cases) {
            test::SimLink t;
            t.sim->setRegion(region);
            const Outcome ok = Identify(region).run(t.link, t.sink);
            QCOMPARE(ok.kind, Outcome::Success);
            QCOMPARE(t.sim->receivedFrames(), QList<QByteArray>{frame});
        }
    }

    void timeOutsLeaveThePortClosed() {
        test::SimLink t;
        // A silent receiver fails the identification after three attempts.
        t.sim->addFault({Fault::Drop, QByteArray(), 0, 3, 0});
        Identify identify(Region::E);
        identify.timeouts = test::shortTimeouts();
        const Outcome o = identify.run(t.link, t.sink);
        QCOMPARE(o.kind, Outcome::Error);
        QCOMPARE(o.failureCounter, 3);
        QCOMPARE(t.sim->receivedCount(), 3);

        // A reply one byte short times out and leaves the port closed: another
        // program can take it now.
        t.sim->addFault({Fault::OneShort, "ZT~F", 0, 1, 0});
        const Reply shortReply = t.link.exchange(frames::blockRead(0x01200), 143, Deadline(80));
        QCOMPARE(shortReply.status, Reply::TimedOut);
        QVERIFY(shortReply.bytes.isEmpty());
        QSerialPort other(t.sim.device());
        QVERIFY2(other.open(QIODevice::ReadWrite), qPrintable(other.errorString()));
        other.close();

        // The 142 bytes that came are discarded, not taken into the next reply.
        const Reply next = t.link.exchange(frames::blockRead(0x01200), 143, Deadline(1000));
        QVERIFY(frames::isReadReplyValid(next.bytes));
    }

    void aDeniedPortSaysHowToGetIt() {
        // (A missing device is named by the tool's and the window's tests.)
        PortProblem denied;
        denied.cause = PortProblem::PermissionDenied;
        denied.device = "/dev/ttyUSB0";
        const QString why = denied.detail();
        QVERIFY2(why.contains("/dev/ttyUSB0") && why.contains("permission denied") &&
                     why.contains("sudo adduser $USER dialout"),
                 qPrintable(why));
    }

    void aLinkToTheDeviceIsTheSamePort() {
        test::RunningSimulator sim;
        QTemporaryDir dir;
        const QString link = dir.filePath("rz-v70");
        QVERIFY(QFile::link(sim.device(), link));
        const QString here = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        QVERIFY(QFile::link(sim.device(), "dev1"));
        // While one user waits for its reply, the other is refused,
        // whichever name each of them gives the port.
        const QList<QPair<QString, QString>> users = {
            {sim.device(), link}, {link, sim.device()}, {sim.device(), "./dev1"}};
        for (const auto& [first, second] : users) {
            Link holder(first);
            Link other(second);
            Reply refused;
            const Reply held =
                holder.exchange(frames::identification(Region::E), 17, Deadline(2000), [&] {
                    refused = other.exchange(frames::reset(), 12, Deadline(100));
                });
            QVERIFY(held.isComplete());
            QCOMPARE(refused.status, Reply::PortFailed);
            const QString why = refused.problem.detail();
            QVERIFY2(why.startsWith("Cannot open " + second + ": it is in use by ") &&
                         why.contains(
                             QStringLiteral("process %1").arg(QCoreApplication::applicationPid())),
                     qPrintable(why));
        }
        QVERIFY(QDir::setCurrent(here));
        QCOMPARE(sim->receivedCount(), 3); // nothing of the refused
    }

    void thePortIsSetAndHeldOnlyForTheExchange() {
        test::RunningSimulator sim;
        const int fd = ::open(QFile::encodeName(sim.device()).constData(), O_RDWR | O_NOCTTY);
        termios cooked{};
        QVERIFY(fd >= 0 && ::tcgetattr(fd, &cooked) == 0);
        cooked.c_lflag |= ICANON | ECHO;
        ::cfsetospeed(&cooked, B9600);
        QVERIFY(::tcsetattr(fd, TCSANOW, &cooked) == 0);

        // While the link waits for its reply, the line is the receiver's
        // and no other program (here a Qt one) gets the port.
        Link link(sim.device());
        QSerialPort other(sim.device());
        termios during{};
        int exclusive = 0;
        QByteArray lock;
        bool otherOpened = true;
        const Reply reply =
            link.exchange(frames::identification(Region::E), 17, Deadline(2000), [&] {
                ::tcgetattr(fd, &during);
                ::ioctl(fd, TIOCGEXCL, &exclusive);
                QFile file(lockFileOf(sim.device()));
                if (file.open(QIODevice::ReadOnly))
                    lock = file.readLine();
                otherOpened = other.open(QIODevice::ReadWrite);
            });
        QVERIFY(reply.isComplete());
        QCOMPARE(::cfgetospeed(&during), speed_t(B57600));
        QCOMPARE(during.c_cflag & CSIZE, tcflag_t(CS8));
        QVERIFY(!(during.c_lflag & (ICANON | ECHO)));
        QCOMPARE(exclusive, 1);
        QCOMPARE(lock.trimmed().toLongLong(), QCoreApplication::applicationPid());
        QVERIFY(!otherOpened);

        // Afterwards nothing of it is left; while the Qt program holds the
        // port, the link is refused and names it.
        QVERIFY(::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive == 0);
        QVERIFY(!QFile::exists(lockFileOf(sim.device())));
        QVERIFY2(other.open(QIODevice::ReadWrite), qPrintable(other.errorString()));
        const Reply refused = link.exchange(frames::reset(), 12, Deadline(100));
        QCOMPARE(refused.status, Reply::PortFailed);
        QVERIFY2(refused.problem.detail().contains(
                     QStringLiteral("in use by another program (tst_link, process %1)")
                         .arg(QCoreApplication::applicationPid())),
                 qPrintable(refused.problem.detail()));
        other.close();

        // Exclusive mode that another program set is not the link's to end
        // (root opens through it; anyone else is refused).
        QVERIFY(::ioctl(fd, TIOCEXCL) == 0);
        if (link.exchange(frames::identification(Region::E), 17, Deadline(2000)).isComplete())
            QVERIFY(::ioctl(fd, TIOCGEXCL, &exclusive) == 0 && exclusive == 1);
        ::ioctl(fd, TIOCNXCL);
        ::close(fd);
    }

    void aLockOfAProgramThatIsGoneIsTakenOver() {
        test::RunningSimulator sim;
        QFile lock(lockFileOf(sim.device()));
        const auto writeLock = [&](const QByteArray& text) {
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write(text);
            lock.flush();
            lock.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                             QFileDevice::FileModificationTime);
            lock.close();
        };
        Link link(sim.device());
        const auto exchange = [&] {
            return link.exchange(frames::identification(Region::E), 17, Deadline(500));
        };
        QProcess program;
        program.start("sleep", {"30"});
        QVERIFY(program.waitForStarted());
        const QByteArray pid = QByteArray::number(program.processId());

        // A terminal program's lock of a minute ago (pid, name, user): held.
        writeLock("      " + pid + " sleep root\n");
        const Reply held = exchange();
        QCOMPARE(held.status, Reply::PortFailed);
        QVERIFY2(held.problem.detail().contains("(sleep, process " + pid + ")"),
                 qPrintable(held.problem.detail()));
        QVERIFY(lock.exists());
        // The number now runs another program than the lock's; a lock
        // left empty a minute ago was never finished.
        for (const QByteArray& ended : {pid + "\nminicom\nhost\n", QByteArray()}) {
            writeLock(ended);
            QVERIFY(exchange().isComplete());
            QVERIFY(!lock.exists());
        }

        // Gone, but its lock still held by flock (as a Qt program holds
        // one it wrote for a program of another name): not taken over.
        writeLock(pid + "\n");
        program.kill();
        QVERIFY(program.waitForFinished());
        const int flocked = ::open(QFile::encodeName(lock.fileName()).constData(), O_RDONLY);
        QVERIFY(flocked >= 0 && ::flock(flocked, LOCK_EX) == 0);
        QCOMPARE(exchange().status, Reply::PortFailed);
        ::close(flocked);
        QVERIFY(exchange().isComplete());
        QVERIFY(!lock.exists());
    }

    void cancelEndsTheWaitAtOnce() {
        // Part of a reply is still on the line when the closing comes from
        // another thread; the reply timer would run for a minute.
        test::RunningSimulator sim;
        sim->setPaced(true);
        sim->addFault({Fault::OneShort, "ZT~F", 0, -1, 0});
        CancelToken token;
        Link link(sim.device(), &token);
        std::thread closer([&] {
            sim->waitForFrames(1, 10000);
            token.cancel();
        });
        const Reply r = link.exchange(frames::blockRead(0x01200), 143, Deadline(60000));
        closer.join();
        QCOMPARE(r.status, Reply::Cancelled);
        // Once cancelled, nothing more goes out.
        QCOMPARE(link.exchange(frames::blockRead(0x01200), 143, Deadline(60000)).status,
                 Reply::Cancelled);
        QCOMPARE(sim->receivedCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestLink)
#include "tst_link.moc"

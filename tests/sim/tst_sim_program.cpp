// rz-v70-sim as the user runs it: a device path on its first line, answers
// until stopped, the memory image loaded and dumped.
#include "link/frames.h"
#include "link/identification.h"
#include "link/link.h"
#include "sim/simulator.h"
#include "support/radio_support.h"
#include "support/run_program.h"
#include "support/test_files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace rz;

class TestSimProgram : public QObject {
    Q_OBJECT

    QString program_;
private slots:
    void initTestCase() {
        program_ = QCoreApplication::applicationDirPath() + "/rz-v70-sim";
        QVERIFY2(QFile::exists(program_), "build the rz-v70-sim target first");
    }

    void answersOnItsDeviceAndDumpsWhenStopped() {
        QTemporaryDir dir;
        const QString dump = dir.filePath("after.bin");
        const QString link = dir.filePath("radio");
        QProcess sim;
        sim.start(program_,
                  {"--sample", "--region", "J", "--dump", dump, "--link", link, "--verbose"});
        QVERIFY(sim.waitForStarted());
        QVERIFY(sim.waitForReadyRead(10000));
        const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY(device.startsWith("/dev/"));
        QCOMPARE(QFileInfo(link).symLinkTarget(), device);

        // Through the symbolic link, as a user would name it.
        Link port(link);
        test::RecordingSink sink;
        QCOMPARE(Identify(Region::J).run(port, sink).kind, Outcome::Success);
        const Reply r = port.exchange(frames::blockRead(0x01200), 143, Deadline(1000));
        QVERIFY(frames::isReadReplyValid(r.bytes));
        QCOMPARE(frames::readReplyData(r.bytes), sim::sampleImage().mid(0x01200, 64));
        QVERIFY(
            port.exchange(frames::blockWrite(0x01200, QByteArray(64, '\0')), 145, Deadline(1000))
                .isComplete());

        ::kill(pid_t(sim.processId()), SIGTERM);
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(!QFileInfo::exists(link));
        // --verbose: every frame received, on a line of its own.
        QCOMPARE(sim.readAllStandardError(),
                 QByteArray("ZT~RZ-V70\nZT~F01200R\nZT~F01200W" + QByteArray(128, '0') + "\n"));
        QByteArray expected = sim::sampleImage();
        expected.replace(0x01200, 64, QByteArray(64, '\0'));
        QCOMPARE(test::readFile(dump), expected);

        QProcess again;
        again.start(program_, {"--load", dump});
        QVERIFY(again.waitForReadyRead(10000));
        Link second(QString::fromLocal8Bit(again.readLine()).trimmed());
        const Reply r2 = second.exchange(frames::blockRead(0x01240), 143, Deadline(1000));
        QCOMPARE(frames::readReplyData(r2.bytes), expected.mid(0x01240, 64));
        ::kill(pid_t(again.processId()), SIGINT);
        QVERIFY(again.waitForFinished(10000));
        QCOMPARE(again.exitCode(), 0);
    }

    void offersEveryFaultOnItsCommandLine() {
        // Each option, then what the replies to a run of identifications
        // look like: '+' complete, '.' none (or cut short), 'g' garbled,
        // 'n' "NG", 'L' one byte too many.
        const QList<QPair<QStringList, QString>> cases = {
            {{"--drop-every", "2"}, "+.+."},       {{"--short-every", "3"}, "++.+"},
            {{"--garble-every", "2"}, "+g+g"},     {{"--ng-every", "1"}, "nnnn"},
            {{"--long-every", "2"}, "+L+L"},       {{"--stop-after", "2"}, "++.."},
            {{"--disconnect-after", "1"}, "+..."}, {{"--delay", "1000"}, "."},
        };
        const QByteArray good = "ZT~RZ-V70E\r\r\nOK\r\n";
        const auto kind = [&](const Reply& r) {
            if (!r.isComplete())
                return '.';
            if (r.bytes == good)
                return '+';
            if (r.bytes.size() > good.size())
                return 'L';
            if (r.bytes.endsWith("\n\r"))
                return 'g';
            return r.bytes.contains("NG") ? 'n' : '?';
        };
        for (const auto& [options, expected] : cases) {
            QProcess sim;
            sim.start(program_, options);
            QVERIFY(sim.waitForReadyRead(10000));
            Link port(QString::fromLocal8Bit(sim.readLine()).trimmed());
            QString seen;
            for (int i = 0; i < expected.size(); ++i)
                seen += kind(port.exchange(frames::identification(Region::E), int(good.size()),
                                           Deadline(300)));
            ::kill(pid_t(sim.processId()), SIGTERM);
            QVERIFY(sim.waitForFinished(10000));
            QVERIFY2(seen == expected, qPrintable(options.join(' ') + ": " + seen));
        }
        // Each is in the help.
        const QString help = test::runProgram(program_, {"--help"}, 10000).out;
        for (const auto& [options, expected] : cases)
            QVERIFY2(help.contains(options.first()), qPrintable(options.first()));
    }

    void refusesBadOptionsAndImages() {
        // A missing image, or one larger than the memory, exits 3.
        QTemporaryDir dir;
        const QString large = dir.filePath("large.bin");
        QVERIFY(test::writeFile(large, QByteArray(sim::Simulator::MemorySize + 1, '\0')));
        const QPair<QStringList, int> cases[] = {
            {{"--region", "X"}, 64}, {{"--load"}, 64},
            {{"--frobnicate"}, 64},  {{"--drop-every", "0"}, 64},
            {{"--delay", "x"}, 64},  {{"--load", "/nonexistent/image.bin"}, 3},
            {{"--load", large}, 3}};
        for (const auto& [arguments, status] : cases)
            QCOMPARE(test::runProgram(program_, arguments, 10000).status, status);
    }
};

QTEST_GUILESS_MAIN(TestSimProgram)
#include "tst_sim_program.moc"

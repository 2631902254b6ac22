// rz-v70 read-all and write-all, run as a program against the simulated
// receiver: the files they write and read, the receiver's memory, the exit
// status and the lines on the error stream.
#include "files/data_set_sections.h"
#include "model/memory_map.h"
#include "support/radio_support.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;
using rz::sim::Fault;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

Run runTool(const QStringList& arguments) {
    QProcess p;
    p.start(QCoreApplication::applicationDirPath() + "/rz-v70", arguments);
    Run run;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = p.exitCode();
    run.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(p.readAllStandardError());
    return run;
}

QByteArray fontArea(const sim::Simulator& sim) {
    return sim.memory(memmap::FontBase, 8 * int(memmap::FontCharBytes));
}

} // namespace

class TestCliAll : public QObject {
    Q_OBJECT

private slots:
    void readAllThenWriteAllCopiesOneReceiverToAnother() {
        QTemporaryDir dir;
        const QString clone = dir.filePath("ALL.V70"), font = dir.filePath("ALL.FK4");
        const QString backups = dir.filePath("backups");
        test::RunningSimulator from;
        QVERIFY(from.ok());
        from->setImage(sim::sampleImage());
        const Run read = runTool({"--port", from.device(), "read-all", "-o", clone, "--font", font,
                                  "--backup-dir", backups});
        QCOMPARE(read.status, 0);
        QVERIFY2(read.out.contains(clone), qPrintable(read.out));
        // One line per step on a stream that is no terminal.
        QCOMPARE(read.err, QString("channels: Success\nbanks: Success\none-touch keys: "
                                   "Success\nsettings: Success\nfont: All Font Data Read\n"
                                   "bank links: OK\n"));
        DataSet data;
        QVERIFY(clone::DataSetSections(data, [] { return 1; }).open(clone).ok);
        QVERIFY(!data.settings.title().isEmpty());

        // Without --font the receiver's font stays.
        test::RunningSimulator to;
        QVERIFY(to.ok());
        const QByteArray ownFont(8 * 32, '\x5A');
        to->setMemory(memmap::FontBase, ownFont);
        QCOMPARE(
            runTool({"--port", to.device(), "write-all", clone, "--backup-dir", backups}).status,
            0);
        // A backup of what was read (with its font) and of what was written.
        const QDir kept(backups);
        QCOMPARE(kept.entryList({"*-read.V70"}).size(), 1);
        QCOMPARE(kept.entryList({"*-read.FK4"}).size(), 1);
        QCOMPARE(kept.entryList({"*-write.V70"}).size(), 1);
        QCOMPARE(fontArea(*to), ownFont);
        QCOMPARE(to->memory(memmap::BankLinksFirst, 88), from->memory(memmap::BankLinksFirst, 88));
        QCOMPARE(to->memory(memmap::OpeningMessage, 34), from->memory(memmap::OpeningMessage, 34));
        const quint32 tower = memmap::channelAddress(1);
        QCOMPARE(to->memory(tower, 64), from->memory(tower, 64));

        const Run written = runTool(
            {"--port", to.device(), "write-all", clone, "--font", font, "--backup-dir", backups});
        QCOMPARE(written.status, 0);
        QVERIFY(written.err.contains("font: All Font Data Write\n"));
        QCOMPARE(fontArea(*to), fontArea(*from));
    }

    void aFailedReadWritesNoFileAndABadFileSendsNothing() {
        QTemporaryDir dir;
        const QString clone = dir.filePath("OLD.V70");
        QFile old(clone);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("kept\r\n");
        old.close();
        test::RunningSimulator sim;
        QVERIFY(sim.ok());
        sim->addFault({Fault::NoOk, "ZT~RZ-V70E", 0, -1, 0});
        const Run read = runTool({"--port", sim.device(), "read-all", "-o", clone});
        QCOMPARE(read.status, 1);
        QVERIFY2(read.err.contains("rz-v70: read-all failed: Error"), qPrintable(read.err));
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("kept\r\n"));

        sim->clearLog();
        const Run written =
            runTool({"--port", sim.device(), "write-all", dir.filePath("MISSING.V70")});
        QCOMPARE(written.status, 3);
        QCOMPARE(sim->receivedCount(), 0);
        QCOMPARE(runTool({"--port", sim.device(), "read-all"}).status, 64);
        QCOMPARE(runTool({"--port", sim.device(), "write-all"}).status, 64);
    }
};

QTEST_GUILESS_MAIN(TestCliAll)
#include "tst_cli_all.moc"

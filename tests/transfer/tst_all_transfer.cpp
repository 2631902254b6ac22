// Read all and Write all against the simulated receiver: every area there
// and back, the order of the steps and their messages, and what a failure
// at each stage does to the rest.
#include "banks/bank_link_table.h"
#include "files/clone_file.h"
#include "files/data_set_sections.h"
#include "link/frames.h"
#include "link/sink_relays.h"
#include "model/data_set.h"
#include "model/memory_map.h"
#include "settings/opening_message.h"
#include "support/radio_support.h"
#include "transfer/all_transfer.h"
#include "transfer/data_set_sink.h"
#include "transfer/memory_transfer.h"

#include <QtTest>

using namespace rz;
using rz::sim::Fault;

namespace {

// What a sequence reported about its steps: each step's name with the
// number of frames the receiver had when it started, and each step's end.
class StepLog : public OperationSink {
public:
    explicit StepLog(const sim::Simulator& sim) : sim_(sim) {}
    void stepStarted(const QString& step) override {
        names.append(step);
        firstFrame.append(sim_.receivedCount());
    }
    void stepEnded(const Outcome& outcome) override { ended.append(outcome); }

    // The messages a user sees from the steps, then the final one.
    QStringList shown(const Outcome& last) const {
        QStringList out;
        for (const Outcome& o : ended)
            if (o.showMessage)
                out << o.message;
        if (last.showMessage)
            out << last.message;
        return out;
    }

    QStringList names;
    QList<int> firstFrame;
    QList<Outcome> ended;

private:
    const sim::Simulator& sim_;
};

// A data set as the program starts, a simulator, and one run of a sequence.
struct Run {
    test::SimLink t;
    DataSet data;
    DataSetSink store{data};
    StepLog log{*t.sim};

    Run() { clone::loadStartUpState(data); }
    Outcome run(StepSequence& sequence) {
        SinkFan sinks{&store, &log};
        return sequence.run(t.link, sinks);
    }
    QStringList cloneLines() {
        const clone::DataSetSections sections(data, [] { return 1; });
        return clone::cloneLines(sections.sections(), QDateTime()).mid(1); // not the header
    }
};

int countOf(const QList<QByteArray>& frames, const QByteArray& frame) {
    return int(std::count(frames.begin(), frames.end(), frame));
}

} // namespace

class TestAllTransfer : public QObject {
    Q_OBJECT

private slots:
    void writeAllThenReadAllGivesBackTheCloneFileAndTheFont() {
        // The sample receiver, read whole.
        Run a;
        a.t.sim->setImage(sim::sampleImage());
        ReadAll read(Region::E);
        const Outcome readOutcome = a.run(read);
        QCOMPARE(a.log.shown(readOutcome), QStringList{"Success ALL DATA READ"});
        QCOMPARE(a.log.names, (QStringList{"channels", "banks", "one-touch keys", "settings",
                                           "font", "bank links"}));
        const QStringList lines = a.cloneLines();
        QVERIFY(lines.size() > 50);
        QVERIFY(!a.data.settings.title().isEmpty()); // the opening message is read too
        QVERIFY(a.data.font.isTouched());

        // Into a blank receiver as the clone file and font file give it.
        Run b;
        // "Overwrite" is the receiver's own: it is read, never written.
        b.t.sim->setMemory(memmap::WriteProtect, a.t.sim->memory(memmap::WriteProtect, 1));
        QTemporaryDir dir;
        const QString path = dir.filePath("ALL.V70");
        QVERIFY(clone::DataSetSections(a.data, [] { return 1; }).save(path).ok);
        QVERIFY(clone::DataSetSections(b.data, [] { return 1; }).open(path).ok);
        b.data.font.setCharacters(a.data.font.characters());
        WriteAll write(Region::E, b.data);
        const Outcome written = b.run(write);
        QCOMPARE(b.log.shown(written),
                 (QStringList{"All Font Data Write", "Success Group Data Write",
                              "Success ALL DATA WRITE"}));

        Run c;
        c.t.sim->setImage(b.t.sim->image());
        ReadAll again(Region::E);
        QCOMPARE(c.run(again).kind, Outcome::Success);
        QCOMPARE(c.cloneLines(), lines);
        QCOMPARE(c.data.font.characters(), a.data.font.characters());
    }

    void readAllTakesTheEmptyBanksFromTheLayoutItHasJustRead() {
        // The sample receiver: bank 10 empty, yet still linked in group 4.
        Run r;
        r.t.sim->setImage(sim::sampleImage());
        ReadAll read(Region::E);
        QCOMPARE(r.run(read).kind, Outcome::Success);
        // Banks 10 and 12 to 49 hold no channels.
        const QStringList lines = r.cloneLines();
        QVERIFY(lines.contains("GRI" + QString(10, '0') + "10" + QString(38, '1')));
        for (const QString& line : lines)
            if (line.startsWith("GRD"))
                QVERIFY2(line.at(5 + 10) == '0' && !line.mid(5 + 12).contains('1'),
                         qPrintable(line));
        QVERIFY(lines.contains("GRD04" + QString(11, '0') + "1" + QString(38, '0')));
        QCOMPARE(r.data.bankLinks.entry(4, 10), int(BankLinkTable::EmptyBank));

        // Write all sends an empty bank as a non-member, whatever its flag
        // was last: bank 11 emptied since, its links still marked.
        r.data.banks.setSize(0, 300);
        r.data.banks.setSize(11, 0);
        QVERIFY(!r.data.bankLinks.emptyFlag(11));
        r.t.sim->clearLog();
        WriteAll write(Region::E, r.data);
        QCOMPARE(write.run(r.t.link, r.log).kind, Outcome::Success);
        QCOMPARE(r.t.sim->memory(memmap::BankLinksFirst + 4 * 8, 8), QByteArray(8, '\0'));
        QCOMPARE(r.t.sim->memory(memmap::BankLinksFirst, 1), QByteArray("\xC0", 1));
    }

    void eachStepIdentifiesFirstAndWritesOnlyRowsInUse() {
        Run r;
        r.data.channels.setText(7, ColFrequency, "145.50000MHz");
        r.data.channels.setText(1302, ColFrequency, "433.50000MHz");
        WriteAll write(Region::E, r.data);
        QCOMPARE(write.run(r.t.link, r.log).kind, Outcome::Success);
        // No font step: the store was never touched; no opening message.
        QCOMPARE(r.log.names,
                 (QStringList{"channels", "banks", "one-touch keys", "settings", "bank links"}));
        const QList<QByteArray> frames = r.t.sim->receivedFrames();
        const QByteArray ident = frames::identification(Region::E);
        for (int first : r.log.firstFrame)
            QCOMPARE(frames.at(first), ident);
        QCOMPARE(frames.at(1), frames::memoryInitialisation());
        // The channel step wrote the bug-detector presets and the two rows.
        const QList<QByteArray> channelStep = frames.mid(2, r.log.firstFrame[1] - 2);
        QCOMPARE(channelStep.size(), 2 + (memmap::ChannelCount - memmap::FirstBugRow + 1));
        QVERIFY(channelStep.at(0).startsWith(
            frames::blockRead(memmap::channelAddress(7)).left(9))); // "ZT~F01380"
        QVERIFY(channelStep.at(0).endsWith("\r"));
        QCOMPARE(countOf(frames, ident), 5);
        for (const QByteArray& f : frames)
            QVERIFY2(!f.startsWith(frames::blockRead(memmap::OpeningMessage).left(9)), f);
    }

    void aFailedChannelStepEndsTheSequenceWithItsOwnError() {
        Run r;
        r.t.sim->setImage(sim::sampleImage());
        r.t.sim->addFault({Fault::SwapEnding, "ZT~F01240R", 0, -1, 0}); // channel 2
        ReadAll read(Region::E);
        const Outcome o = r.run(read);
        QCOMPARE(o.kind, Outcome::Error);
        QVERIFY(!o.showMessage); // no summary
        QCOMPARE(r.log.shown(o), QStringList{"Error"});
        QCOMPARE(r.log.names, QStringList{"channels"});
        QCOMPARE(r.t.sim->receivedCount(), 1 + 1 + ChannelReadFailureLimit);
        // The row read before the failure stays.
        QVERIFY(r.data.channels.inUse(1));
    }

    void aLaterFailureShowsItsErrorAndTheSequenceGoesOn() {
        Run r;
        r.t.sim->setImage(sim::sampleImage());
        r.t.sim->addFault({Fault::NoOk, "ZT~F00200W", 0, -1, 0}); // banks
        r.data.font.clearAll();
        r.data.settings.setTitle("HELLO");
        WriteAll write(Region::E, r.data);
        const Outcome o = r.run(write);
        QCOMPARE(r.log.names.size(), 6);
        QCOMPARE(r.log.ended[1].message, QString("Error"));
        QCOMPARE(r.log.ended[1].where, QString("bank block 1"));
        QCOMPARE(r.log.shown(o), (QStringList{"Error", "All Font Data Write",
                                              "Success Group Data Write", "Error"}));
        QCOMPARE(o.title, QString(" Error"));
        // The later steps did their work: the opening message went out.
        QCOMPARE(r.t.sim->memory(memmap::OpeningMessage, 34),
                 opening::areaBytes("HELLO", r.data.settings.position(settings::WelcomeStyle)));
    }

    void aPortFailureInTheSettingsWriteEndsWriteAll() {
        Run r;
        r.t.sim->setImage(sim::sampleImage());
        r.t.sim->addFault({Fault::Disconnect, "ZT~F00040W", 0, 1, 0});
        r.data.font.clearAll(); // touched: the font step would follow
        WriteAll write(Region::E, r.data);
        const Outcome o = r.run(write);
        QCOMPARE(o.kind, Outcome::PortError);
        QCOMPARE(r.log.shown(o), QStringList{"Port Error"});
        QCOMPARE(r.log.names.last(), QString("settings"));
    }
};

QTEST_GUILESS_MAIN(TestAllTransfer)
#include "tst_all_transfer.moc"

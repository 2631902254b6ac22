// Every radio operation against every fault of the line, as one table:
// operation x fault -> the message, the failure counter, the frames the
// receiver got, and what changed (the program's data for a read, the
// receiver's memory for a write). Each cell runs on a fresh simulated
// receiver holding the sample data set, with the reply timers shortened
// through the operation's own parameters. After every run the port is closed.
#include "banks/bank_link_transfer.h"
#include "banks/bank_transfer.h"
#include "banks/one_touch_transfer.h"
#include "files/clone_file.h"
#include "files/data_set_sections.h"
#include "font/font_transfer.h"
#include "link/frames.h"
#include "link/sink_relays.h"
#include "model/data_set.h"
#include "settings/settings_transfer.h"
#include "support/radio_support.h"
#include "transfer/all_transfer.h"
#include "transfer/data_set_sink.h"
#include "transfer/memory_transfer.h"

#include <QCryptographicHash>
#include <QtTest>

#include <array>
#include <functional>
#include <memory>

using namespace rz;
using rz::sim::Fault;

namespace {

// The reply timer of every exchange in the matrix: long enough that a test
// running beside others on a busy machine still gets its replies in time. A
// delayed reply comes DelayFactor timers late: well after the third attempt
// has timed out, so that an operation of three attempts fails however slow
// the machine is.
constexpr int TimerMs = 300;
constexpr int DelayFactor = 5;

enum Column { Drop, Swap, Short, Long, Delay, Silence, Disconnect, WrongRegion, ColumnCount };
const std::array<const char*, ColumnCount> ColumnNames = {
    "dropped reply", "swapped CR LF", "short reply", "long reply",
    "delayed reply", "silence",       "disconnect",  "wrong region"};

// One fault: one reply of the first data exchange ("ZT~F...") goes wrong,
// every reply after the identification's is dropped, the terminal closes instead of the
// first data reply, or the receiver is of another region.
void addFault(sim::Simulator& sim, Column column) {
    const sim::FaultRule rules[] = {{Fault::Drop, "ZT~F", 0, 1, 0},
                                    {Fault::SwapEnding, "ZT~F", 0, 1, 0},
                                    {Fault::OneShort, "ZT~F", 0, 1, 0},
                                    {Fault::OneLong, "ZT~F", 0, 1, 0},
                                    {Fault::Delay, "ZT~F", 0, 1, TimerMs * DelayFactor},
                                    {Fault::Drop, "", 1, -1, 0}, // silence
                                    {Fault::Disconnect, "ZT~F", 0, 1, 0}};
    static_assert(sizeof(rules) / sizeof(rules[0]) == WrongRegion);
    if (column == WrongRegion)
        sim.setRegion(Region::T);
    else
        sim.addFault(rules[column]);
}

// The data set the program starts with, plus what differs from the
// receiver's sample data in every area, so that reads and writes show.
void prepare(DataSet& data) {
    clone::loadStartUpState(data);
    data.banks.setSize(0, data.banks.size(0) - 10);
    data.banks.setSize(1, data.banks.size(1) + 10);
    data.font.setDot(2, 3, 4, true);
    data.bankLinks.setEntry(0, 0, 1);
    data.channels.applyRecord(1, test::channelRecord(145500000, "ROW ONE"));
    data.channels.applyRecord(2, test::channelRecord(433500000, "ROW TWO"));
    data.channels.applyRecord(1302, test::channelRecord(118000000, "DUAL"));
}

// Everything the program keeps, as text: the clone file and the font.
QByteArray snapshot(DataSet& data) {
    clone::DataSetSections sections(data, [] { return 1; });
    QByteArray text = clone::cloneLines(sections.sections(), QDateTime(QDate(2000, 1, 1), QTime()))
                          .join('\n')
                          .toUtf8();
    for (const FontChar& c : data.font.characters())
        text += encodeFontChar(c).toHex();
    return QCryptographicHash::hash(text, QCryptographicHash::Sha1);
}

QByteArray imageHash(const sim::Simulator& sim) {
    return QCryptographicHash::hash(sim.image(), QCryptographicHash::Sha1);
}

using Make = std::function<std::shared_ptr<Operation>(const DataSet&)>;

struct Row {
    const char* operation;
    bool writes; // judged by the receiver's memory, else by the program's data
    Make make;
    // Per fault: "<message>/<failure counter>/<frames>/<change>", where frames
    // is "+k" (k more than the run without fault) or "=k" (exactly k), and
    // change is "new" (as without fault), "old" (nothing) or "part". "*"
    // takes any value: how many retries a late reply costs depends on when
    // it lands.
    std::array<const char*, ColumnCount> expected;
};

template <typename Op, typename... Args> Make op(Args... args) {
    return [=](const DataSet&) { return std::make_shared<Op>(args...); };
}

// clang-format off
const Row Matrix[] = {
    {"Memory Read", false, op<MemoryRead>(Region::E),
     {"Success/1/+1/new", "Success/1/+1/new", "Success/1/+1/new", "Success/1/+1/new", "Success/*/*/new", "Error/30/=31/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"One Memory Read", false, op<OneMemoryRead>(Region::E, 5, 1),
     {"Success/1/+1/new", "Success/1/+1/new", "Success/1/+1/new", "Success/1/+1/new", "Success/*/*/new", "Error/30/=31/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"Memory Write", true, [](const DataSet& d) { return std::make_shared<MemoryWrite>(Region::E, rowsToWrite(d.channels)); },
     {"Success/1/+1/new", "Success/0/+0/new", "Success/1/+1/new", "Success/1/+1/new", "Error/3/*/part", "Error/3/=4/part", "Port Error/0/=3/part", "Error/3/=3/old"}},
    {"One Memory Write", true, [](const DataSet& d) { return std::make_shared<OneMemoryWrite>(Region::E, selectedRows(d.channels, 1, 3)); },
     {"Success/1/+1/new", "Success/0/+0/new", "Success/1/+1/new", "Success/1/+1/new", "Error/3/*/part", "Error/3/=4/part", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"Bank Read", false, op<BankRead>(Region::E),
     {"Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Error/3/*/old", "Error/3/=4/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"Bank Write", true, [](const DataSet& d) { return std::make_shared<BankWrite>(Region::E, d.banks); },
     {"Success/0/+1/new", "Success/0/+0/new", "Success/0/+1/new", "Success/0/+1/new", "Error/3/*/new", "Error/3/=4/new", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"one-touch Read", false, op<OneTouchRead>(Region::E),
     {"Success/1/+1/new", "Success/1/+1/new", "Success/1/+1/new", "Success/1/+1/new", "Error/3/*/old", "Error/3/=4/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"one-touch Write", true, [](const DataSet& d) { return std::make_shared<OneTouchWrite>(Region::E, d.oneTouch); },
     {"Success/1/+1/new", "Success/0/+0/new", "Success/1/+1/new", "Success/1/+1/new", "Error/3/*/new", "Error/3/=4/new", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"settings Read", false, op<ReadSettings>(Region::E, OpeningMessage::Without),
     {"Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Error/3/*/old", "Error/3/=4/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"settings Write", true, [](const DataSet& d) { return std::make_shared<WriteSettings>(Region::E, settingsToWrite(d.settings), OpeningMessage::Without); },
     {"Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Error/3/*/old", "Error/3/=4/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"Set mode Read", false, op<ReadSettings>(Region::E, OpeningMessage::With),
     {"Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Error/3/*/old", "Error/3/=4/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"Set mode Write", true, [](const DataSet& d) { return std::make_shared<WriteSettings>(Region::E, settingsToWrite(d.settings), OpeningMessage::With); },
     {"Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Success/0/+1/new", "Error/3/*/old", "Error/3/=4/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"font Read ALL", false, op<FontReadAll>(Region::E, true),
     {"All Font Data Read/0/+1/new", "All Font Data Read/0/+1/new", "All Font Data Read/0/+1/new", "All Font Data Read/0/+1/new", "All Font Data Read/*/*/new", "Error/10/=11/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"font Write ALL", true, [](const DataSet& d) { return std::make_shared<FontWriteAll>(Region::E, d.font.characters(), true); },
     {"All Font Data Write/0/+1/new", "All Font Data Write/0/+0/new", "All Font Data Write/0/+1/new", "All Font Data Write/0/+1/new", "All Font Data Write/*/*/new", "Error/10/=11/part", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"font Read", false, op<FontCharRead>(Region::E, 2, true),
     {"Success Font Read/1/+1/new", "Font Data Error COM_TYPE 14/0/=2/old", "Success Font Read/1/+1/new", "Font Data Error COM_TYPE 14/0/=2/old", "*/*/*/*", "Com Error/21/=22/old", "Port Error/0/=2/old", "Font Data Error COM_TYPE 13/0/=1/old"}},
    {"font Write", true, [](const DataSet& d) { return std::make_shared<FontCharWrite>(Region::E, 2, d.font.characters()[2], true); },
     {"Success Font Write/1/+1/new", "Success Font Write/0/+0/new", "Success Font Write/1/+1/new", "Font Data Error COM_TYPE 12/0/=2/new", "*/*/*/*", "Com Error/21/=22/new", "Port Error/0/=2/old", "Font Data Error COM_TYPE 11/0/=1/old"}},
    {"bank-link Read", false, op<BankLinkRead>(Region::E, false),
     {"OK/0/+1/new", "OK/0/+1/new", "OK/0/+1/new", "OK/0/+1/new", "Error/3/*/old", "Error/3/=4/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"bank-link Write", true, [](const DataSet& d) { return std::make_shared<BankLinkWrite>(Region::E, d.bankLinks, d.banks, false); },
     {"Success Group Data Write/0/+1/new", "Success Group Data Write/0/+0/new", "Success Group Data Write/0/+1/new", "Success Group Data Write/0/+1/new", "Error/3/*/new", "Error/3/=4/new", "Port Error/0/=2/old", "Error/3/=3/old"}},
    // The sequences meet each fault in their channel step: a failure there
    // ends them with that step's own outcome; after a retried exchange they
    // go on, and the summary's counter is that of their last main-window step.
    {"Read all", false, op<ReadAll>(Region::E),
     {"Success ALL DATA READ/0/+1/new", "Success ALL DATA READ/0/+1/new", "Success ALL DATA READ/0/+1/new", "Success ALL DATA READ/0/+1/new", "Success ALL DATA READ/*/*/new", "Error/30/=31/old", "Port Error/0/=2/old", "Error/3/=3/old"}},
    {"Write all", true, [](const DataSet& d) { return std::make_shared<WriteAll>(Region::E, d); },
     {"Success ALL DATA WRITE/0/+1/new", "Success ALL DATA WRITE/0/+0/new", "Success ALL DATA WRITE/0/+1/new", "Success ALL DATA WRITE/0/+1/new", "Error/3/*/part", "Error/3/=4/part", "Port Error/0/=3/part", "Error/3/=3/old"}},
};
// clang-format on

// One run of an operation on a fresh receiver, with what it left.
struct Result {
    Outcome outcome;
    int frames = 0;
    QByteArray dataBefore, dataAfter, imageBefore, imageAfter;
    bool portOpen = false;
};

Result runCell(const Row& row, int column) {
    Result r;
    test::SimLink t;
    t.sim->setImage(sim::sampleImage());
    if (column < ColumnCount)
        addFault(*t.sim, Column(column));
    DataSet data;
    prepare(data);
    r.dataBefore = snapshot(data);
    r.imageBefore = imageHash(*t.sim);
    std::shared_ptr<Operation> operation = row.make(data);
    operation->timeouts = test::shortTimeouts(TimerMs);
    {
        DataSetSink store(data);
        SinkFan sinks{&t.sink, &store};
        r.outcome = operation->run(t.link, sinks);
    }
    r.portOpen = t.link.isOpen();
    r.frames = t.sim->receivedCount();
    r.dataAfter = snapshot(data);
    r.imageAfter = imageHash(*t.sim);
    return r;
}

QString change(const Result& r, const Result& clean, bool writes) {
    const QByteArray& before = writes ? r.imageBefore : r.dataBefore;
    const QByteArray& after = writes ? r.imageAfter : r.dataAfter;
    const QByteArray& cleanAfter = writes ? clean.imageAfter : clean.dataAfter;
    if (after == before)
        return QStringLiteral("old");
    return after == cleanAfter ? QStringLiteral("new") : QStringLiteral("part");
}

QString cell(const Result& r, const Result& clean, bool writes) {
    const int extra = r.frames - clean.frames;
    const QString frames = r.outcome.kind == Outcome::Success ? QStringLiteral("+%1").arg(extra)
                                                              : QStringLiteral("=%1").arg(r.frames);
    return QStringLiteral("%1/%2/%3/%4")
        .arg(r.outcome.message)
        .arg(r.outcome.failureCounter)
        .arg(frames, change(r, clean, writes));
}

bool matches(const QString& actual, const QString& expected) {
    const QStringList a = actual.split('/'), e = expected.split('/');
    if (a.size() != e.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (e[i] != "*" && e[i] != a[i])
            return false;
    return true;
}

} // namespace

class TestFaultMatrix : public QObject {
    Q_OBJECT
private slots:
    void everyOperationAgainstEveryFault_data();
    void everyOperationAgainstEveryFault();
};

void TestFaultMatrix::everyOperationAgainstEveryFault_data() {
    QTest::addColumn<int>("row");
    for (int i = 0; i < int(std::size(Matrix)); ++i)
        QTest::newRow(Matrix[i].operation) << i;
}

void TestFaultMatrix::everyOperationAgainstEveryFault() {
    QFETCH(int, row);
    const Row& r = Matrix[row];
    const Result clean = runCell(r, ColumnCount);
    QCOMPARE(clean.outcome.kind, Outcome::Success);
    QCOMPARE(clean.outcome.failureCounter, 0);
    QVERIFY(!clean.portOpen);
    QStringList got, mismatches;
    for (int c = 0; c < ColumnCount; ++c) {
        const Result result = runCell(r, c);
        const QString actual = cell(result, clean, r.writes);
        got << actual;
        if (!matches(actual, QLatin1String(r.expected[size_t(c)])))
            mismatches << QStringLiteral("%1: %2, expected %3")
                              .arg(ColumnNames[size_t(c)], actual, r.expected[size_t(c)]);
        // Whatever the fault, the port is closed at the end; the main
        // window's messages have their titles.
        if (result.portOpen)
            mismatches << QStringLiteral("%1: port left open").arg(ColumnNames[size_t(c)]);
        const QString& message = result.outcome.message;
        const bool error = message == "Error" || message == "Port Error";
        if ((error || message == "Success" || message.startsWith("Success ALL DATA")) &&
            result.outcome.title != (error ? " Error" : " Finish"))
            mismatches << QStringLiteral("%1: title \"%2\"")
                              .arg(ColumnNames[size_t(c)], result.outcome.title);
    }
    if (qEnvironmentVariableIsSet("RZ_MATRIX_PRINT"))
        qInfo().noquote() << QStringLiteral("{\"%1\", {\"%2\"}}")
                                 .arg(r.operation, got.join(QStringLiteral("\", \"")));
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.join(QStringLiteral("; "))));
}

QTEST_GUILESS_MAIN(TestFaultMatrix)
#include "tst_fault_matrix.moc"

// Files that could cost the user data: a save that fails (a full disk, or a
// failure at each step of the save) keeps the old file byte for byte and
// says why; only regular files of a sane size are read; a file in which
// nothing is recognised is refused and changes nothing.
#include "files/backup_folder.h"
#include "files/clone_file.h"
#include "files/config_file.h"
#include "files/csv_file.h"
#include "files/data_set_sections.h"
#include "files/recovery_file.h"
#include "files/sample_table.h"
#include "files/text_lines.h"
#include "font/font_file.h"
#include "model/data_set_snapshot.h"
#include "support/test_files.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace rz;

namespace {

enum class Kind { Clone, Csv, Font, Config, Backup, Recovery };
const Kind AllKinds[] = {Kind::Clone,  Kind::Csv,    Kind::Font,
                         Kind::Config, Kind::Backup, Kind::Recovery};
const char* const KindNames[] = {"clone", "csv", "font", "config", "backup", "recovery"};

struct Saved {
    Saved(bool ok, const QString& reason) : ok(ok), reason(reason) {}
    Saved(const FileOutcome& o) : ok(o.ok), message(o.message), reason(o.reason) {}
    bool ok;
    QString message, reason; // the message: for the kinds that show one
};

// One save of each kind into its own place under `folder`, as the program
// makes it; the recovery store lives as long as the fixture, as in the program.
struct Saves {
    DataSet data;
    clone::DataSetSections sections{data, [] { return 3; }};
    QString folder;
    recovery::Store store{folder + "/recovery"};

    explicit Saves(const QString& where) : folder(where) { clone::loadStartUpState(data); }
    QString target(Kind kind) const {
        const char* const names[] = {"mine.V70", "list.CSV", "chars.FK4", "RZ-V70_Writer.INI",
                                     "backups"};
        return kind == Kind::Recovery ? store.path() : folder + '/' + names[int(kind)];
    }
    Saved save(Kind kind) {
        const QString path = target(kind);
        switch (kind) {
        case Kind::Clone:
            return sections.save(path);
        case Kind::Csv:
            return csv::exportFile(path, data.channels);
        case Kind::Font: {
            const fontfile::SaveResult r = fontfile::writeFontFile(path, data.font.characters());
            return {r.ok, r.error};
        }
        case Kind::Config:
            return config::write(path, sections.sections());
        case Kind::Backup: {
            const backup::Result r = backup::save(path, data, 3, backup::Kind::Read, true);
            return {r.ok, r.error};
        }
        default:
            const recovery::Result r = store.save(DataSetSnapshot::take(data));
            return {r.ok, r.error};
        }
    }
    // The target's bytes, or a folder's names and bytes.
    QByteArray contents(Kind kind) const {
        QFileInfoList files{QFileInfo(target(kind))};
        if (files.first().isDir())
            files = QDir(target(kind)).entryInfoList(QDir::Files | QDir::Hidden);
        QByteArray all;
        for (const QFileInfo& f : files)
            all += f.fileName().toUtf8() + ':' + test::readFile(f.absoluteFilePath());
        return all;
    }
    // Every kind saved once, then the data changed so that a save would
    // write other bytes.
    void saveAllThenChange() {
        for (Kind kind : AllKinds)
            QVERIFY2(save(kind).ok, KindNames[int(kind)]);
        sample::fill(data.channels);
        data.font.setDot(2, 3, 4, true);
    }
    // Refused with the reason, and the old file kept byte for byte.
    void verifyRefused(Kind kind, const QByteArray& before, const QString& why) {
        const Saved saved = save(kind);
        QVERIFY2(!saved.ok && saved.reason.contains(why), qPrintable(saved.reason));
        if (kind == Kind::Clone || kind == Kind::Csv || kind == Kind::Config)
            QCOMPARE(saved.message, QStringLiteral("Can't save the file."));
        QVERIFY2(contents(kind) == before, KindNames[int(kind)]);
    }
};

// A tiny file system that the test mounts (and unmounts when it ends), or
// nothing where mounting is not allowed.
struct TinyFileSystem {
    QTemporaryDir dir;
    bool mounted = false;
    explicit TinyFileSystem(const QString& size) {
        mounted = QProcess::execute(
                      "mount", {"-t", "tmpfs", "-o", "size=" + size, "tmpfs", dir.path()}) == 0;
    }
    ~TinyFileSystem() {
        if (mounted)
            QProcess::execute("umount", {dir.path()});
    }
    // Takes every free block.
    void fill() const {
        QFile filler(dir.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
    }
};

// Runs the readers of FIFOs; while one of them is stuck on a pipe, a writer
// comes by every 100 ms so that the test ends (and fails) rather than hangs.
template <typename Read> void readThroughFifos(const QStringList& fifos, Read read) {
    std::atomic<bool> done{false};
    std::thread rescuer([&] {
        while (!done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            for (const QString& fifo : fifos) {
                const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        }
    });
    read();
    done = true;
    rescuer.join();
}

} // namespace

class TestFileSafety : public QObject {
    Q_OBJECT
private slots:
    void aFullDiskKeepsEveryOldFile() {
        // About 0.5 MB for the recovery file, and a little for the rest.
        TinyFileSystem disk("1m");
        if (!disk.mounted)
            QSKIP("no tmpfs can be mounted here");
        Saves saves(disk.dir.path());
        saves.saveAllThenChange();
        std::map<Kind, QByteArray> before;
        for (Kind kind : AllKinds)
            before[kind] = saves.contents(kind);
        disk.fill();
        for (Kind kind : AllKinds)
            saves.verifyRefused(kind, before[kind], "No space left on device");
    }

    void aFailureAtAnyStepOfASaveKeepsTheOldFile_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("kind");
        const char* const steps[] = {"open", "write", "flush", "commit"};
        for (int step = 0; step < 4; ++step)
            for (Kind kind : AllKinds)
                QTest::addRow("%s %s", steps[step], KindNames[int(kind)]) << step << int(kind);
    }
    void aFailureAtAnyStepOfASaveKeepsTheOldFile() {
        QFETCH(int, step);
        QFETCH(int, kind);
        QTemporaryDir dir;
        Saves saves(dir.path());
        saves.saveAllThenChange();
        const QByteArray before = saves.contents(Kind(kind));
        {
            const textfile::ForcedSaveFailure failure(textfile::ForcedSaveFailure::Step(step), EIO);
            saves.verifyRefused(Kind(kind), before, "Input/output error");
        }
        QVERIFY(saves.save(Kind(kind)).ok); // the disk is well again
        QVERIFY(saves.contents(Kind(kind)) != before);
    }

    void onlyRegularFilesOfASaneSizeAreRead() {
        QTemporaryDir dir;
        DataSet data;
        clone::DataSetSections sections(data, [] { return 1; });
        sample::fill(data.channels);
        const DataSetSnapshot kept = DataSetSnapshot::take(data);
        // Every reader of the program, each with the reason it gives.
        const auto readAll = [&](const QString& stem) {
            QStringList reasons;
            reasons << sections.open(stem + ".V70").reason;
            reasons << csv::importFile(stem + ".CSV", data.channels).reason;
            QString error;
            reasons << (recovery::read(stem + ".V70", &error) ? QString() : error);
            reasons << fontfile::readFontFile(stem + ".FK4", data.font).describe();
            reasons << (config::readPort(stem + ".V70").fileRead ? "config read" : "");
            return reasons;
        };
        const auto verifyAll = [&](const QStringList& reasons, const QString& why) {
            for (const QString& reason : reasons.mid(0, reasons.size() - 1))
                QVERIFY2(reason.contains(why), qPrintable(reason));
            QCOMPARE(reasons.last(), QString()); // the configuration is not read either
            QVERIFY(DataSetSnapshot::take(data) == kept);
        };

        const QString fifo = dir.filePath("pipe");
        QStringList fifos;
        for (const char* suffix : {".V70", ".CSV", ".FK4"}) {
            fifos << fifo + suffix;
            QCOMPARE(::mkfifo(QFile::encodeName(fifos.last()).constData(), 0600), 0);
        }
        QStringList reasons;
        readThroughFifos(fifos, [&] { reasons = readAll(fifo); });
        verifyAll(reasons, "is not a regular file");

        const QString zero = dir.filePath("zero");
        for (const char* suffix : {".V70", ".CSV", ".FK4"})
            QVERIFY(QFile::link("/dev/zero", zero + suffix));
        verifyAll(readAll(zero), "is not a regular file");

        // Sparse files just over the limits.
        const QString large = dir.filePath("large");
        const auto sparse = [](const QString& path, qint64 size) {
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.resize(size);
        };
        for (const char* suffix : {".V70", ".CSV"})
            QVERIFY(sparse(large + suffix, textfile::MaxTextFileBytes + 1));
        QVERIFY(sparse(large + ".FK4", fontfile::MaxFileBytes + 1));
        reasons = readAll(large);
        verifyAll(reasons.mid(0, 3) << reasons.last(), "the file is larger than 16 MiB");
        verifyAll(reasons.mid(3), "the file is larger than 1 MiB");
    }

    void aFileWithNothingToRecogniseIsRefused() {
        DataSet data;
        clone::DataSetSections sections(data, [] { return 1; });
        sample::fill(data.channels);
        const DataSetSnapshot kept = DataSetSnapshot::take(data);
        const auto read = [&](const QStringList& lines) {
            return clone::readCloneText(textfile::joinLines(lines), sections.sections());
        };
        for (const QStringList& junk : {QStringList{"hello", "world"}, QStringList{"x"},
                                        QStringList{"File End", "File End"}}) {
            const FileOutcome refused = read(junk);
            QVERIFY(!refused.ok);
            QCOMPARE(refused.message, QStringLiteral("Can't open the file."));
            QCOMPARE(refused.reason,
                     QStringLiteral("no line of the file is a line of a clone file"));
            QVERIFY(DataSetSnapshot::take(data) == kept);
        }
        // One line it knows is enough: the header alone, or a title without it.
        QVERIFY(read({"Save Date and Time 2026/01/01 10:00:00", "File End"}).ok);
        QVERIFY(read({"junk", "TITLEabc"}).ok);
        QCOMPARE(data.settings.title(), QStringLiteral("abc"));

        // A CSV with its heading but no row of fourteen fields imports nothing.
        const QString heading = csv::exportLines(ChannelTable()).first();
        DataSet other;
        sample::fill(other.channels);
        const DataSetSnapshot otherKept = DataSetSnapshot::take(other);
        for (const QStringList& rows : {QStringList{heading}, QStringList{heading, "a,b", "c"}}) {
            const csv::ImportResult result =
                csv::parseImport(textfile::joinLines(rows), other.channels, {});
            QVERIFY(!result.outcome.ok);
            QCOMPARE(result.outcome.reason, QStringLiteral("no line of the file is a channel row"));
            csv::applyImport(result, other.channels);
            QVERIFY(DataSetSnapshot::take(other) == otherKept);
        }
    }

    void everyCsvFieldIsCutToItsWidth() {
        ChannelTable table;
        sample::fill(table);
        const QStringList exported = csv::exportLines(table);
        QString row = exported.at(1);
        row.replace("CALL", QString(1000000, QChar(0x65E5)))
            .replace("0.00000MHz", "0." + QString(100000, '0'));
        const csv::ImportResult result =
            csv::parseImport(textfile::joinLines({exported.first(), row}), table, {});
        QVERIFY(result.outcome.ok);
        for (const QString& cell : result.rows.at(1).cells)
            QVERIFY2(cell.size() <= 16 + 3, qPrintable(cell.left(40)));         // with "MHz"
        QCOMPARE(result.rows.at(1).cells[ColName], QString(16, QChar(0x65E5))); // 32 bytes
        QCOMPARE(result.outcome.notices.value(0).text,
                 QStringLiteral("the name is cut to 32 bytes"));
    }
};

QTEST_GUILESS_MAIN(TestFileSafety)
#include "tst_file_safety.moc"

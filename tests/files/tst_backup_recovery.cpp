// Snapshots of the whole data set, the recovery file that keeps one, and
// the backup folder: exact round trips, damaged files refused, the lock that
// keeps two programs apart, and rotation.
#include "files/backup_folder.h"
#include "files/recovery_file.h"
#include "files/sample_table.h"
#include "support/test_files.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

// Every area away from its start-up state, including what the clone file
// cannot hold: a bank total other than 1200, settings bytes no list owns,
// a kept list, the DET/IQ states and the font.
void vary(DataSet& data) {
    sample::fill(data.channels);
    data.channels.setText(1500, ColFrequency, QStringLiteral("7.00000MHz")); // not in use
    data.banks.setSize(3, 77);
    data.oneTouch.setKey(2, {4, 9, false});
    data.bankLinks.setEntry(4, 2, 1);
    data.bankLinks.setEmptyFlag(7, true);
    data.settings.setByte(190, 0xA5);
    data.settings.setPosition(settings::LanguageList, 1);
    data.settings.keepBytesOf({settings::WildKey});
    data.settings.setPosition(settings::DetOutput, 1); // "enable"
    data.settings.leaveList(settings::DetOutput);
    data.settings.setTitle(QStringLiteral("ﾃｽﾄ 日本"));
    data.font.setDot(5, 3, 4, true);
}

} // namespace

class TestBackupRecovery : public QObject {
    Q_OBJECT
private slots:
    void snapshotRestoresEveryAreaExactly() {
        DataSet original;
        vary(original);
        const DataSetSnapshot kept = DataSetSnapshot::take(original);
        DataSet other;
        QCOMPARE(DataSetSnapshot::take(other).differences(kept),
                 int(DataSetSnapshot::Channels | DataSetSnapshot::Banks |
                     DataSetSnapshot::OneTouch | DataSetSnapshot::BankLinks |
                     DataSetSnapshot::Settings | DataSetSnapshot::Font));
        QSignalSpy rows(&other.channels, &ChannelTable::rowsChanged);
        kept.restore(other);
        QVERIFY(DataSetSnapshot::take(other) == kept);
        QCOMPARE(rows.count(), 1); // one report for the whole table
        QCOMPARE(other.settings.vocabulary(), original.settings.vocabulary());
        QVERIFY(!other.settings.isEnabled(settings::IqOutput));
        // Putting back the same thing reports nothing.
        QSignalSpy banks(&other.banks, &BankLayout::changed);
        kept.restore(other);
        QCOMPARE(banks.count(), 0);
    }

    void recoveryFileHoldsTheSnapshotAndRefusesDamage() {
        DataSet data;
        vary(data);
        const DataSetSnapshot kept = DataSetSnapshot::take(data);
        QTemporaryDir dir;
        const QString path = dir.filePath("a.rzrecovery");
        QVERIFY(recovery::write(path, kept).ok);
        QVERIFY(recovery::read(path) == kept);

        const QByteArray bytes = recovery::encode(kept);
        QVERIFY(!recovery::decode(bytes.left(bytes.size() - 1)));
        QVERIFY(!recovery::decode(bytes + 'x'));
        QVERIFY(!recovery::decode(QByteArray("RZ-V70 clone")));
        QByteArray otherVersion = bytes;
        otherVersion[int(sizeof "RZ-V70 recovery") + 3] = 2;
        QVERIFY(!recovery::decode(otherVersion));
        // A value no model can hold: a bank of 5000 channels.
        DataSetSnapshot bad = kept;
        bad.bankSizes[0] = 5000;
        QVERIFY(!recovery::decode(recovery::encode(bad)));
        QString error;
        QVERIFY(!recovery::read(dir.filePath("missing"), &error));
        QVERIFY(!error.isEmpty());
    }

    void eachProgramKeepsItsOwnLockedFile() {
        QTemporaryDir dir;
        QVERIFY(test::writeFile(dir.filePath("file"), {})); // a folder that cannot be made
        QVERIFY(!recovery::Store(dir.filePath("file/recovery"))
                     .save(DataSetSnapshot::take(DataSet()))
                     .ok);
        const QString folder = dir.filePath("recovery");
        recovery::Store mine(folder);
        QVERIFY(mine.save(DataSetSnapshot::take(DataSet())).ok);
        QVERIFY(QFile::exists(mine.path()));
        recovery::Store second(folder);
        QVERIFY(second.orphans().isEmpty()); // the first program still runs

        // A file without a living owner is found, and discarded on request.
        const QString left = QDir(folder).filePath("1-2.rzrecovery");
        QVERIFY(recovery::write(left, DataSetSnapshot::take(DataSet())).ok);
        QCOMPARE(second.orphans(), QStringList{left});
        recovery::Store::discard(left);
        QVERIFY(second.orphans().isEmpty());

        const QString own = mine.path();
        mine.remove();
        QVERIFY(!QFile::exists(own));
    }

    void backupsKeepTheNewestThirty() {
        QTemporaryDir dir;
        DataSet data;
        const QDateTime start(QDate(2024, 5, 1), QTime(10, 0));
        QStringList first;
        for (int i = 0; i < 31; ++i) {
            const backup::Result r =
                backup::save(dir.path(), data, 3, backup::Kind::Read, true, start.addSecs(i));
            QVERIFY2(r.ok, qPrintable(r.error));
            if (i == 0)
                first = r.written;
        }
        const QDir folder(dir.path());
        QCOMPARE(folder.entryList({"*.V70"}).size(), backup::Kept);
        QCOMPARE(folder.entryList({"*.FK4"}).size(), backup::Kept);
        for (const QString& gone : first)
            QVERIFY(!QFile::exists(gone));
        QVERIFY(folder.exists("20240501-100030-000-read.V70"));
        // Two backups within one millisecond both stay.
        const backup::Result again =
            backup::save(dir.path(), data, 3, backup::Kind::Write, false, start.addSecs(40));
        const backup::Result twice =
            backup::save(dir.path(), data, 3, backup::Kind::Write, false, start.addSecs(40));
        QVERIFY(again.ok && twice.ok);
        QVERIFY(again.written != twice.written);
    }
};

QTEST_GUILESS_MAIN(TestBackupRecovery)
#include "tst_backup_recovery.moc"

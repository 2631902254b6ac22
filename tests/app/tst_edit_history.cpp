// Undo and redo, the modified mark, the "Save changes?" question, backups
// and the recovery file, through the real main window.
#include "app/data_safety.h"
#include "app/sim_window.h"
#include "files/recovery_file.h"
#include "font/font_file.h"
#include "memory/ui/channel_grid.h"
#include "support/radio_support.h" // links the simulator
#include "support/test_files.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>

using namespace rz;

namespace {

qint64 clockMs = 1000000; // the recovery file's clock

struct Window : test::SimWindow {
    Window()
        : SimWindow([](SimWindow& s, MainWindow::Options& options) {
              options.backupFolder = s.dir.filePath("backups");
              options.recoveryFolder = s.dir.filePath("recovery");
              options.clock = [] { return clockMs; };
          }) {}
    // The turn of the event loop that ends a user action.
    static void settle() { QCoreApplication::processEvents(); }
    QString undoText() const { return find<QAction>("EditUndo")->text(); }
    void undo() const { trigger("EditUndo"); }
    QStringList backups() const {
        return QDir(dir.filePath("backups")).entryList({"*.V70", "*.FK4"}, QDir::Files);
    }
    // A channel as the Memory Setting dialog stores it: a frequency, in use.
    void setChannel(int row, const QString& frequency) {
        ChannelRow r = data.channels.row(row);
        r.cells[ColFrequency] = frequency;
        r.codes.inUse = 1;
        data.channels.setRow(row, r);
    }
    QString recoveryFile() const { return w->safety().recovery()->store().path(); }
    bool unchangedSince(const DataSetSnapshot& s) const { return DataSetSnapshot::take(data) == s; }
};

} // namespace

class TestEditHistory : public QObject {
    Q_OBJECT
private slots:
    void eachKindOfEditIsOneStepThroughTheWidgets() {
        Window win;
        QCOMPARE(win->menuBar()->actions().at(1)->text(), QStringLiteral("Edit(&E)"));
        QVERIFY(!win.find<QAction>("EditUndo")->isEnabled());
        const DataSetSnapshot start = DataSetSnapshot::take(win.data);

        // Grid "Clear" names its rows.
        win.data.channels.setText(6, ColFrequency, QStringLiteral("145.00000MHz"));
        win.settle();
        win->grid()->selectRows(5, 9);
        win.click("Clear_Botton");
        win.settle();
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Clear rows 5–9"));
        QVERIFY(win.data.channels.text(6, ColFrequency).isEmpty());
        win.undo();
        QCOMPARE(win.data.channels.text(6, ColFrequency), QStringLiteral("145.00000MHz"));
        QCOMPARE(win.find<QAction>("EditRedo")->text(), QStringLiteral("&Redo Clear rows 5–9"));
        win.trigger("EditRedo");
        QVERIFY(win.data.channels.text(6, ColFrequency).isEmpty());
        win.undo();

        // A bank count box, with the row labels that follow it, is one step.
        win->switchTab(MainWindow::BankTab);
        auto* count = win.find<QLineEdit>("Text1(0)");
        count->clear();
        QTest::keyClicks(count, "50");
        QTest::keyClick(count, Qt::Key_Return);
        win.settle();
        QCOMPARE(win.data.banks.size(0), 50);
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Bank sizes"));
        win.undo();
        QCOMPARE(win.data.banks.size(0), 100);

        // A settings list and the opening message.
        win->switchTab(MainWindow::SetModeTab);
        auto* speed = win.find<QComboBox>("Set_Mode_Scan(4)");
        QTest::keyClick(speed, Qt::Key_Down);
        win.settle();
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Settings"));
        const int moved = win.data.settings.position(settings::ScanSpeed);
        win.undo();
        QVERIFY(win.data.settings.position(settings::ScanSpeed) != moved);
        QCOMPARE(speed->currentIndex(), win.data.settings.position(settings::ScanSpeed));

        // The models every other page edits: one-touch keys, bank links, font.
        const std::pair<std::function<void()>, const char*> edits[] = {
            {[&] { win.data.oneTouch.setNoSetting(0, false); }, "&Undo One-touch keys"},
            {[&] { win.data.bankLinks.toggle(1, 1); }, "&Undo Bank links"},
            {[&] { win.data.font.fillRect(2, 0, 0, 3, 3, true); }, "&Undo Font"}};
        for (const auto& [edit, undoText] : edits) {
            edit();
            win.settle();
            QCOMPARE(win.undoText(), QLatin1String(undoText));
        }
        for (int i = 0; i < 3; ++i)
            win.undo();
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Edit channels"));
        win.undo();
        QVERIFY(win.unchangedSince(start));
        QVERIFY(!win->isWindowModified());
        // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z.
        QCOMPARE(win.find<QAction>("EditUndo")->shortcut(), QKeySequence(QKeySequence::Undo));
        QCOMPARE(win.find<QAction>("EditRedo")->shortcuts(),
                 (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));
    }

    void aReadIsOneStepUndoWaitsForItAndEachTransferIsBackedUp() {
        Window win;
        win.sim->setImage(sim::sampleImage());
        win.data.channels.setText(3, ColFrequency, QStringLiteral("1.00000MHz"));
        win.settle();
        QVERIFY(win->isWindowModified());
        win.dialogs->chosenButton = QStringLiteral("Discard");
        win.click("READ_Botton");
        QCOMPARE(win.dialogs->choices.size(), 1); // "Save changes?"
        QVERIFY(win->linkState().isBusy());
        QVERIFY(!win.find<QAction>("EditUndo")->isEnabled());
        QVERIFY(!win->safety().history().undo()); // refused while it runs
        QVERIFY(win.finished(1));
        QCOMPARE(win.dialogs->messages[0].text, QStringLiteral("Success"));
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Read channels"));
        // What was read is the saved state, and is backed up.
        QVERIFY(!win->isWindowModified());
        QCOMPARE(win.backups().size(), 1);
        QVERIFY(win.backups()[0].endsWith("-read.V70"));
        const QString read = win.data.channels.text(1, ColFrequency);
        win.undo();
        QCOMPARE(win.data.channels.text(3, ColFrequency), QStringLiteral("1.00000MHz"));
        QVERIFY(win->isWindowModified());
        win.trigger("EditRedo");
        QCOMPARE(win.data.channels.text(1, ColFrequency), read);
        QVERIFY(!win->isWindowModified());

        // Memory Write saves what it writes first.
        win.click("WRITE_Botton");
        QVERIFY(win.finished(2));
        QCOMPARE(win.backups().size(), 2);

        // A backup that fails leaves the read successful.
        QVERIFY(QDir(win.dir.filePath("backups")).removeRecursively());
        QVERIFY(test::writeFile(win.dir.filePath("backups"), {})); // a file for the folder
        win.click("READ_Botton");
        QVERIFY(win.finished(3));
        QCOMPARE(win.messageTexts(), QStringList(3, "Success"));
        QVERIFY(win->statusBar()->currentMessage().startsWith("Backup not saved: "));
        QVERIFY(!win->isWindowModified());
    }

    void theSaveChangesQuestion() {
        Window win;
        const QString file = win.dir.filePath("mine.V70");
        const QString other = win.dir.filePath("other.V70");
        win.setChannel(3, QStringLiteral("145.00000MHz"));
        win.dialogs->chosenPath = other;
        win.trigger("TEST_CLICK");
        QVERIFY(!win->isWindowModified());
        win.setChannel(3, QStringLiteral("146.00000MHz"));
        win.settle();
        QVERIFY(win->isWindowModified());
        const DataSetSnapshot edited = DataSetSnapshot::take(win.data);

        // Cancel: no file dialog, nothing changes.
        win.dialogs->chosenButton = QStringLiteral("Cancel");
        for (const char* action : {"ReadFile", "FILE_INPORT", "ALL_READ"})
            win.trigger(action);
        win.click("READ_Botton");
        QCOMPARE(win.dialogs->choices.size(), 4);
        QCOMPARE(win.dialogs->choices[0].detail, QStringLiteral("Save/Discard/Cancel"));
        QCOMPARE(win.dialogs->fileDialogs.size(), 1);
        QVERIFY(!win->linkState().isBusy());
        QVERIFY(win.unchangedSince(edited));

        // Save writes the file, then the open goes on.
        win.dialogs->chosenButton = QStringLiteral("Save");
        win.dialogs->chosenPath = file; // both dialogs give this path
        win.trigger("ReadFile");
        QVERIFY(QFile::exists(file));
        QCOMPARE(win.dialogs->fileDialogs.size(), 3);
        QCOMPARE(win.data.channels.text(3, ColFrequency), QStringLiteral("146.00000MHz"));
        QVERIFY(!win->isWindowModified());

        // Discard goes on without saving; an open is one step.
        win.setChannel(4, QStringLiteral("147.00000MHz"));
        win.dialogs->chosenButton = QStringLiteral("Discard");
        win.dialogs->chosenPath = other;
        win.trigger("ReadFile");
        QCOMPARE(win.data.channels.text(3, ColFrequency), QStringLiteral("145.00000MHz"));
        QVERIFY(win.data.channels.text(4, ColFrequency).isEmpty());
        QVERIFY(!win->isWindowModified());
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Open other.V70"));
        win.undo();
        QCOMPARE(win.data.channels.text(4, ColFrequency), QStringLiteral("147.00000MHz"));

        // Closing: Discard closes. (Cancel: the window transfer test.)
        win.dialogs->chosenButton = QStringLiteral("Discard");
        QVERIFY(win->close());
    }

    void theRecoveryFileFollowsUnsavedChanges() {
        Window win;
        win.data.channels.setText(3, ColFrequency, QStringLiteral("145.00000MHz"));
        win.settle();
        const QString path = win.recoveryFile();
        QVERIFY(QFile::exists(path)); // the first change is kept at once
        QVERIFY(win.unchangedSince(*recovery::read(path)));

        // Within 30 s a further change waits for the clock.
        win.data.channels.setText(4, ColFrequency, QStringLiteral("146.00000MHz"));
        win.settle();
        QVERIFY(!win.unchangedSince(*recovery::read(path)));
        clockMs += RecoveryKeeper::IntervalMs - 1;
        win->safety().recovery()->tick();
        QVERIFY(!win.unchangedSince(*recovery::read(path)));
        clockMs += 1;
        win->safety().recovery()->tick();
        QVERIFY(win.unchangedSince(*recovery::read(path)));

        // Undone back to the saved state: nothing to recover.
        win.undo();
        win.undo();
        QVERIFY(!win->isWindowModified());
        QVERIFY(!QFile::exists(path));
    }

    void aRecoveryFileFoundAtStartRestoresTheExactDataSet() {
        DataSet crashed;
        crashed.channels.setText(1500, ColFrequency, QStringLiteral("7.00000MHz"));
        crashed.banks.setSize(0, 7); // a total the clone file would not keep
        crashed.settings.setByte(191, 0x5A);
        crashed.font.setDot(7, 15, 15, true);
        const DataSetSnapshot kept = DataSetSnapshot::take(crashed);
        Window win;
        const QString left = win.dir.filePath("recovery/99-1.rzrecovery");
        QDir().mkpath(win.dir.filePath("recovery"));
        QVERIFY(recovery::write(left, kept).ok);
        const DataSetSnapshot start = DataSetSnapshot::take(win.data);

        win.dialogs->chosenButton = QStringLiteral("Restore");
        win->offerRecovery();
        QCOMPARE(win.dialogs->choices.size(), 1);
        QCOMPARE(win.dialogs->choices[0].detail, QStringLiteral("Restore/Discard"));
        QVERIFY(win.unchangedSince(kept));
        QVERIFY(win->isWindowModified());
        QVERIFY(!QFile::exists(left));
        QVERIFY(QFile::exists(win.recoveryFile())); // now this program keeps it
        win.undo();
        QVERIFY(win.unchangedSince(start));

        // Discard: nothing changes, and the work is kept as a backup.
        QVERIFY(recovery::write(left, kept).ok);
        win.dialogs->chosenButton = QStringLiteral("Discard");
        win->offerRecovery();
        QVERIFY(!QFile::exists(left));
        QVERIFY(win.unchangedSince(start));
        const QStringList backups = win.backups();
        QCOMPARE(backups.size(), 2);
        QVERIFY(backups[0].endsWith("-discarded.FK4") && backups[1].endsWith("-discarded.V70"));
        FontStore font;
        QVERIFY(fontfile::readFontFile(win.dir.filePath("backups/" + backups[0]), font).ok());
        QVERIFY(font.dot(7, 15, 15));
    }

    void theBackupFolderIsNamedWhenItCannotBeShown() {
        Window win;
        QString shown;
        win->safety().setFolderOpener([&](const QString& folder) {
            shown = folder;
            return false; // no file manager
        });
        win.trigger("BackupFolder");
        QVERIFY(QFileInfo(shown).isDir());
        QCOMPARE(win.dialogs->messages.value(0).detail,
                 QDir::toNativeSeparators(win.dir.filePath("backups")));
    }
};

QTEST_MAIN(TestEditHistory)
#include "tst_edit_history.moc"

// Channel lists through the real window: copy, cut and paste of grid rows
// by the keyboard (within a window and into a second one), the find bar,
// and the File menu's channel-list import and export, each change one undo
// step.
#include "app/sim_window.h"
#include "files/sample_table.h"
#include "memory/ui/channel_grid.h"
#include "memory/ui/find_bar.h"
#include "support/radio_support.h" // links the simulator
#include "support/test_files.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>

using namespace rz;

namespace {

struct Window : test::SimWindow {
    Window() {
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    ChannelGrid* grid() const { return w->grid(); }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
        QCoreApplication::processEvents(); // the turn that ends the user action
    }
    QString undoText() const { return find<QAction>("EditUndo")->text(); }
    QStringList cells(int row) const {
        const auto& c = data.channels.row(row).cells;
        return QStringList(c.begin() + 1, c.end());
    }
};

} // namespace

class TestGridEditing : public QObject {
    Q_OBJECT
private slots:
    void copyCutAndPasteRowsByTheKeyboard() {
        Window win;
        sample::fill(win.data.channels);
        win.grid()->setFocus();
        win.grid()->selectRows(1, 3);
        win.key(Qt::Key_C, Qt::ControlModifier);
        const QStringList copied = QGuiApplication::clipboard()->text().split('\n');
        QCOMPARE(copied.size(), 4); // three rows and the last line end
        QCOMPARE(copied.at(1), QStringLiteral("433.12500MHz\tNFM\t12.5KHz\t800Hz\tTSQ\t100.0Hz\t"
                                              "250.3Hz\t023\t+\t5.00000MHz\t*\t"
                                              "東京都消防庁指令センター本部通信"));

        // Pasted at the current row, the rows come back as they were, the
        // hidden transmit tone too; the whole paste is one step.
        win.grid()->selectRow(50);
        win.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Paste at row 50"));
        QVERIFY(win.dialogs->messages.isEmpty()); // nothing to report
        QCOMPARE(win.cells(51).mid(0, 11), win.cells(2).mid(0, 11));
        QCOMPARE(win.data.channels.codes(51), win.data.channels.codes(2));
        QCOMPARE(win.data.channels.codes(52), win.data.channels.codes(3));
        QCOMPARE(win.grid()->selectedRows().last, 52);
        win.trigger("EditUndo");
        for (int r = 50; r <= 52; ++r)
            QVERIFY(!win.data.channels.inUse(r));

        // Into a second program: another window with its own data.
        {
            Window other;
            other.grid()->setFocus();
            other.grid()->selectRow(7);
            other.key(Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(other.cells(8), win.cells(2));
            QCOMPARE(other.data.channels.codes(9), win.data.channels.codes(3));
        }

        // Cut copies and clears, as one step; the bug-detector rows are
        // copied but never cleared.
        win.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
        win.grid()->setFocus();
        win.grid()->selectRows(1700, 1701);
        win.key(Qt::Key_X, Qt::ControlModifier);
        QVERIFY(!win.data.channels.inUse(1700));
        QVERIFY(win.data.channels.inUse(1701));
        QVERIFY(QGuiApplication::clipboard()->text().startsWith("0.05000MHz\tAM\t5KHz"));
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Cut rows 1700-1701"));
        win.trigger("EditUndo");
        QVERIFY(win.data.channels.inUse(1700));

        // A paste that reaches the bug-detector rows stores what fits and
        // names the rest.
        win.grid()->selectRow(1700);
        win.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(win.messageTexts(), QStringList{"Paste: 1 stored, 1 refused, 0 changed"});
        QVERIFY2(win.dialogs->messages.last().detail.startsWith("Line 2: row 1701: refused"),
                 qPrintable(win.dialogs->messages.last().detail));
        QCOMPARE(win.cells(1701).first(), QStringLiteral("398.60500MHz"));

        // Cells that fail the CSV import's checks are refused with the reason;
        // an empty copied row clears its row.
        QGuiApplication::clipboard()->setText(
            "145.00000MHz\tfm\t5KHz\tJR\tNone\t\t88.5Hz\t023\tOff\t0.00000MHz\t\tX\n"
            "\t\t\t\t\t\t\t\t\t\t\t\n"
            "145.5\tWFM\t5KHz\tJR\tNone\t\t88.5Hz\t023\tOff\t0\t\tY\n");
        win.grid()->selectRow(1);
        win.key(Qt::Key_V, Qt::ControlModifier);
        QVERIFY2(win.dialogs->messages.last().detail.contains(
                     "row 1: refused: \"fm\" is not a mode of the table"),
                 qPrintable(win.dialogs->messages.last().detail));
        QCOMPARE(win.cells(1).last(), QStringLiteral("CALL")); // as it was
        QVERIFY(!win.data.channels.inUse(2));
        QCOMPARE(win.cells(3).first(), QStringLiteral("145.50000MHz"));
        QCOMPARE(win.cells(3).at(ColOffset - 1), QStringLiteral("0.00000MHz"));

        // The common channel-list CSV with its heading pastes too; a grid
        // that is not shown takes nothing.
        QGuiApplication::clipboard()->setText(
            "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,TStep\n"
            "1,Repeater,145.600000,-,0.600000,TSQL,88.5,123.0,FM,12.50\n");
        win.grid()->selectRow(10);
        win->switchTab(MainWindow::BankTab);
        win.trigger("EditPaste");
        QCOMPARE(win.cells(10).first(), QString());
        win->switchTab(MainWindow::MemoryTab);
        win.grid()->setFocus();
        win.key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(win.cells(10).join('|'), QStringLiteral("145.60000MHz|FM|12.5KHz|JR|TSQ|88.5Hz|"
                                                         "123.0Hz|023|-|0.60000MHz||Repeater"));
    }

    void findGoesForwardsBackwardsAndRound() {
        Window win;
        const auto put = [&](int row, const char* frequency, const QString& name) {
            win.data.channels.setRow(row, sample::makeRow({frequency, "FM", 0, 28, "None", 8, 0,
                                                           "Off", "0.00000MHz", false, name}));
        };
        put(10, "118.10000MHz", QStringLiteral("Air 1"));
        put(300, "118.20000MHz", QStringLiteral("MY AIRFIELD"));
        put(700, "145.50000MHz", QStringLiteral("CALL"));
        put(1500, "118.30000MHz", QStringLiteral("air 3"));
        auto* bar = win.find<FindBar>("FindBar");
        QVERIFY(bar && !bar->isVisible());
        win.grid()->setFocus();
        win.grid()->selectRow(1);
        win.key(Qt::Key_F, Qt::ControlModifier);
        QVERIFY(bar->isVisible());
        QCOMPARE(QApplication::focusWidget(), bar->text());
        QTest::keyClicks(bar->text(), "AIR");
        const auto at = [&] { return win.grid()->currentRow(); };
        win.key(Qt::Key_Return);
        QCOMPARE(at(), 10);
        QVERIFY(bar->isVisible()); // Enter did not reach the grid: no dialog
        win.key(Qt::Key_F3);
        QCOMPARE(at(), 300);
        win.key(Qt::Key_F3);
        QCOMPARE(at(), 1500);
        // The view follows the cursor.
        QVERIFY(win.grid()->topRow() <= 1500 &&
                1500 < win.grid()->topRow() + win.grid()->visibleRows());
        win.key(Qt::Key_F3);
        QCOMPARE(at(), 10);
        QCOMPARE(win.find<QLabel>("FindStatus")->text(), QStringLiteral("Wrapped"));
        win.key(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(at(), 1500);
        win.key(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(at(), 300);

        bar->text()->setText(QStringLiteral("145.5"));
        win.key(Qt::Key_Return);
        QCOMPARE(at(), 700);
        bar->text()->setText(QStringLiteral("nowhere"));
        win.key(Qt::Key_Return);
        QCOMPARE(at(), 700);
        QCOMPARE(win.find<QLabel>("FindStatus")->text(), QStringLiteral("Not found"));
        win.key(Qt::Key_Escape);
        QVERIFY(!bar->isVisible());
        QCOMPARE(QApplication::focusWidget(), win.grid());
    }

    void fileMenuImportsAndExportsChannelLists() {
        Window win;
        sample::fill(win.data.channels);
        QMenu* file = win->menuBar()->findChild<QMenu*>("FILE");
        QStringList names;
        for (QAction* action : file->actions())
            names << action->objectName();
        QVERIFY2(names.join(' ').endsWith("BackupFolder FileImportList FileExportList"),
                 qPrintable(names.join(' ')));

        // A name typed without an extension is saved as a channel list.
        const QString path = win.dir.filePath("list.csv");
        win.dialogs->chosenPath = win.dir.filePath("list");
        win.trigger("FileExportList");
        QVERIFY(QFile::exists(path));
        QCOMPARE(win.dialogs->messages.last().text, QStringLiteral("Save File"));
        QVERIFY(win.dialogs->messages.last().detail.contains(
            "(row 17): not in the file: squelch \"Train\""));
        QVERIFY(win.dialogs->fileDialogs.last().save);

        win.grid()->selectRow(600);
        win.dialogs->chosenPath = path;
        win.trigger("FileImportList");
        QCoreApplication::processEvents();
        QCOMPARE(win.dialogs->messages.last().text,
                 QStringLiteral("Import channel list: 30 channels"));
        QCOMPARE(win.cells(600).first(), QStringLiteral("145.00000MHz"));
        QCOMPARE(win.cells(629).first(), QStringLiteral("139.94000MHz")); // the last bug row
        QCOMPARE(win.undoText(), QStringLiteral("&Undo Import list.csv"));
        win.trigger("EditUndo");
        QVERIFY(!win.data.channels.inUse(600) && !win.data.channels.inUse(629));

        // Not a channel list: a message, nothing changed.
        win.dialogs->chosenPath = win.dir.filePath("junk.csv");
        QVERIFY(test::writeFile(win.dialogs->chosenPath, "a,b\n1,2\n"));
        win.trigger("FileImportList");
        QCOMPARE(win.dialogs->messages.last().text, QStringLiteral("Channel List Error"));
        QVERIFY(!win.data.channels.inUse(600));
    }
};

QTEST_MAIN(TestGridEditing)
#include "tst_grid_editing.moc"

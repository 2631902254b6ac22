// The Memory tab through its controls: the grid's shape, opening the Memory
// Setting dialog by double-click and Enter, BACK/NEXT, storing what was typed,
// "Clear", Delete, "All Clear", "Up" and "Down", and the busy code.
#include "banks/bank_layout.h"
#include "link/link_state.h"
#include "memory/ui/channel_grid.h"
#include "memory/ui/channel_set_editor.h"
#include "memory/ui/memory_page.h"
#include "memory/ui/memory_setting_dialog.h"
#include "model/channel_table.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace rz;

namespace {

struct Page {
    ChannelTable table;
    BankLayout banks;
    LinkState link;
    MemoryPage page{table, link, [] { return Region::E; }};
    ChannelGrid* grid = page.grid();
    // One step per opening of the dialog.
    QList<std::function<void(MemorySettingDialog&)>> steps;
    QStringList opened; // the Main set's row label of each opening

    Page() {
        RefreshBankRowLabels(banks, table);
        page.setDialogRunner([this](QDialog& d) {
            auto& dialog = static_cast<MemorySettingDialog&>(d);
            dialog.show();
            opened << label(dialog, "lblMemory");
            if (steps.isEmpty())
                click(dialog, "DETAIL_CANCEL");
            else
                steps.takeFirst()(dialog);
        });
        page.resize(881, 457);
        page.show();
    }

    static QString label(QDialog& d, const char* name) {
        return d.findChild<QLabel*>(QLatin1String(name))->text();
    }
    static void click(QWidget& parent, const char* name) {
        auto* b = parent.findChild<QPushButton*>(QLatin1String(name));
        QVERIFY(b);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    static void type(QDialog& d, const char* box, const QString& text) {
        auto* edit = d.findChild<QLineEdit*>(QLatin1String(box));
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void doubleClick(int row) {
        const QModelIndex index = grid->model()->index(row - 1, ColFrequency);
        grid->scrollTo(index);
        const QPoint at = grid->visualRect(index).center();
        // What the window system sends for a double-click.
        QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    }
    void fillRow(int row, const QString& frequency) {
        ChannelRow r = table.row(row);
        r.cells[ColFrequency] = frequency;
        r.cells[ColName] = "kept";
        r.codes.inUse = 1;
        table.setRow(row, r);
    }
};

} // namespace

class TestMemoryGrid : public QObject {
    Q_OBJECT
private slots:
    void gridShape() {
        Page p;
        QCOMPARE(p.grid->objectName(), QStringLiteral("MSFlexGrid1"));
        QCOMPARE(p.grid->model()->rowCount(), 1721);
        QCOMPARE(p.grid->model()->columnCount(), 13);
        QCOMPARE(p.grid->size(), QSize(867, 400));
        const int widths[] = {0, 110, 40, 60, 53, 60, 0, 60, 40, 40, 100, 37, 200};
        for (int c = 1; c < 13; ++c)
            QCOMPARE(p.grid->columnWidth(c), widths[c]);
        QVERIFY(p.grid->isColumnHidden(ColTxTone));
        QCOMPARE(p.grid->verticalHeader()->width(), 97); // the label column
        QCOMPARE(p.grid->rowHeight(0), 20);
        QCOMPARE(p.grid->rowHeight(1720), 20);
        QCOMPARE(p.grid->model()->headerData(4, Qt::Horizontal).toString(),
                 QStringLiteral("Carrier"));
        QCOMPARE(p.grid->currentRow(), 1);
    }

    void bugRowsDoNotOpen() {
        Page p;
        p.doubleClick(1701);
        QCOMPARE(p.grid->currentRow(), 1701);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QVERIFY(p.opened.isEmpty());
    }

    void typedChannelsAreStored() {
        Page p;
        const struct {
            const char *mhz, *fraction, *stored;
        } cases[] = {{"1300", "", "145.00000MHz"},
                     {"0", "05000", "0.05000MHz"},
                     {"145", "5", "145.50000MHz"}};
        int row = 10;
        for (const auto& c : cases) {
            p.steps << [&](MemorySettingDialog& d) {
                Page::type(d, "DETAIL_FREQ_1", QLatin1String(c.mhz));
                Page::type(d, "DETAIL_FREQ_2", QLatin1String(c.fraction));
                Page::type(d, "DETAIL_NAME", "typed");
                Page::click(d, "DETAIL_ENTER");
            };
            p.doubleClick(row);
            QCOMPARE(p.opened.size(), row - 9);
            QCOMPARE(p.opened.last(), QStringLiteral("Bank00-%1").arg(row - 1, 3, 10, QChar('0')));
            QCOMPARE(p.table.text(row, ColFrequency), QLatin1String(c.stored));
            QCOMPARE(p.table.text(row, ColName), QStringLiteral("typed"));
            QCOMPARE(p.table.text(row, ColOffset), QStringLiteral("0.00000MHz"));
            QVERIFY(p.table.inUse(row));
            ++row;
        }

        // An empty frequency keeps the row's text and marks it not in use.
        p.fillRow(20, "433.00000MHz");
        p.steps << [](MemorySettingDialog& d) {
            QCOMPARE(d.findChild<QLineEdit*>("DETAIL_FREQ_1")->text(), QStringLiteral("433"));
            Page::type(d, "DETAIL_FREQ_1", "");
            Page::type(d, "DETAIL_FREQ_2", "");
            Page::click(d, "DETAIL_ENTER");
        };
        p.doubleClick(20);
        QCOMPARE(p.table.text(20, ColFrequency), QStringLiteral("433.00000MHz"));
        QCOMPARE(p.table.text(20, ColName), QStringLiteral("kept"));
        QVERIFY(!p.table.inUse(20));

        // Cancel stores nothing.
        p.fillRow(21, "433.00000MHz");
        p.doubleClick(21);
        QVERIFY(p.table.inUse(21));
        QCOMPARE(p.table.text(21, ColName), QStringLiteral("kept"));
    }

    void dualPairs() {
        Page p;
        // Sub only: the Main row is cleared, the Sub row written.
        p.fillRow(1307, "145.00000MHz");
        p.steps << [](MemorySettingDialog& d) {
            QVERIFY(d.isDualPair());
            QCOMPARE(Page::label(d, "lblMemory_2"), QStringLiteral("Dual3(Sub) "));
            Page::type(d, "DETAIL_FREQ_1", "");
            Page::type(d, "DETAIL_FREQ_1_2", "433");
            Page::type(d, "DETAIL_SHIFT_FREQ_2_2", "6");
            Page::click(d, "DETAIL_ENTER");
        };
        p.doubleClick(1308); // Dual3(Sub) opens its Main row
        QCOMPARE(p.opened, QStringList{"Dual3(Main) "});
        QCOMPARE(p.table.text(1307, ColFrequency), QString());
        QVERIFY(!p.table.inUse(1307));
        QCOMPARE(p.table.text(1308, ColFrequency), QStringLiteral("433.00000MHz"));
        QCOMPARE(p.table.text(1308, ColOffset), QStringLiteral("0.60000MHz"));
        QVERIFY(p.table.inUse(1308));

        // Main only: the Sub row is cleared.
        p.fillRow(1310, "433.00000MHz");
        p.steps << [](MemorySettingDialog& d) {
            Page::type(d, "DETAIL_FREQ_1", "145");
            Page::type(d, "DETAIL_FREQ_1_2", "");
            Page::click(d, "DETAIL_ENTER");
        };
        p.doubleClick(1309);
        QCOMPARE(p.table.text(1309, ColFrequency), QStringLiteral("145.00000MHz"));
        QCOMPARE(p.table.text(1310, ColFrequency), QString());
        QVERIFY(!p.table.inUse(1310));
        QCOMPARE(p.table.text(1310, ColLabel), QStringLiteral("Dual4(Sub) "));
    }

    void backAndNext() {
        Page p;
        // NEXT>> from a pair goes to the next pair, BACK from the first pair
        // to the last program-scan row.
        p.steps << [](MemorySettingDialog& d) { Page::click(d, "cmdNext"); }
                << [](MemorySettingDialog& d) { Page::click(d, "cmdBack"); }
                << [](MemorySettingDialog& d) { Page::click(d, "cmdBack"); }
                << [](MemorySettingDialog& d) { Page::click(d, "cmdBack"); };
        p.doubleClick(1302);
        QCOMPARE(p.opened, (QStringList{"Dual0(Main) ", "Dual1(Main) ", "Dual0(Main) ", "PRG - 49B",
                                        "PRG - 49A"}));
        QCOMPARE(p.grid->currentRow(), 1299);

        // NEXT>> onto a bug-detector row ends the sequence.
        p.opened.clear();
        p.steps << [](MemorySettingDialog& d) { Page::click(d, "cmdNext"); };
        p.doubleClick(1700);
        QCOMPARE(p.opened, QStringList{"PASS - 99"});
        QCOMPARE(p.grid->currentRow(), 1701);

        // From the Enter key NEXT>> acts like OK.
        p.opened.clear();
        p.steps << [](MemorySettingDialog& d) {
            Page::type(d, "DETAIL_FREQ_1", "145");
            Page::click(d, "cmdNext");
        };
        p.grid->selectRow(5);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QCOMPARE(p.opened, QStringList{"Bank00-004"});
        QCOMPARE(p.table.text(5, ColFrequency), QStringLiteral("145.00000MHz"));
        QCOMPARE(p.grid->currentRow(), 5);
    }

    void clearAndDelete() {
        Page p;
        const auto fillAll = [&] {
            for (int r = 1680; r <= 1700; ++r)
                p.fillRow(r, "145.00000MHz");
        };
        const auto clearedRows = [&] {
            QList<int> rows;
            for (int r = 1680; r <= 1721; ++r)
                if (p.table.text(r, ColFrequency).isEmpty())
                    rows << r;
            return rows;
        };
        const auto range = [](int first, int last) {
            QList<int> rows;
            for (int r = first; r <= last; ++r)
                rows << r;
            return rows;
        };
        QPushButton* clear = p.page.findChild<QPushButton*>("Clear_Botton");

        fillAll();
        p.grid->selectRows(1690, 1710);
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(clearedRows(), range(1690, 1700));
        QCOMPARE(p.grid->currentRow(), 1690); // the selection is kept
        QCOMPARE(p.grid->selectionEnd(), 1710);

        fillAll();
        p.grid->selectRows(1705, 1710);
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(clearedRows(), QList<int>());

        p.grid->selectRow(1701);
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(clearedRows(), QList<int>());

        p.grid->selectRow(1685);
        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(clearedRows(), QList<int>{1685});

        // Delete clears the same rows, but only with the cursor above the
        // bug-detector rows.
        fillAll();
        p.grid->selectRows(1705, 1695);
        QTest::keyClick(p.grid, Qt::Key_Delete);
        QCOMPARE(clearedRows(), QList<int>());
        p.grid->selectRows(1695, 1705);
        QTest::keyClick(p.grid, Qt::Key_Delete);
        QCOMPARE(clearedRows(), range(1695, 1700));
        QCOMPARE(p.table.codes(1695), ChannelCodes::afterClear());
    }

    void allClear() {
        Page p;
        const ChannelRow bug = p.table.row(1710);
        QSignalSpy progress(&p.page, &MemoryPage::progressChanged);
        p.grid->selectRows(30, 40);
        QTest::mouseClick(p.page.findChild<QPushButton*>("ALL_Reset"), Qt::LeftButton);
        for (int r = 1; r <= 1700; ++r)
            QCOMPARE(p.table.codes(r).train, quint8(0));
        QCOMPARE(p.table.row(1710).cells, bug.cells);
        QCOMPARE(p.table.codes(1710), bug.codes);
        QVERIFY(p.page.findChild<QPushButton*>("ALL_Reset")->isEnabled());
        QCOMPARE(progress.at(progress.size() - 2).at(0).toInt(), 100);
        QCOMPARE(progress.last().at(0).toInt(), 0);
        QCOMPARE(progress.last().at(1).toInt(), 100);
        QCOMPARE(p.grid->currentRow(), 30);
        QCOMPARE(p.grid->selectionEnd(), 40);
    }

    void upAndDown() {
        Page p;
        QPushButton* up = p.page.findChild<QPushButton*>("LIST_SET(0)");
        QPushButton* down = p.page.findChild<QPushButton*>("LIST_SET(1)");
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(p.grid->currentRow(), 1);
        const auto cursorVisible = [&] {
            const QRect cell =
                p.grid->visualRect(p.grid->model()->index(p.grid->currentRow() - 1, 1));
            return p.grid->viewport()->rect().contains(cell);
        };
        for (int i = 0; i < 40; ++i) {
            QTest::mouseClick(down, Qt::LeftButton);
            QVERIFY(cursorVisible());
        }
        QCOMPARE(p.grid->currentRow(), 41);
        QVERIFY(p.grid->topRow() > 1);
        // Going up keeps one row above the cursor in view.
        for (int i = 0; i < 20; ++i) {
            QTest::mouseClick(up, Qt::LeftButton);
            QVERIFY(cursorVisible());
            QVERIFY(p.grid->currentRow() == 1 || p.grid->topRow() < p.grid->currentRow());
        }
        QCOMPARE(p.grid->currentRow(), 21);

        p.grid->selectRow(1720);
        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(p.grid->currentRow(), 1721);
        QCOMPARE(p.grid->selectionEnd(), 1721);
    }

    void busyCodeBlocksEverything() {
        Page p;
        p.fillRow(5, "145.00000MHz");
        p.link.setBusyCode(232);
        p.doubleClick(5);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QVERIFY(p.opened.isEmpty());
        p.grid->selectRow(5);
        QTest::mouseClick(p.page.findChild<QPushButton*>("Clear_Botton"), Qt::LeftButton);
        QTest::keyClick(p.grid, Qt::Key_Delete);
        QTest::mouseClick(p.page.findChild<QPushButton*>("ALL_Reset"), Qt::LeftButton);
        QVERIFY(p.table.inUse(5));
        QTest::mouseClick(p.page.findChild<QPushButton*>("LIST_SET(1)"), Qt::LeftButton);
        QCOMPARE(p.grid->currentRow(), 5);
    }
};

QTEST_MAIN(TestMemoryGrid)
#include "tst_memory_grid.moc"

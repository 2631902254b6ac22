// The Memory tab through its controls: the grid's shape, opening the Memory
// Setting dialog by double-click and Enter, BACK/NEXT, storing what was typed,
// "Clear", Delete, "All Clear", "Up" and "Down", and the view kept in place
// while transfers move the cursor. The busy code is tested on the main window.
#include "banks/bank_layout.h"
#include "gui/radio_facade.h"
#include "memory/ui/channel_grid.h"
#include "memory/ui/channel_set_editor.h"
#include "memory/ui/memory_page.h"
#include "memory/ui/memory_setting_dialog.h"
#include "model/channel_table.h"
#include "model/data_set.h"
#include "support/radio_support.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

using namespace rz;

namespace {

using Step = std::function<void(MemorySettingDialog&)>;

struct Page {
    DataSet data;
    ChannelTable& table = data.channels;
    BankLayout& banks = data.banks;
    RadioFacade radio{data};
    MemoryPage page{data, radio};
    ChannelGrid* grid = page.grid();
    QList<Step> steps;  // one per opening of the dialog; Cancel when none is left
    QStringList opened; // the Main set's row label of each opening

    Page() {
        RefreshBankRowLabels(banks, table);
        page.setDialogRunner([this](QDialog& d) {
            auto& dialog = static_cast<MemorySettingDialog&>(d);
            dialog.show();
            opened << label(dialog, "lblMemory");
            steps.isEmpty() ? click(dialog, "DETAIL_CANCEL") : steps.takeFirst()(dialog);
        });
        page.resize(881, 457);
        page.show();
    }

    static QString label(QDialog& d, const char* name) {
        return d.findChild<QLabel*>(QLatin1String(name))->text();
    }
    static void click(QWidget& parent, const char* name) {
        QTest::mouseClick(parent.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    static Step clicking(const char* name) {
        return [name](MemorySettingDialog& d) { click(d, name); };
    }
    // Types the frequency boxes of a set (suffix "" or "_2") and clicks the button.
    static Step typing(const QString& mhz, const QString& fraction, const char* suffix = "",
                       const char* button = "DETAIL_ENTER") {
        return [=](MemorySettingDialog& d) {
            type(d, QByteArray("DETAIL_FREQ_1") + suffix, mhz);
            type(d, QByteArray("DETAIL_FREQ_2") + suffix, fraction);
            click(d, button);
        };
    }
    static void type(QDialog& d, const QByteArray& box, const QString& text) {
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
    void fillRows(int first, int last, const QString& frequency = "145.00000MHz") {
        for (int row = first; row <= last; ++row) {
            ChannelRow r = table.row(row);
            r.cells[ColFrequency] = frequency;
            r.cells[ColName] = "kept";
            r.codes.inUse = 1;
            table.setRow(row, r);
        }
    }
    QList<int> emptyRowsFrom(int first = 1680) const {
        QList<int> rows;
        for (int r = first; r <= ChannelTable::RowCount; ++r)
            if (table.text(r, ColFrequency).isEmpty())
                rows << r;
        return rows;
    }
    QPushButton* button(const char* name) { return page.findChild<QPushButton*>(name); }
};

QList<int> range(int first, int last) {
    QList<int> rows;
    for (int r = first; r <= last; ++r)
        rows << r;
    return rows;
}

} // namespace

class TestMemoryGrid : public QObject {
    Q_OBJECT
private slots:
    void typedChannelsAreStored() {
        Page p;
        // The default band, the lowest frequency, a one-digit fraction. (Enter
        // in a box is "OK": the dialog's own test.)
        const char* const cases[][3] = {{"1300", "", "145.00000MHz"},
                                        {"0", "05000", "0.05000MHz"},
                                        {"145", "5", "145.50000MHz"}};
        int row = 10;
        for (const auto& [mhz, fraction, stored] : cases) {
            p.steps << Page::typing(mhz, fraction);
            p.doubleClick(row);
            QCOMPARE(p.opened.last(), QStringLiteral("Bank00-%1").arg(row - 1, 3, 10, QChar('0')));
            QCOMPARE(p.table.text(row, ColFrequency), QLatin1String(stored));
            QVERIFY(p.table.inUse(row));
            ++row;
        }

        // An empty frequency keeps the row's text and marks it not in use.
        p.fillRows(20, 21, "433.00000MHz");
        p.steps << [](MemorySettingDialog& d) {
            QCOMPARE(d.findChild<QLineEdit*>("DETAIL_FREQ_1")->text(), QStringLiteral("433"));
            Page::typing("", "")(d);
        };
        p.doubleClick(20);
        QCOMPARE(p.table.text(20, ColFrequency), QStringLiteral("433.00000MHz"));
        QCOMPARE(p.table.text(20, ColName), QStringLiteral("kept"));
        QVERIFY(!p.table.inUse(20));

        p.doubleClick(21); // Cancel stores nothing
        QVERIFY(p.table.inUse(21));
        QCOMPARE(p.table.text(21, ColName), QStringLiteral("kept"));
    }

    void dualPairs() {
        Page p;
        // Each pair opened from its Sub row, with Main and Sub typed or left
        // empty: an empty set clears its row; the next pair is not touched.
        p.fillRows(1301, 1310);
        const bool cases[][2] = {{true, true}, {true, false}, {false, true}, {false, false}};
        int main = 1301;
        for (const auto& c : cases) {
            const bool withMain = c[0], withSub = c[1];
            p.steps << [=](MemorySettingDialog& d) {
                QVERIFY(d.isDualPair());
                QCOMPARE(Page::label(d, "lblMemory_2"),
                         QStringLiteral("Dual%1(Sub) ").arg((main - 1301) / 2));
                Page::type(d, "DETAIL_FREQ_1", withMain ? "146" : "");
                Page::typing(withSub ? "433" : "", "", "_2")(d);
            };
            p.doubleClick(main + 1);
            QCOMPARE(p.opened.last(), QStringLiteral("Dual%1(Main) ").arg((main - 1301) / 2));
            QCOMPARE(p.table.text(main, ColFrequency),
                     QLatin1String(withMain ? "146.00000MHz" : ""));
            QCOMPARE(p.table.inUse(main), withMain);
            QCOMPARE(p.table.text(main + 1, ColFrequency),
                     QLatin1String(withSub ? "433.00000MHz" : ""));
            QCOMPARE(p.table.inUse(main + 1), withSub);
            QCOMPARE(p.table.text(main + 2, ColName), QStringLiteral("kept"));
            main += 2;
        }
        QCOMPARE(p.table.text(1308, ColLabel), QStringLiteral("Dual3(Sub) ")); // labels stay
        QCOMPARE(p.table.codes(1307), ChannelCodes::afterClear());
    }

    void backAndNext() {
        Page p;
        // A bug-detector row opens nothing, by double-click or Enter.
        p.doubleClick(1701);
        QCOMPARE(p.grid->currentRow(), 1701);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QVERIFY(p.opened.isEmpty());

        // NEXT>> from a pair goes to the next pair, BACK from the first pair
        // to the last program-scan row.
        p.steps << Page::clicking("cmdNext");
        for (int i = 0; i < 5; ++i)
            p.steps << Page::clicking("cmdBack");
        p.doubleClick(1308);
        QCOMPARE(p.opened,
                 (QStringList{"Dual3(Main) ", "Dual4(Main) ", "Dual3(Main) ", "Dual2(Main) ",
                              "Dual1(Main) ", "Dual0(Main) ", "PRG - 49B"}));
        QCOMPARE(p.grid->currentRow(), 1300);

        // NEXT>> onto a bug-detector row ends the sequence.
        p.opened.clear();
        p.steps << Page::clicking("cmdNext");
        p.doubleClick(1700);
        QCOMPARE(p.opened, QStringList{"PASS - 99"});
        QCOMPARE(p.grid->currentRow(), 1701);

        // From the Enter key NEXT>> stores like OK.
        p.opened.clear();
        p.steps << Page::typing("145", "", "", "cmdNext");
        p.grid->selectRow(5);
        QTest::keyClick(p.grid, Qt::Key_Return);
        QCOMPARE(p.opened, QStringList{"Bank00-004"});
        QCOMPARE(p.table.text(5, ColFrequency), QStringLiteral("145.00000MHz"));
        QCOMPARE(p.grid->currentRow(), 5);
    }

    void clearDeleteAndAllClear() {
        Page p;
        const QString label = p.table.text(1690, ColLabel);
        const auto clear = [&](int current, int end) {
            p.fillRows(1680, 1700);
            p.grid->selectRows(current, end);
            QTest::mouseClick(p.button("Clear_Botton"), Qt::LeftButton);
            return p.emptyRowsFrom();
        };
        QCOMPARE(clear(1710, 1690), range(1690, 1700)); // cut off at row 1700
        QCOMPARE(p.grid->currentRow(), 1710);           // the selection is kept
        QCOMPARE(p.grid->selectionEnd(), 1690);
        QCOMPARE(p.table.text(1690, ColLabel), label);
        QCOMPARE(p.table.codes(1695), ChannelCodes::afterClear());
        QCOMPARE(clear(1705, 1710), QList<int>());
        QCOMPARE(clear(1701, 1701), QList<int>());
        QCOMPARE(clear(1685, 1685), QList<int>{1685});

        // What is seen selected is cleared, whichever row the cursor is on:
        // Ctrl+A then "Clear" or Delete empties rows 1-1700, even with the
        // cursor on a bug-detector row.
        const ChannelRow bug = p.table.row(1710);
        for (const int cursor : {300, 1710}) {
            p.fillRows(1, 1700);
            p.grid->selectRow(cursor);
            QTest::keyClick(p.grid, Qt::Key_A, Qt::ControlModifier);
            if (cursor < 1701)
                QTest::mouseClick(p.button("Clear_Botton"), Qt::LeftButton);
            else
                QTest::keyClick(p.grid, Qt::Key_Delete);
            QCOMPARE(p.emptyRowsFrom(1), range(1, 1700));
            QCOMPARE(p.table.row(1710).cells, bug.cells);
            QCOMPARE(p.grid->currentRow(), cursor);
            QCOMPARE(p.grid->selectionModel()->selectedRows().size(), 1721);
        }

        // "All Clear" leaves the bug-detector rows and the selection alone.
        QSignalSpy progress(&p.page, &MemoryPage::progressChanged);
        QSignalSpy repaints(&p.table, &ChannelTable::rowsChanged);
        p.grid->selectRows(30, 40);
        QTest::mouseClick(p.button("ALL_Reset"), Qt::LeftButton);
        for (int r = 1; r <= 1700; ++r)
            QCOMPARE(p.table.codes(r).train, quint8(0)); // 28 before
        QCOMPARE(p.table.row(1710).cells, bug.cells);
        QCOMPARE(p.table.codes(1710), bug.codes);
        QCOMPARE(repaints.size(), 1); // one repaint after the whole clear
        QVERIFY(p.button("ALL_Reset")->isEnabled());
        QCOMPARE(progress.at(progress.size() - 2).at(0).toInt(), 100);
        QCOMPARE(progress.last().at(0).toInt(), 0);
        QCOMPARE(p.grid->currentRow(), 30);
        QCOMPARE(p.grid->selectionEnd(), 40);
    }

    void shapeAndUpDown() {
        Page p;
        QCOMPARE(p.grid->model()->rowCount(), 1721);
        // Widths in twips, the label column first; the transmit tone hidden.
        const int twips[] = {1450, 1650, 600, 900, 800, 900, 0, 900, 600, 600, 1500, 550, 3000};
        QCOMPARE(p.grid->verticalHeader()->width(), ChannelGrid::px(twips[0]));
        for (int c = 1; c < GridColumnCount; ++c)
            QCOMPARE(p.grid->columnWidth(c), ChannelGrid::px(twips[c]));
        QVERIFY(p.grid->isColumnHidden(ColTxTone));

        QPushButton* up = p.button("LIST_SET(0)");
        QPushButton* down = p.button("LIST_SET(1)");
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(p.grid->currentRow(), 1);
        // "Down" scrolls one row when the cursor reaches the last visible
        // row, "Up" when it reaches the top row; otherwise the view stays.
        const int visible = p.grid->visibleRows();
        for (int row = 2; row <= visible + 5; ++row) {
            QTest::mouseClick(down, Qt::LeftButton);
            QCOMPARE(p.grid->currentRow(), row);
            QCOMPARE(p.grid->topRow(), std::max(1, row - visible + 2));
        }
        const int top = p.grid->topRow();
        for (int row = visible + 4; row >= 1; --row) {
            QTest::mouseClick(up, Qt::LeftButton);
            QCOMPARE(p.grid->currentRow(), row);
            QCOMPARE(p.grid->topRow(), std::max(1, std::min(top, row - 1)));
        }
        // With the cursor on the top row, "Up" makes the new row the top row.
        p.grid->setTopRow(500);
        p.grid->placeRow(500);
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(p.grid->currentRow(), 499);
        QCOMPARE(p.grid->topRow(), 499);

        p.grid->selectRow(1720);
        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(p.grid->currentRow(), 1721);
        QCOMPARE(p.grid->selectionEnd(), 1721);
    }

    void transfersKeepTheView() {
        test::RunningSimulator sim;
        Page p;
        p.radio.setDeviceSource([&] { return sim.device(); });
        QSignalSpy done(&p.radio, &RadioFacade::finished);
        p.fillRows(900, 900);
        p.grid->setTopRow(895);
        const QModelIndex row900 = p.grid->model()->index(899, ColFrequency);
        QTest::mouseClick(p.grid->viewport(), Qt::LeftButton, {},
                          p.grid->visualRect(row900).center());
        QCOMPARE(p.grid->currentRow(), 900);
        QSignalSpy scrolled(p.grid->verticalScrollBar(), &QScrollBar::valueChanged);

        // The cursor goes back to row 1 at the end, the view stays at 895;
        // the highlight is off while the transfer runs.
        QTest::mouseClick(p.button("MEM_ONE_WRITE"), Qt::LeftButton);
        QVERIFY(!p.grid->isHighlightOn());
        QVERIFY(done.wait(10000));
        QCOMPARE(p.grid->topRow(), 895);
        QCOMPARE(p.grid->currentRow(), 1);
        QVERIFY(p.grid->isHighlightOn());

        // A read runs the cursor through rows out of view without scrolling.
        p.grid->placeRows(1000, 880);
        QTest::mouseClick(p.button("MEM_ONE_READ"), Qt::LeftButton);
        QVERIFY(done.wait(10000));
        QCOMPARE(sim->receivedCount(), 2 + 1 + 121);
        QCOMPARE(p.grid->currentRow(), 1);
        QCOMPARE(scrolled.size(), 0);
    }
};

QTEST_MAIN(TestMemoryGrid)
#include "tst_memory_grid.moc"

// The bank-link dialog opened from the Bank tab of the real main window: the
// grid and its clicks, the empty banks, "Clear", and "Read"/"Write" through
// the simulator. Read all opening it is in the window's Read all test.
#include "app/sim_window.h"
#include "banks/ui/bank_link_dialog.h"
#include "support/radio_support.h"

#include <QLabel>
#include <QTableWidget>
#include <QtTest>

using namespace rz;

namespace {

struct Window : test::SimWindow {
    std::function<void(BankLinkDialog&)> inDialog;
    bool opened = false;

    Window() {
        w->setDialogRunner([this](QDialog& d) {
            opened = true;
            d.show();
            inDialog(static_cast<BankLinkDialog&>(d));
        });
    }
    void open(std::function<void(BankLinkDialog&)> steps) {
        inDialog = std::move(steps);
        opened = false;
        QTest::mouseClick(w->findChild<QPushButton*>("GROUP_SET"), Qt::LeftButton);
    }
    static void click(BankLinkDialog& d, const char* name) {
        QTest::mouseClick(d.findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
    }
    static QTableWidget* grid(BankLinkDialog& d) {
        return d.findChild<QTableWidget*>("MSFlexGrid1");
    }
    static void clickCell(BankLinkDialog& d, int row, int column) {
        QTableWidget* g = grid(d);
        const QRect cell = g->visualItemRect(g->item(row, column));
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    }
    static QColor back(BankLinkDialog& d, int row, int column) {
        return grid(d)->item(row, column)->background().color();
    }
    // Waits until the dialog's transfer has ended and its message is shown.
    bool transferred(BankLinkDialog& d, int messages) {
        return QTest::qWaitFor(
            [&] { return !d.isTransferring() && dialogs->messages.size() >= messages; }, 20000);
    }
};

// Bank 29 holds channels (and bank 11 fewer); banks 12..28 and 30..49 none.
void useBank29(BankLayout& banks) {
    std::array<int, 50> sizes{};
    for (int b = 0; b < 12; ++b)
        sizes[size_t(b)] = 100;
    sizes[11] = 71;
    sizes[29] = 29;
    banks.setSizes(sizes);
}

} // namespace

class TestBankLinkDialog : public QObject {
    Q_OBJECT
private slots:
    void gridClicksAndEmptyBanks() {
        Window win;
        BankLinkTable& links = win.data.bankLinks;
        useBank29(win.data.banks);
        links.setEntry(3, 12, BankLinkTable::Linked); // bank 12 is empty
        win.open([&](BankLinkDialog& d) {
            QCOMPARE(d.windowTitle(), QStringLiteral("BANK-LINK Setting"));
            QCOMPARE(d.findChild<QLabel*>("Label1(2)")->text(),
                     QString::fromUtf8("BANK20\xEF\xBD\x9E"
                                       "29"));
            QTableWidget* g = Window::grid(d);
            QCOMPARE(g->item(0, 32)->text(), QStringLiteral("9"));
            for (int b = 0; b < 50; ++b) // column b + 1 + b div 10
                QCOMPARE(BankLinkDialog::bankOfColumn(b + 1 + b / 10), b);
            QCOMPARE(g->item(1, 0)->text(), QStringLiteral("Group0"));
            QCOMPARE(g->item(11, 0)->text(), QStringLiteral("GroupB"));
            // Opening took the empty bank out of its group and greyed it.
            QCOMPARE(links.entry(3, 12), int(BankLinkTable::NotLinked));
            QCOMPARE(Window::back(d, 4, 14), QColor(128, 128, 128));

            Window::clickCell(d, 1, 32); // bank 29, group 0
            QCOMPARE(links.entry(0, 29), int(BankLinkTable::Linked));
            QCOMPARE(Window::back(d, 1, 32), QColor(0, 0, 128));
            Window::clickCell(d, 11, 1);  // bank 0, group 10
            Window::clickCell(d, 11, 33); // a separator
            Window::clickCell(d, 2, 14);  // the empty bank 12
            QCOMPARE(links.entry(1, 12), int(BankLinkTable::NotLinked));
            QCOMPARE(Window::back(d, 2, 14), QColor(128, 128, 128));
            int members = 0;
            for (int g = 0; g < 11; ++g)
                for (int b = 0; b < 50; ++b)
                    members += links.entry(g, b) == BankLinkTable::Linked;
            QCOMPARE(members, 2);
            Window::clickCell(d, 1, 32);
            QCOMPARE(links.entry(0, 29), int(BankLinkTable::NotLinked));
            QVERIFY(Window::back(d, 1, 32) != QColor(0, 0, 128));

            Window::click(d, "Command1"); // "Clear"
            QCOMPARE(links.entry(10, 0), int(BankLinkTable::NotLinked));
            QCOMPARE(Window::back(d, 2, 14), QColor(128, 128, 128));
            Window::click(d, "Command2"); // "OK"
            QVERIFY(!d.isVisible());
        });
        QVERIFY(win.opened);

        // A bad total is reset before the dialog opens.
        win.data.banks.setSize(0, 1);
        win.open([&](BankLinkDialog& d) { Window::click(d, "Command2"); });
        QCOMPARE(win.data.banks.total(), 1200);
        QVERIFY(!links.emptyFlag(11));
        QVERIFY(links.emptyFlag(12));
    }

    void writeAndReadThroughTheDialog() {
        Window win;
        BankLinkTable& links = win.data.bankLinks;
        useBank29(win.data.banks);
        win.open([&](BankLinkDialog& d) {
            Window::clickCell(d, 1, 1);   // bank 0, group 0
            Window::clickCell(d, 1, 10);  // bank 9
            Window::clickCell(d, 11, 32); // bank 29, group 10
            Window::click(d, "GROUP_WRITE");
            QVERIFY(d.isTransferring());
            QVERIFY(!d.findChild<QPushButton*>("Command2")->isEnabled());
            QVERIFY(!win.w->linkState().isBusy()); // the dialog's own indicator
            Window::click(d, "Command2");          // nothing while it writes
            QVERIFY(d.isVisible());
            QVERIFY(win.transferred(d, 1));
            QCOMPARE(win.lastMessage(), QStringLiteral("Success Group Data Write| Finish"));
            QVERIFY(d.findChild<QPushButton*>("Command2")->isEnabled());
            QCOMPARE(win.sim->memory(0x00100, 8), QByteArray::fromHex("8040000000000000"));
            QCOMPARE(win.sim->memory(0x00150, 8), QByteArray::fromHex("0000000400000000"));

            // The receiver also links the empty bank 49 in group 10.
            win.sim->setMemory(0x00156, QByteArray::fromHex("40"));
            Window::click(d, "Command1");
            Window::click(d, "GROUP_READ");
            QVERIFY(win.transferred(d, 2));
            QCOMPARE(win.lastMessage(), QStringLiteral("OK| OK"));
            QCOMPARE(links.entry(0, 9), int(BankLinkTable::Linked));
            QCOMPARE(links.entry(10, 29), int(BankLinkTable::Linked));
            QCOMPARE(links.entry(10, 49), int(BankLinkTable::EmptyBank));
            QCOMPARE(Window::back(d, 11, 32), QColor(0, 0, 128));
            QCOMPARE(Window::back(d, 11, 54), QColor(128, 128, 128));

            // A port that cannot be opened.
            win.w->usePortDevice("/dev/rz-v70-no-such-device");
            Window::click(d, "GROUP_READ");
            QVERIFY(win.transferred(d, 3));
            QCOMPARE(win.lastMessage(), QStringLiteral("Port Error| Error"));
            Window::click(d, "Command2");
        });
        QVERIFY(win.opened);
        QCOMPARE(win.w->linkState().resultFlag(), LinkState::ResultNormal);
    }
};

QTEST_MAIN(TestBankLinkDialog)
#include "tst_bank_link_dialog.moc"

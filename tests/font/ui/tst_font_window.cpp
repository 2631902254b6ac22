// The font window: the dot editor, the character list, the clear and fill
// commands, font files through recorded dialogs, and the transfers started
// from the main window's "FONT" button against the simulator.
#include "app/sim_window.h"
#include "font/font_file.h"
#include "font/font_frames.h"
#include "font/font_transfer.h"
#include "font/ui/font_window.h"
#include "model/data_set.h"
#include "support/radio_support.h"
#include "support/test_files.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

using namespace rz;

namespace {

// A font window on its own, over a data set and a radio facade.
struct Editor {
    DataSet data;
    RadioFacade radio{data};
    RecordingDialogs dialogs;
    FontWindow window{data.font, radio, dialogs};
    QTemporaryDir dir;

    Editor() {
        radio.setTimeouts(test::shortTimeouts(60));
        radio.setDialogs(&dialogs);
        window.setListPosition(0);
        window.show();
    }
    QTableWidget* grid() { return window.grid(); }
    QPoint centre(int row, int column) {
        return grid()->visualItemRect(grid()->item(row, column)).center();
    }
    void clickCell(int row, int column) {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, centre(row, column));
    }
    void drag(int row1, int column1, int row2, int column2) {
        QWidget* view = grid()->viewport();
        QTest::mousePress(view, Qt::LeftButton, {}, centre(row1, column1));
        QTest::mouseMove(view, centre((row1 + row2) / 2, (column1 + column2) / 2));
        QTest::mouseMove(view, centre(row2, column2));
        QTest::mouseRelease(view, Qt::LeftButton, {}, centre(row2, column2));
    }
    void click(const char* name) {
        auto* button = window.findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void trigger(const char* name) { window.findChild<QAction*>(QLatin1String(name))->trigger(); }
    bool litCell(int row, int column) {
        return grid()->item(row, column)->background().color() == QColor(0, 0, 128);
    }
    // The dots of the selected character, and the grid's cells, as rows of 0 and 1.
    QStringList dots() {
        QStringList rows;
        for (int r = 0; r < 16; ++r) {
            QString line;
            for (int c = 0; c < 16; ++c) {
                const bool dot = data.font.dot(window.selectedCharacter(), r, c);
                if (dot != litCell(r, c))
                    return {QStringLiteral("cell %1,%2 shows the wrong colour").arg(r).arg(c)};
                line += dot ? '1' : '0';
            }
            rows << line;
        }
        return rows;
    }
    QStringList messages() const {
        QStringList out;
        for (const auto& m : dialogs.messages)
            out << m.text + '|' + m.title;
        return out;
    }
};

// Rows of 0 with 1 in rows top..bottom, columns left..right.
QStringList rectangle(int top, int left, int bottom, int right) {
    QStringList rows;
    for (int r = 0; r < 16; ++r) {
        QString line(16, '0');
        for (int c = left; c <= right && r >= top && r <= bottom; ++c)
            line[c] = '1';
        rows << line;
    }
    return rows;
}

FontChar letter(int k) {
    FontChar c;
    for (int i = 0; i <= k; ++i)
        c.setDot(i, 15 - i, true);
    return c;
}

} // namespace

class TestFontWindow : public QObject {
    Q_OBJECT
private slots:
    void clicksToggleDotsAndDragsOnlySelect() {
        Editor e;
        QCOMPARE(e.window.windowTitle(), QStringLiteral("Font"));
        e.clickCell(2, 3);
        QVERIFY(e.data.font.dot(0, 2, 3));
        QVERIFY(e.litCell(2, 3));
        QCOMPARE(e.grid()->item(2, 3)->foreground().color(), QColor(255, 0, 0));
        e.clickCell(2, 3);
        QCOMPARE(e.dots(), rectangle(1, 1, 0, 0)); // all dark again

        // Dragged up and left, the same rectangle (either way: the font data
        // test); the drag itself draws nothing.
        e.drag(5, 6, 2, 1);
        QCOMPARE(e.dots(), rectangle(1, 1, 0, 0));
        e.click("IKKATU_ON");
        QCOMPARE(e.dots(), rectangle(2, 1, 5, 6));
        e.drag(3, 2, 5, 6);
        e.click("IKKATU_OFF");
        QStringList expected = rectangle(2, 1, 2, 6);
        for (int r = 3; r <= 5; ++r)
            expected[r] = "0100000000000000";
        QCOMPARE(e.dots(), expected);
        QCOMPARE(e.grid()->currentRow(), 5); // the selection stays as it was
    }

    void theListPicksTheCharacterToEditAndClear() {
        Editor e;
        e.data.font.setCharacter(1, letter(1));
        e.data.font.setCharacter(7, letter(7));
        QComboBox* list = e.window.findChild<QComboBox*>("FONT_LIST");
        QVERIFY(!list->isEditable());
        // Typing picks no character, in the closed list or the open one.
        QTest::keyClicks(list, "5");
        list->showPopup();
        QTest::keyClicks(list->view(), "3");
        QTest::keyClick(list->view(), Qt::Key_Return);
        QCOMPARE(e.window.selectedCharacter(), 0);
        e.click("FONT_BACK"); // on character 0: nothing
        QCOMPARE(e.window.selectedCharacter(), 0);
        e.click("FONT_NEXT");
        QCOMPARE(e.window.selectedCharacter(), 1);
        QCOMPARE(e.grid()->currentRow(), 0);
        QVERIFY(e.litCell(0, 15) && e.litCell(1, 14) && !e.litCell(2, 13));
        e.clickCell(9, 9); // drawn into character 1 only
        QVERIFY(e.data.font.dot(1, 9, 9) && !e.data.font.dot(0, 9, 9));

        // A click on the entry already painted leaves the current cell.
        e.grid()->setCurrentCell(4, 4);
        emit list->activated(1);
        QCOMPARE(e.grid()->currentRow(), 4);
        e.window.setListPosition(6);
        for (int i = 0; i < 3; ++i)
            e.click("FONT_NEXT");
        QCOMPARE(e.window.selectedCharacter(), 7);
        QCOMPARE(e.dots().first(), QStringLiteral("0000000000000001"));
        QCOMPARE(e.window.paintedCharacter(), 7);

        // "Clear" empties the shown character; "ALL Clear" all eight.
        for (int k = 0; k < 8; ++k)
            e.data.font.setCharacter(k, letter(k));
        e.window.setListPosition(3);
        e.click("FONT_CLEAR");
        QVERIFY(e.data.font.character(3).isBlank());
        QVERIFY(!e.data.font.character(2).isBlank());
        QCOMPARE(e.dots(), rectangle(1, 1, 0, 0));

        e.window.setListPosition(5);
        e.click("ALL_CLEAR");
        for (int k = 0; k < 8; ++k)
            QVERIFY(e.data.font.character(k).isBlank());
        QCOMPARE(e.window.selectedCharacter(), 0);
        QCOMPARE(e.messages(), QStringList{"ALL Clear| Clear"});
        QVERIFY(e.window.findChild<QPushButton*>("ALL_CLEAR")->isEnabled());
        QVERIFY(e.window.findChild<QComboBox*>("FONT_LIST")->isEnabled());
    }

    void fontFilesThroughTheDialogs() {
        Editor e;
        for (int k = 0; k < 8; ++k)
            e.data.font.setCharacter(k, letter(k));
        const FontStore::Characters saved = e.data.font.characters();

        e.dialogs.chosenPath = e.dir.filePath("set.FK4");
        e.trigger("FONT_SAVE");
        QCOMPARE(e.dialogs.fileDialogs.at(0).filter,
                 QStringLiteral("K4フォントファイル(*.FK4);;すべてのファイル(*.*)"));
        QCOMPARE(e.messages(), QStringList{"Save File| Finish"});

        e.data.font.clearAll();
        e.window.setListPosition(2);
        e.grid()->setCurrentCell(7, 8);
        e.trigger("FONT_READ");
        QCOMPARE(e.dialogs.fileDialogs.at(1).filter,
                 QStringLiteral("FK4 (*.FK4);;FK4 Files (*.FK4);;All Files (*.*)"));
        QCOMPARE(e.messages().last(), QStringLiteral("Read Font File| Finish"));
        QVERIFY(e.data.font.characters() == saved);
        QCOMPARE(e.dots().at(2), QStringLiteral("0000000000000100"));
        QCOMPARE(e.grid()->currentRow(), 7); // the current cell stays

        // Refused files leave the store as it was and say why.
        e.data.font.clearCharacter(0);
        const FontStore::Characters before = e.data.font.characters();
        e.dialogs.chosenPath = e.dir.filePath("broken.FK4");
        QVERIFY(test::writeFile(e.dialogs.chosenPath,
                                "Save Date and Time\r\n0\r\n1111111111111111\r\n"));
        e.trigger("FONT_READ");
        QCOMPARE(e.messages().last(), QStringLiteral("This File don't Open| Error"));
        QVERIFY(e.dialogs.messages.last().detail.startsWith("line "));
        QVERIFY(e.data.font.characters() == before);

        // A save that cannot be written is reported, not passed as done.
        e.dialogs.chosenPath = e.dir.filePath("no-such-folder/x.FK4");
        e.trigger("FONT_SAVE");
        QCOMPARE(e.dialogs.messages.last().text, QStringLiteral("Can't save the file."));
        QVERIFY(e.dialogs.messages.last().detail.contains("no-such-folder"));

        // A name typed without an extension gets ".FK4", so that Open takes it.
        e.dialogs.chosenPath = e.dir.filePath("second");
        e.trigger("FONT_SAVE");
        QCOMPARE(e.messages().last(), QStringLiteral("Save File| Finish"));
        QVERIFY(QFile::exists(e.dir.filePath("second.FK4")) &&
                !QFile::exists(e.dialogs.chosenPath));

        // Cancelled dialogs do nothing.
        const int shown = e.dialogs.messages.size();
        e.dialogs.chosenPath.clear();
        e.trigger("FONT_SAVE");
        e.trigger("FONT_READ");
        QCOMPARE(e.dialogs.messages.size(), shown);
    }

    void aRunningTransferLocksTheWindow() {
        Editor e;
        test::RunningSimulator sim;
        sim->addFault({sim::Fault::Delay, QByteArray(), 0, 1, 300});
        e.radio.setTimeouts(test::shortTimeouts(2000));
        e.radio.setDeviceSource([&] { return sim.device(); });
        e.click("FONT_WRITE");
        QVERIFY(e.window.comType() != 0);
        QVERIFY(!e.window.findChild<QPushButton*>("READ_ALL")->isEnabled());
        QVERIFY(!e.window.findChild<QComboBox*>("FONT_LIST")->isEnabled());
        e.window.READ_ALL_Click(); // nothing while it runs
        e.dialogs.chosenPath = e.dir.filePath("x.FK4");
        e.trigger("FONT_SAVE");
        e.trigger("FONT_READ");
        QVERIFY(e.dialogs.fileDialogs.isEmpty());
        e.window.close(); // stays until the transfer has ended
        QVERIFY(e.window.isVisible());
        QVERIFY(QTest::qWaitFor([&] { return !e.dialogs.messages.isEmpty(); }, 10000));
        QCOMPARE(e.messages(), QStringList{"Success Font Write| Finish"});
        QCOMPARE(e.window.comType(), quint16(0));
        QVERIFY(e.window.findChild<QPushButton*>("READ_ALL")->isEnabled());
        QCOMPARE(sim->receivedCount(), 2);
    }

    void transfersFromTheFontButton() {
        test::SimWindow win;
        for (int k = 0; k < 8; ++k)
            win.sim->setMemory(fontframes::charAddress(k), encodeFontChar(letter(k)));
        MainWindow& w = *win.w;
        DataSet& data = win.data;

        // The window is worked while it is shown, as the modal loop would.
        std::function<void(FontWindow&)> work;
        int opened = 0;
        w.setDialogRunner([&](QDialog& dialog) {
            auto* font = qobject_cast<FontWindow*>(&dialog);
            QVERIFY(font);
            ++opened;
            QCOMPARE(font->paintedCharacter(), 0);
            dialog.show();
            work(*font);
        });
        w.findChild<QTabBar*>("TabStrip1")->setCurrentIndex(2);
        QPushButton* fontButton =
            w.findChild<QGroupBox*>("A_FRAME(2)")->findChild<QPushButton*>("Command1");
        QVERIFY(fontButton && fontButton->isVisible());
        QCOMPARE(fontButton->text(), QStringLiteral("FONT"));

        work = [&](FontWindow& f) {
            f.setListPosition(3);
            f.findChild<QPushButton*>("READ_ALL")->click();
            QCOMPARE(f.comType(), fontstate::ReadAll);
            QVERIFY(win.finished(1));
            QCOMPARE(win.dialogs->messages.at(0).text, QStringLiteral("All Font Data Read"));
            QCOMPARE(f.selectedCharacter(), 0);
            QVERIFY(f.grid()->item(0, 15)->background().color() == QColor(0, 0, 128));
            QCOMPARE(f.findChild<QProgressBar*>("ProgressBar1")->value(), 0);

            f.setListPosition(4);
            data.font.setCharacter(4, letter(1));
            f.findChild<QPushButton*>("FONT_WRITE")->click();
            QVERIFY(win.finished(2));
            QCOMPARE(decodeFontChar(win.sim->memory(fontframes::charAddress(4), 32)), letter(1));
            f.findChild<QPushButton*>("Command1")->click();
            QVERIFY(!f.isVisible());
        };
        fontButton->click();
        QCOMPARE(opened, 1);
        for (int k = 0; k < 8; ++k)
            QCOMPARE(data.font.character(k), k == 4 ? letter(1) : letter(k));
        QCOMPARE(w.progressBar()->value(), 0); // the main window's bar is not the font's

        // While an operation of the main window runs the button does nothing.
        w.linkState().setBusyCode(232);
        fontButton->click();
        QCOMPARE(opened, 1);
    }
};

QTEST_MAIN(TestFontWindow)
#include "tst_font_window.moc"

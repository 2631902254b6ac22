// The File menu through the real window: saving and opening the clone file,
// exporting and importing CSV with the progress bar, the dialogs each asks,
// the messages, and the configuration file that a port choice writes.
#include "app/sim_window.h"
#include "files/config_file.h"
#include "files/sample_table.h"
#include "files/text_lines.h"
#include "model/code_page.h"
#include "support/radio_support.h" // links the simulator
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QProgressBar>
#include <QSignalSpy>

using namespace rz;

namespace {

// A window whose data differs from the start-up state in every file area.
struct Window : test::SimWindow {
    explicit Window(const QString& configPath = QString())
        : SimWindow([configPath](SimWindow&, MainWindow::Options& options) {
              if (!configPath.isEmpty())
                  options.configPath = configPath;
          }) {
        sample::fill(data.channels);
        data.settings.setTitle(QStringLiteral("タイトル"));
        data.bankLinks.setEntry(4, 2, 1);
    }
    // Chooses a menu item with the path the file dialog will give.
    void choose(const char* item, const QString& path) const {
        dialogs->chosenPath = path;
        trigger(item);
    }
};

} // namespace

class TestFileMenu : public QObject {
    Q_OBJECT
private slots:
    void savesAndOpensTheCloneFile() {
        Window w;
        const QString path = w.dir.filePath("mine.V70");
        w.choose("TEST_CLICK", path);
        QCOMPARE(w.lastMessage(), QStringLiteral("Save File|Finish"));
        QCOMPARE(w.dialogs->fileDialogs.size(), 1);
        const RecordingDialogs::FileAsked saveAsked = w.dialogs->fileDialogs.last();
        QVERIFY(saveAsked.save);
        QCOMPARE(saveAsked.filter, QStringLiteral("RZ-V70ファイル(*.V70);;すべてのファイル(*.*)"));
        QCOMPARE(saveAsked.folder, QCoreApplication::applicationDirPath());

        const QString name = w.data.channels.text(3, ColName);
        w.data.channels.clearRows(1, 1700);
        w.data.settings.setTitle(QString());
        w.data.bankLinks.clear();
        w.choose("ReadFile", path);
        QCOMPARE(w.dialogs->fileDialogs.last().filter,
                 QStringLiteral("V70 (*.V70);;V70 Files (*.V70);;All Files (*.*)"));
        QVERIFY(!w.dialogs->fileDialogs.last().save);
        QCOMPARE(w.data.channels.text(3, ColName), name);
        QCOMPARE(w.data.settings.title(), QStringLiteral("タイトル"));
        QVERIFY(w.data.bankLinks.isMember(4, 2));
        QVERIFY(w.dialogs->messages.last().detail.isEmpty()); // nothing was skipped

        // A bank line that does not add up to 1200 is left out, and the
        // message says which line and why.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QByteArray text = file.readAll();
        const qsizetype digit = text.indexOf("\r\nBK") + 7; // last digit of bank 0's size
        text[digit] = text[digit] == '9' ? '8' : char(text[digit] + 1);
        QVERIFY(file.seek(0) && file.write(text) == text.size());
        file.close();
        const auto sizes = w.data.banks.sizes();
        w.choose("ReadFile", path);
        QCOMPARE(w.lastMessage(), QStringLiteral("Read File|Finish"));
        const QString detail = w.dialogs->messages.last().detail;
        QVERIFY2(detail.startsWith("Line ") && detail.contains("not 1200: skipped"),
                 qPrintable(detail));
        QCOMPARE(w.data.banks.sizes(), sizes);
    }

    void aFailedOpenChangesNothingAndSaysWhy() {
        Window w;
        const QString bad = w.dir.filePath("bad.V70");
        QVERIFY(test::writeFile(
            bad, textfile::joinLines({"header", "TITLEother",
                                      "CH00050145.0000001828008080000000.000000", "File End"})));
        const QString title = w.data.settings.title();
        w.choose("ReadFile", bad);
        QCOMPARE(w.dialogs->messages.size(), 1);
        QVERIFY(w.lastMessage().startsWith("Line 3: step index 18"));
        QVERIFY(w.lastMessage().endsWith("|Error"));
        QCOMPARE(w.data.settings.title(), title);
        QVERIFY(w.data.channels.inUse(1));
    }

    void exportsAndImportsCsvWithTheProgressBar() {
        Window w;
        QSignalSpy progress(w->progressBar(), &QProgressBar::valueChanged);
        const QString path = w.dir.filePath("list.CSV");
        w.choose("FILE_EXPORT", path);
        QCOMPARE(w.dialogs->fileDialogs.last().filter,
                 QStringLiteral("CSVファイル(*.CSV);;すべてのファイル(*.*)"));
        QVERIFY(QFile::exists(path));
        QCOMPARE(progress.last().first().toInt(), 0);
        QCOMPARE(w->progressMaximum(), 1721);
        QVERIFY(progress.contains(QVariantList{1721}));

        const ChannelRow row = w.data.channels.row(2);
        w.data.channels.clearRows(1, 1700);
        progress.clear();
        w.choose("FILE_INPORT", path);
        QCOMPARE(w.dialogs->fileDialogs.last().filter,
                 QStringLiteral("CSV (*.CSV);;CSV Files (*.CSV);;All Files (*.*)"));
        QVERIFY(w.data.channels.inUse(2));
        QCOMPARE(w.data.channels.text(2, ColFrequency), row.cells[ColFrequency]);
        QCOMPARE(w.data.channels.codes(2).step, row.codes.step);
        QVERIFY(progress.contains(QVariantList{1721}));
        QCOMPARE(w->progressBar()->value(), 0);
    }

    void namesWithoutAnExtensionGetTheirs() {
        Window w;
        w.choose("TEST_CLICK", w.dir.filePath("second"));
        w.choose("FILE_EXPORT", w.dir.filePath("list"));
        w.choose("FILE_EXPORT", w.dir.filePath("other.txt")); // an extension of its own stays
        QCOMPARE(QDir(w.dir.path()).entryList({"second*", "list*", "other*"}),
                 (QStringList{"list.CSV", "other.txt", "second.V70"}));
        w.choose("ReadFile", w.dir.filePath("second.V70"));
        QCOMPARE(w.lastMessage(), QStringLiteral("Read File|Finish"));
        // The dialog asked about "second" only: replacing "second.V70" is asked.
        w.dialogs->answerOk = false;
        w.choose("TEST_CLICK", w.dir.filePath("second"));
        QCOMPARE(w.dialogs->questions.value(0).text,
                 QStringLiteral("second.V70 already exists.\nDo you want to replace it?"));
        QCOMPARE(w.lastMessage(), QStringLiteral("Read File|Finish"));
    }

    void aSaveTheDiskRefusesKeepsTheOldFileAndSaysWhy() {
        Window w;
        const QString clone = w.dir.filePath("kept.V70"), list = w.dir.filePath("kept.CSV");
        w.choose("TEST_CLICK", clone);
        w.choose("FILE_EXPORT", list);
        const auto bytes = [&] { return test::readFile(clone) + test::readFile(list); };
        const QByteArray before = bytes();
        w.data.channels.clearRows(1, 1700);
        const textfile::ForcedSaveFailure full(textfile::ForcedSaveFailure::Flush);
        for (const auto& [item, path] : {std::pair{"TEST_CLICK", clone}, {"FILE_EXPORT", list}}) {
            w.choose(item, path);
            QCOMPARE(w.lastMessage(), QStringLiteral("Can't save the file.|Error"));
            QVERIFY(w.dialogs->messages.last().detail.contains("No space left on device"));
        }
        QCOMPARE(bytes(), before);
        QCoreApplication::processEvents();
        QVERIFY(w->isWindowModified()); // the changes are still unsaved
    }

    void cancelOrABusyLinkDoesNothing() {
        Window w;
        const char* const items[] = {"TEST_CLICK", "ReadFile", "FILE_EXPORT", "FILE_INPORT"};
        for (const char* item : items)
            w.choose(item, QString());
        w->linkState().setBusyCode(7);
        for (const char* item : items)
            w.choose(item, w.dir.filePath("busy.V70"));
        QCOMPARE(w.dialogs->fileDialogs.size(), 4);
        QVERIFY(w.dialogs->messages.isEmpty());
        QVERIFY(!QFile::exists(w.dir.filePath("busy.V70")));
        w->linkState().setBusyCode(0);
    }

    void choosingAPortWritesTheConfigurationFile() {
        Window w;
        const QString path = w.dir.filePath("RZ-V70_Writer.INI");
        w.trigger("MenuSetCom(12)");
        const QByteArray bytes = test::readFile(path);
        QVERIFY(bytes.startsWith("Save Date and Time "));
        QVERIFY(bytes.contains("\r\nBK"));
        QVERIFY(bytes.contains(cp932::encode(QStringLiteral("\r\nTITLEタイトル\r\n"))));
        QVERIFY(bytes.contains("\r\nSD08"));
        QVERIFY(bytes.endsWith("\r\nCOMPORT12\r\nFile End\r\n"));
        QVERIFY(w.dialogs->messages.isEmpty());

        Window next(path); // the next start
        QCOMPARE(next->selectedPort(), 12);

        // A configuration file that cannot be written is reported.
        Window blocked(path + "/RZ-V70_Writer.INI");
        blocked.trigger("MenuSetCom(3)");
        QCOMPARE(blocked.lastMessage(), QStringLiteral("Can't save the file.|Error"));
        QVERIFY(blocked.dialogs->messages.last().detail.contains(path));
        QCOMPARE(config::readPort(path).port, 12);
    }
};

QTEST_MAIN(TestFileMenu)
#include "tst_file_menu.moc"

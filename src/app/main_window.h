#pragma once
// The main window "Form1": menus, the four tabs with their frames, the
// progress display and the region options. It composes one page per tab over
// the data set, which its owner keeps; the pages start their own operations
// through the radio facade.
#include "gui/progress_display.h"
#include "link/cable_finder.h"
#include "link/link_state.h"
#include "link/serial_port_list.h"
#include "model/data_set.h"
#include "model/region.h"
#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QDialog;
class QGroupBox;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QTabBar;

namespace rz {

class AllTransfers;
class BankPage;
class ChannelGrid;
class ChannelListMenu;
class DataSafety;
class FileMenu;
class MemoryPage;
class OneTouchFrame;
class RadioFacade;
class UserDialogs;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    struct Options {
        QString configPath;                  // empty: the usual place
        std::optional<SerialPortList> ports; // none: the machine's ports
        CableFinder::DeviceListing devices;  // "Find my cable...": none, the machine's
        QString backupFolder;                // empty: no automatic backups
        QString recoveryFolder;              // empty: no recovery file
        std::function<qint64()> clock;       // the recovery file's clock (ms); none: the system's
    };
    using DialogRunner = std::function<void(QDialog&)>;

    static constexpr int TabCount = 4;
    static constexpr int MemoryTab = 1, BankTab = 2, SettingTab = 3, SetModeTab = 4;

    explicit MainWindow(DataSet& data, const Options& options = Options(),
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    DataSet& data() { return data_; }
    LinkState& linkState();

    // The port every radio operation uses, 1..16, and the device behind it.
    int selectedPort() const { return selectedPort_; }
    QString selectedPortDevice() const { return ports_.device(selectedPort_); }
    Region region() const;

    // The grid's cursor row and the other end of its selection (rows 1..1721).
    ChannelGrid* grid() const;
    int currentRow() const;
    int selectionEnd() const;

    // The tab (1..4) whose frame was last shown.
    int currentTab() const { return currentTab_; }

    // The progress display of the transfers.
    void setProgress(int value, int maximum);
    void setProgressText(const QString& text);
    int progressMaximum() const;
    QProgressBar* progressBar() const { return progressBar_; }

    // The runner, region and port every page's operations go through.
    RadioFacade& radio() { return *radio_; }

    // Undo and redo, unsaved changes, backups and the recovery file.
    DataSafety& safety() { return *safety_; }
    // With unsaved changes asks "Save changes?"; false when the user
    // cancels (or the save fails): the command must not go on.
    bool confirmDiscard();
    // At start: the offer to restore what a program that did not end
    // cleanly kept.
    void offerRecovery();
    // At start: the clone file given on the command line, opened as Open
    // opens it (with its message when it fails).
    void openFile(const QString& path);

    // Message boxes and questions; tests put in their own.
    UserDialogs& userDialogs() { return *dialogs_; }
    void setUserDialogs(std::unique_ptr<UserDialogs> dialogs);
    // How modal dialogs are shown; tests work them without a nested loop.
    void setDialogRunner(DialogRunner runner);

    // A port given on the command line ("/dev/ttyUSB0" or "COM3"): it gets a
    // port number and becomes the selected port (nothing is written). False
    // for a COMn above 16.
    bool usePortDevice(const QString& device);

public slots:
    // Each does nothing while a radio operation runs.
    void choosePort(int port);
    void showVersionBox();
    // "Find my cable...": the device that appears while the user plugs the
    // cable in becomes the chosen port, as a Port menu item would.
    void findCable();
    void switchTab(int tab);
    // "FONT" (Command1 of the Setting tab): the font window, shown modally.
    // Nothing while a radio operation runs, unless Read all has it read.
    void openFontWindow();

signals:
    // A port item was chosen: the whole data set is written to the
    // configuration file by whoever handles this.
    void portChosen(int port);
    // A tab switch has passed the bank check and its frame is about to show.
    void tabSwitching(int tab);
    // The window is closing; a running operation stops at its next wait.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void buildTabs();
    void buildStatusArea();
    void readConfiguration();
    void updatePortChecks();
    void showTabOf(int tab);
    void endOfOperation();

    DataSet& data_;
    SerialPortList ports_;
    QString configPath_;
    CableFinder::DeviceListing devices_;
    int selectedPort_ = 1;
    int checkedPort_ = 0; // the Port menu item with the check mark, 0 for none
    int currentTab_ = 0;

    std::unique_ptr<UserDialogs> dialogs_;
    ProgressDisplay progress_;
    std::unique_ptr<RadioFacade> radio_; // goes before the pages and the display
    std::unique_ptr<FileMenu> fileMenu_;
    ChannelListMenu* channelList_ = nullptr;
    std::unique_ptr<AllTransfers> allTransfers_;
    std::unique_ptr<DataSafety> safety_; // goes before the radio facade
    DialogRunner runDialog_;
    std::array<QAction*, SerialPortList::Count> portActions_{};
    QTabBar* tabs_ = nullptr;
    std::array<QGroupBox*, TabCount> frames_{};
    MemoryPage* memoryPage_ = nullptr;
    BankPage* bankPage_ = nullptr;
    OneTouchFrame* oneTouch_ = nullptr; // in the Setting tab's frame
    QProgressBar* progressBar_ = nullptr;
    QLineEdit* progressText_ = nullptr;
    std::array<QRadioButton*, 3> regions_{};
};

} // namespace rz

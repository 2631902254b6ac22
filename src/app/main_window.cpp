#include "app/main_window.h"
#include "app/all_transfers.h"
#include "app/data_safety.h"
#include "app/find_cable_dialog.h"
#include "app/product.h"
#include "app/version_box.h"
#include "banks/ui/bank_page.h"
#include "banks/ui/one_touch_frame.h"
#include "files/config_file.h"
#include "files/ui/channel_list_menu.h"
#include "files/ui/file_menu.h"
#include "font/ui/font_window.h"
#include "gui/operation_controls.h"
#include "gui/radio_facade.h"
#include "gui/user_dialogs.h"
#include "link/operation_runner.h"
#include "memory/ui/channel_grid.h"
#include "memory/ui/find_bar.h"
#include "memory/ui/grid_clipboard.h"
#include "memory/ui/memory_page.h"
#include "settings/ui/set_mode_page.h"
#include "settings/ui/setting_frame.h"
#include "settings/ui/vocabulary_view.h"
#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabBar>

#include <algorithm>

namespace rz {
namespace {

int px(int twips) {
    return ChannelGrid::px(twips);
}

const char* const FrameCaptions[MainWindow::TabCount] = {"Memory", "Bank", "Setting", "Set mode"};

} // namespace

MainWindow::MainWindow(DataSet& data, const Options& options, QWidget* parent)
    : QMainWindow(parent), data_(data),
      ports_(options.ports ? *options.ports : SerialPortList::scan()),
      configPath_(options.configPath.isEmpty() ? config::defaultPath() : options.configPath),
      devices_(options.devices), dialogs_(std::make_unique<QtUserDialogs>(this)),
      radio_(std::make_unique<RadioFacade>(data)),
      runDialog_([](QDialog& dialog) { dialog.exec(); }) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(product::title() + QStringLiteral("[*]"));
    setWindowIcon(product::icon());
    resize(px(13740), px(8130));
    setCentralWidget(new QWidget(this));

    // Start-up order: region and port defaults, the grid with its codes,
    // the default bank layout and its row labels, then the configuration.
    radio_->setRegionSource([this] { return region(); });
    radio_->setDeviceSource([this] { return selectedPortDevice(); });
    radio_->setPortItemSource([this] { return QStringLiteral("COM%1").arg(selectedPort_); });
    radio_->setDialogs(dialogs_.get());
    radio_->setProgressSink(&progress_);
    connect(radio_.get(), &RadioFacade::endOfOperation, this, &MainWindow::endOfOperation);
    connect(this, &MainWindow::closing, radio_.get(), &RadioFacade::cancel);
    fileMenu_ = std::make_unique<FileMenu>(data_, *radio_, [this] { return selectedPort_; });
    fileMenu_->setDialogs(dialogs_.get());
    fileMenu_->setProgress([this](int value, int maximum) { setProgress(value, maximum); });
    connect(this, &MainWindow::portChosen, fileMenu_.get(),
            [this] { fileMenu_->writeConfiguration(configPath_); });

    safety_ = std::make_unique<DataSafety>(
        data_, *radio_,
        DataSafety::Places{options.backupFolder, options.recoveryFolder, options.clock});
    safety_->setDialogs(dialogs_.get());
    safety_->setSave([this] { return fileMenu_->save(); });
    safety_->setPort([this] { return selectedPort_; });
    safety_->setStatus([this](const QString& line) { statusBar()->showMessage(line); });
    fileMenu_->setConfirmDiscard([this] { return confirmDiscard(); });
    connect(fileMenu_.get(), &FileMenu::saved, this, [this] { safety_->history().setClean(); });
    connect(fileMenu_.get(), &FileMenu::opened, this, [this] {
        safety_->noteOpened();
        safety_->history().setClean();
    });
    connect(&safety_->history(), &EditHistory::modifiedChanged, this,
            &MainWindow::setWindowModified);

    buildMenus();
    buildStatusArea();
    buildTabs();
    // Copy, cut, paste and find act on the grid; they stand beside Undo and Redo.
    auto* clipboard = new GridClipboard(
        data_, *grid(), *radio_, [this]() -> UserDialogs& { return *dialogs_; }, this);
    auto* findBar = new FindBar(data_.channels, *grid(), *radio_);
    QMenu* edit = menuBar()->findChild<QMenu*>(QStringLiteral("MenuEdit"));
    edit->addSeparator();
    edit->addActions(clipboard->actions());
    edit->addSeparator();
    edit->addActions(findBar->actions());
    data_.banks.loadDefault();
    RefreshBankRowLabels(data_.banks, data_.channels);
    grid()->selectRow(1);
    grid()->setFocus(); // not the first box of the window, the read-only percentage
    readConfiguration();
    currentTab_ = MemoryTab;      // its frame is the one shown
    safety_->history().restart(); // the start-up state is no step
}

MainWindow::~MainWindow() = default;

LinkState& MainWindow::linkState() {
    return radio_->linkState();
}

void MainWindow::buildMenus() {
    const auto item = [this](QMenu* menu, const char* caption, const char* name) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QLatin1String(name));
        return action;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("File(&F)"));
    file->setObjectName(QStringLiteral("FILE"));
    QAction* open = item(file, "Open(&O)", "ReadFile");
    QAction* save = item(file, "Save(&S)", "TEST_CLICK");
    QAction* import = item(file, "Import(&I)", "FILE_INPORT");
    fileMenu_->attach(open, save, import, item(file, "Export(&E)", "FILE_EXPORT"));
    file->addSeparator();
    connect(item(file, "Backup folder(&B)", "BackupFolder"), &QAction::triggered, safety_.get(),
            &DataSafety::openBackupFolder);
    channelList_ = new ChannelListMenu(
        data_, *radio_, [this] { return currentRow(); }, this);
    channelList_->setDialogs(dialogs_.get());
    QAction* importList = item(file, "Import channel list\u2026", "FileImportList");
    channelList_->attach(importList, item(file, "Export channel list\u2026", "FileExportList"));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit(&E)"));
    edit->setObjectName(QStringLiteral("MenuEdit"));
    for (QAction* action : {safety_->undoAction(), safety_->redoAction()}) {
        action->setParent(this); // found by name like every other item
        edit->addAction(action);
    }

    QMenu* port = menuBar()->addMenu(QStringLiteral("Port(&P)"));
    port->setObjectName(QStringLiteral("MenuComPort"));
    for (int n = 1; n <= SerialPortList::Count; ++n) {
        QAction* action = port->addAction(ports_.caption(n));
        action->setObjectName(QStringLiteral("MenuSetCom(%1)").arg(n));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this,
                radio_->whenIdle([this, n] { choosePort(n); }, [this] { updatePortChecks(); }));
        portActions_[size_t(n - 1)] = action;
    }
    port->addSeparator();
    connect(item(port, "Find my cable\u2026", "FindCable"), &QAction::triggered, this,
            radio_->whenIdle([this] { findCable(); }));

    QMenu* comm = menuBar()->addMenu(QStringLiteral("COMM(&C)"));
    comm->setObjectName(QStringLiteral("Tusin_Botton"));
    allTransfers_ = std::make_unique<AllTransfers>(data_, *radio_, this,
                                                   [this]() -> UserDialogs& { return *dialogs_; });
    allTransfers_->setSafety(safety_.get());
    connect(item(comm, "Write all(&W)", "ALL_WRITE"), &QAction::triggered, this,
            radio_->whenIdle([this] { allTransfers_->writeAll(); }));
    connect(item(comm, "Read all(&R)", "ALL_READ"), &QAction::triggered, this,
            radio_->whenIdle([this] { allTransfers_->readAll(); }));

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help(&H)"));
    help->setObjectName(QStringLiteral("MenuHelp"));
    connect(item(help, "Version(&V)", "MenuVersion"), &QAction::triggered, this,
            radio_->whenIdle([this] { showVersionBox(); }));
}

void MainWindow::buildStatusArea() {
    QWidget* area = centralWidget();
    const int x[] = {6300, 6900, 7950}, width[] = {550, 1000, 500};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(regionName(Region(i)), area);
        option->setObjectName(QStringLiteral("optRegion(%1)").arg(i));
        option->setGeometry(px(x[i]), px(120), px(width[i]), px(330));
        regions_[size_t(i)] = option;
    }
    regions_[size_t(Region::E)]->setChecked(true);

    progressBar_ = new QProgressBar(area);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(false);
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    progressBar_->setGeometry(px(8700), px(150), px(3600), px(270));
    progressBar_->installEventFilter(this);

    progressText_ = new QLineEdit(QStringLiteral("0%"), area);
    progressText_->setObjectName(QStringLiteral("Progress"));
    progressText_->setReadOnly(true);
    progressText_->setAlignment(Qt::AlignRight);
    progressText_->setGeometry(px(12400), px(120), px(780), px(330));
    progress_.attach(progressBar_, progressText_);
    auto* percent = new QLabel(QStringLiteral("%"), area);
    percent->setGeometry(px(13230), px(120), px(300), px(330));
}

void MainWindow::buildTabs() {
    QWidget* area = centralWidget();
    tabs_ = new QTabBar(area);
    tabs_->setObjectName(QStringLiteral("TabStrip1"));
    tabs_->setExpanding(false);
    tabs_->setDrawBase(false);
    for (const char* caption : FrameCaptions)
        tabs_->addTab(QLatin1String(caption));
    const QSize tabSize = tabs_->sizeHint();
    tabs_->setGeometry(px(120), px(120), tabSize.width(), tabSize.height());

    auto* panel = new QFrame(area);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setGeometry(px(120), px(120) + tabSize.height(), px(13455), px(7335) - tabSize.height());

    memoryPage_ = new MemoryPage(data_, *radio_, area);
    frames_[0] = memoryPage_;
    bankPage_ = new BankPage(data_, *radio_, area);
    frames_[1] = bankPage_;
    frames_[2] = new QGroupBox(QLatin1String(FrameCaptions[2]), area);
    frames_[2]->setObjectName(QStringLiteral("A_FRAME(2)"));
    new SettingFrame(data_, *radio_, frames_[2]);
    auto* font = new QPushButton(QStringLiteral("FONT"), frames_[SettingTab - 1]);
    font->setObjectName(QStringLiteral("Command1"));
    font->setGeometry(px(11760), px(6240), px(1215), px(375));
    connect(font, &QPushButton::clicked, this, &MainWindow::openFontWindow);
    // The one-touch frame stands right of the Setting frame.
    oneTouch_ = new OneTouchFrame(data_, *radio_, frames_[2]);
    oneTouch_->setGeometry(px(8400), px(360), std::max(px(4500), oneTouch_->minimumWidth()),
                           px(5400));
    connect(bankPage_, &BankPage::bankLinksOpening, oneTouch_, &OneTouchFrame::rebuildLists);
    connect(this, &MainWindow::tabSwitching, oneTouch_, [this](int tab) {
        if (tab == SettingTab)
            oneTouch_->rebuildLists();
    });
    frames_[3] = new SetModePage(data_, *radio_, area);
    new VocabularyView(data_.settings, this); // both settings tabs switch language at once
    // Every frame sits at the same place; only one is visible.
    const QSize sizes[] = {{13215, 6855}, {11895, 6255}, {13215, 6855}, {13215, 6855}};
    for (int i = 0; i < TabCount; ++i) {
        frames_[size_t(i)]->setGeometry(px(200), px(480), px(sizes[i].width()),
                                        px(sizes[i].height()));
        frames_[size_t(i)]->setVisible(i == 0);
    }

    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        radio_->whenIdle([this, index] { switchTab(index + 1); },
                         [this] { showTabOf(currentTab_); })();
    });
    connect(memoryPage_, &MemoryPage::progressChanged, this, &MainWindow::setProgress);
}

void MainWindow::readConfiguration() {
    const config::PortSetting setting = config::readPort(configPath_);
    selectedPort_ = setting.port;
    checkedPort_ = setting.checkedItem;
    updatePortChecks();
}

void MainWindow::updatePortChecks() {
    for (int n = 1; n <= SerialPortList::Count; ++n)
        portActions_[size_t(n - 1)]->setChecked(n == checkedPort_);
}

Region MainWindow::region() const {
    for (int i = 0; i < 3; ++i)
        if (regions_[size_t(i)]->isChecked())
            return Region(i);
    return Region::E;
}

ChannelGrid* MainWindow::grid() const {
    return memoryPage_->grid();
}

int MainWindow::currentRow() const {
    return grid()->currentRow();
}

int MainWindow::selectionEnd() const {
    return grid()->selectionEnd();
}

void MainWindow::setProgress(int value, int maximum) {
    progressBar_->setMaximum(maximum);
    progressBar_->setValue(value);
}

int MainWindow::progressMaximum() const {
    return progressBar_->maximum();
}

void MainWindow::setProgressText(const QString& text) {
    progressText_->setText(text);
}

void MainWindow::endOfOperation() {
    setProgressText(QStringLiteral("0%"));
    controls::enableAfterOperation(this);
    setProgress(0, progressMaximum());
}

void MainWindow::setUserDialogs(std::unique_ptr<UserDialogs> dialogs) {
    dialogs_ = std::move(dialogs);
    radio_->setDialogs(dialogs_.get());
    fileMenu_->setDialogs(dialogs_.get());
    channelList_->setDialogs(dialogs_.get());
    safety_->setDialogs(dialogs_.get());
}

void MainWindow::openFile(const QString& path) {
    if (confirmDiscard()) // restored work is not replaced unasked
        fileMenu_->openPath(path);
}

bool MainWindow::confirmDiscard() {
    return safety_->confirmDiscard();
}

void MainWindow::offerRecovery() {
    safety_->offerRecovery();
}

void MainWindow::setDialogRunner(DialogRunner runner) {
    runDialog_ = runner;
    bankPage_->setDialogRunner(runner);
    memoryPage_->setDialogRunner(std::move(runner));
}

bool MainWindow::usePortDevice(const QString& device) {
    const int port = ports_.assign(device);
    if (port == 0)
        return false;
    portActions_[size_t(port - 1)]->setText(ports_.caption(port));
    selectedPort_ = port;
    checkedPort_ = port;
    updatePortChecks();
    return true;
}

void MainWindow::choosePort(int port) {
    if (port >= 1 && port <= SerialPortList::Count) {
        selectedPort_ = port;
        checkedPort_ = port;
        emit portChosen(port);
    }
    updatePortChecks(); // also puts back a check mark the menu toggled itself
}

void MainWindow::findCable() {
    FindCableDialog dialog(devices_, this);
    runDialog_(dialog);
    if (dialog.timedOut()) {
        dialogs_->message(QStringLiteral("No new serial device appeared."),
                          QStringLiteral("Find my cable"),
                          QStringLiteral("The port stays as it was."));
        return;
    }
    // The Port menu's own rule: nothing while an operation runs.
    if (dialog.device().isEmpty() || linkState().isBusy())
        return;
    const int port = ports_.putFirst(dialog.device());
    for (int n = 1; n <= SerialPortList::Count; ++n)
        portActions_[size_t(n - 1)]->setText(ports_.caption(n));
    choosePort(port);
}

void MainWindow::showVersionBox() {
    VersionBox box(this);
    box.move(frameGeometry().topLeft() + QPoint(px(2000), px(1000)));
    runDialog_(box);
}

void MainWindow::openFontWindow() {
    LinkState& state = linkState();
    if (state.isBusy() && state.readAllMode() == LinkState::ReadAllOff)
        return;
    // Prepared with the flag up, so that its loading reads nothing.
    state.setOpenedFromButton(1);
    FontWindow window(data_.font, *radio_, *dialogs_, this);
    window.setGeometry(frameGeometry().left() + px(3000), frameGeometry().top(), window.width(),
                       px(9435));
    window.setListPosition(0);
    state.setOpenedFromButton(0);
    runDialog_(window);
}

void MainWindow::showTabOf(int tab) {
    const QSignalBlocker quiet(tabs_);
    tabs_->setCurrentIndex(tab - 1);
}

void MainWindow::switchTab(int tab) {
    if (tab == currentTab_) {
        showTabOf(currentTab_);
        return;
    }
    if (currentTab_ == BankTab)
        bankPage_->takeTypedCounts();
    const int previous = currentTab_;
    currentTab_ = tab;
    BankLayout& banks = data_.banks;
    if (!banks.isConsistent()) {
        if (tab != BankTab && !dialogs_->askOkCancel(QStringLiteral("Bank Total Error. Init Data?"),
                                                     QStringLiteral("Caution"))) {
            currentTab_ = previous;
            showTabOf(previous);
            return;
        }
        banks.loadDefault();
    }
    if (tab == MemoryTab)
        RefreshBankRowLabels(banks, data_.channels);
    emit tabSwitching(tab);
    showTabOf(tab);
    for (int i = 0; i < TabCount; ++i)
        frames_[size_t(i)]->setVisible(i == tab - 1);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A running transfer stops first, silently: what it changed is part of
    // the question, and its message must not come up over it.
    const bool stopped = radio_->runner().isRunning() && radio_->cancelAndWait();
    if (!confirmDiscard()) {
        if (stopped)
            radio_->resume();
        event->ignore();
        return;
    }
    safety_->finish();
    // A running operation sees the flag at its next wait and ends itself.
    linkState().setClosing(true);
    emit closing();
    event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Any button, any modifier, anywhere on the bar.
    if (watched == progressBar_ && event->type() == QEvent::MouseButtonRelease)
        radio_->reset();
    return QMainWindow::eventFilter(watched, event);
}

} // namespace rz

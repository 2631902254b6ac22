#pragma once
// The main window on a simulated receiver over a pseudo-terminal, with its
// message boxes recorded: the fixture of the window tests.
#include "app/main_window.h"
#include "gui/radio_facade.h"
#include "gui/recording_dialogs.h"
#include "support/radio_support.h"

#include <QAction>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

namespace rz::test {

struct SimWindow {
    // Changes the window's options before it is made (the folder exists).
    using Setup = std::function<void(SimWindow&, MainWindow::Options&)>;

    QTemporaryDir dir;
    RunningSimulator sim;
    RecordingDialogs* dialogs = nullptr;
    DataSet data;
    std::unique_ptr<MainWindow> w;

    explicit SimWindow(const Setup& setup = {}) {
        MainWindow::Options options;
        options.configPath = dir.filePath("RZ-V70_Writer.INI");
        options.ports = SerialPortList({sim.device()});
        if (setup)
            setup(*this, options);
        w = std::make_unique<MainWindow>(data, options);
        auto recording = std::make_unique<RecordingDialogs>();
        dialogs = recording.get();
        w->setUserDialogs(std::move(recording));
        w->radio().setTimeouts(shortTimeouts(150));
        w->show();
    }
    MainWindow* operator->() const { return w.get(); }
    template <typename T = QWidget> T* find(const QString& name) const {
        return w->findChild<T*>(name);
    }
    void click(const char* name) const {
        auto* button = find<QPushButton>(QLatin1String(name));
        QVERIFY2(button, name);
        button->click();
    }
    void trigger(const char* name) const {
        auto* action = find<QAction>(QLatin1String(name));
        QVERIFY2(action, name);
        action->trigger();
    }
    QAction* port(int n) const { return find<QAction>(QStringLiteral("MenuSetCom(%1)").arg(n)); }
    // Clicks tab 1..4 of the main window.
    void clickTab(int tab) const {
        auto* tabs = find<QTabBar>(QStringLiteral("TabStrip1"));
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab - 1).center());
    }
    // Waits for the operation to end and its messages to be shown.
    bool finished(int messages = 1) const {
        return QTest::qWaitFor(
            [&] { return dialogs->messages.size() >= messages && !w->linkState().isBusy(); },
            20000);
    }
    // The last message's text and title, as "text|title".
    QString lastMessage() const {
        return dialogs->messages.isEmpty()
                   ? QString()
                   : dialogs->messages.last().text + '|' + dialogs->messages.last().title;
    }
    QStringList messageTexts() const {
        QStringList out;
        for (const auto& m : dialogs->messages)
            out << m.text;
        return out;
    }
};

} // namespace rz::test

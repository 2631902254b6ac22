// rz-v70-writer: the desktop clone and programming utility.
#include "app/main_window.h"
#include "app/product.h"
#include "app/screenshots.h"
#include "app/splash_screen.h"
#include "model/build_info.h"
#include "files/backup_folder.h"
#include "files/config_file.h"
#include "files/recovery_file.h"
#include <QApplication>
#include <QCommandLineParser>
#include <cstdio>
#include <cstring>
#include <memory>

#ifdef RZ_WITH_SIM
#include "sim/simulator.h"

namespace {

// --simulate: the program talks to a receiver simulated inside the process,
// preloaded with a sample data set, through a pseudo-terminal like any
// serial device.
std::unique_ptr<rz::sim::Simulator> startBuiltInSimulator(rz::MainWindow& window) {
    auto simulator = std::make_unique<rz::sim::Simulator>();
    simulator->setImage(rz::sim::sampleImage());
    if (!simulator->start()) {
        std::fputs("rz-v70-writer: the built-in simulator could not open a pseudo-terminal\n",
                   stderr);
        return nullptr;
    }
    window.usePortDevice(simulator->devicePath());
    std::fprintf(stderr, "rz-v70-writer: simulated receiver on %s (COM%d)\n",
                 qPrintable(simulator->devicePath()), window.selectedPort());
    return simulator;
}

using BuiltInSimulator = std::unique_ptr<rz::sim::Simulator>;

} // namespace
#else
using BuiltInSimulator = std::unique_ptr<QObject>; // never set
#endif

int main(int argc, char* argv[]) {
    // Answered before the window system is needed, so that it works without
    // a display (over ssh, in a package check).
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::puts(qPrintable(rz::build::versionLine(QStringLiteral("rz-v70-writer"))));
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rz-v70-writer"));
    QApplication::setApplicationVersion(rz::product::version());
    // Docks and Wayland match the window to its menu entry by this name.
    QGuiApplication::setDesktopFileName(QLatin1String(rz::config::AppId));
    QApplication::setWindowIcon(rz::product::icon());

    QCommandLineParser parser;
    parser.setApplicationDescription(rz::product::name());
    parser.addHelpOption();
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Show the version and the Qt version."));
    parser.addOption(versionOption);
    const QCommandLineOption portOption(
        QStringLiteral("port"),
        QStringLiteral("Use the serial device DEVICE (/dev/ttyUSB0, COM3)."),
        QStringLiteral("DEVICE"));
#ifdef RZ_WITH_SIM
    const QCommandLineOption simulateOption(
        QStringLiteral("simulate"), QStringLiteral("Talk to a built-in simulated receiver."));
    parser.addOption(simulateOption);
#endif
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("Use FILE as the configuration file."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Write pictures of the main window and the Memory Setting dialog into "
                       "FOLDER and quit."),
        QStringLiteral("FOLDER"));
    parser.addOptions({portOption, configOption, screenshotOption});
    parser.addPositionalArgument(QStringLiteral("FILE.V70"),
                                 QStringLiteral("A clone file to open at the start."),
                                 QStringLiteral("[FILE.V70]"));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "rz-v70-writer: one clone file at most (see --help)\n");
        return 64;
    }

    rz::MainWindow::Options options;
    options.configPath = parser.value(configOption);

    // Everything the program keeps about the receiver, for the whole run.
    rz::DataSet data;

    if (parser.isSet(screenshotOption)) {
        options.ports = rz::SerialPortList({QStringLiteral("/dev/ttyUSB0")});
        rz::MainWindow window(data, options);
        rz::fillExampleChannels(window);
        return rz::writeScreenshots(window, parser.value(screenshotOption)) ? 0 : 1;
    }

    options.backupFolder = rz::backup::defaultFolder();
    options.recoveryFolder = rz::recovery::Store::defaultFolder();
    BuiltInSimulator simulator;
    std::unique_ptr<rz::MainWindow> window;
    rz::SplashScreen splash;
    QObject::connect(&splash, &rz::SplashScreen::finished, [&] {
        window = std::make_unique<rz::MainWindow>(data, options);
        if (parser.isSet(portOption) && !window->usePortDevice(parser.value(portOption)))
            std::fprintf(stderr, "rz-v70-writer: no port %s; using COM%d\n",
                         qPrintable(parser.value(portOption)), window->selectedPort());
#ifdef RZ_WITH_SIM
        if (parser.isSet(simulateOption))
            simulator = startBuiltInSimulator(*window);
#endif
        window->show();
        window->offerRecovery();
        if (!files.isEmpty())
            window->openFile(files.first());
    });
    splash.show();
    return app.exec();
}

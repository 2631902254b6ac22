// rz-v70-sim: a receiver on a pseudo-terminal. Prints the device to open and
// answers until interrupted.
#include "model/build_info.h"
#include "model/region.h"
#include "sim/simulator.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <optional>
#include <pthread.h>
#include <unistd.h>

namespace {

enum Status { Success = 0, PortError = 2, FileError = 3, Usage = 64 };

int usageError(const QString& what) {
    std::fprintf(stderr, "rz-v70-sim: %s (see rz-v70-sim --help)\n", qPrintable(what));
    return Usage;
}

int fileError(const char* what, const QString& path) {
    std::fprintf(stderr, "rz-v70-sim: cannot %s %s\n", what, qPrintable(path));
    return FileError;
}

struct Options {
    QCommandLineOption region{
        QStringLiteral("region"),
        QStringLiteral("Regional version whose identification is answered: J, E or T (E)."),
        QStringLiteral("J|E|T")};
    QCommandLineOption sample{QStringLiteral("sample"),
                              QStringLiteral("Start with a sample data set.")};
    QCommandLineOption load{QStringLiteral("load"),
                            QStringLiteral("Start with the memory image in FILE (1 MiB at most)."),
                            QStringLiteral("FILE")};
    QCommandLineOption dump{QStringLiteral("dump"),
                            QStringLiteral("Write the memory image to FILE when stopping."),
                            QStringLiteral("FILE")};
    QCommandLineOption link{QStringLiteral("link"),
                            QStringLiteral("Also make PATH a symbolic link to the device."),
                            QStringLiteral("PATH")};
    QCommandLineOption paced{QStringLiteral("paced"),
                             QStringLiteral("Take as long as a 57600 baud line.")};
    QCommandLineOption verbose{{QStringLiteral("v"), QStringLiteral("verbose")},
                               QStringLiteral("Print every frame received.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help.")};
    QCommandLineOption version{QStringLiteral("version"),
                               QStringLiteral("Show the version and the Qt version.")};
};

// Sets the simulator up from the command line; a status to exit with, or
// nothing to go on.
std::optional<int> configure(const QCommandLineParser& parser, const Options& o,
                             rz::sim::Simulator& sim) {
    if (parser.isSet(o.region)) {
        const auto region = rz::parseRegion(parser.value(o.region));
        if (!region)
            return usageError(QStringLiteral("--region needs J, E or T, not ") +
                              parser.value(o.region));
        sim.setRegion(*region);
    }
    if (parser.isSet(o.sample))
        sim.setImage(rz::sim::sampleImage());
    if (parser.isSet(o.load) && !sim.loadImage(parser.value(o.load)))
        return fileError("load", parser.value(o.load));
    sim.setPaced(parser.isSet(o.paced));
    if (parser.isSet(o.verbose)) {
        sim.setFrameObserver([](const QByteArray& frame) {
            std::fprintf(stderr, "%s\n", frame.chopped(1).constData());
        });
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rz-v70-sim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated receiver on a pseudo-terminal. Prints the device path, then "
                       "answers until interrupted (Ctrl+C)."));
    const Options o;
    parser.addOptions(
        {o.region, o.sample, o.load, o.dump, o.link, o.paced, o.verbose, o.help, o.version});
    if (!parser.parse(app.arguments()))
        return usageError(parser.errorText());
    if (parser.isSet(o.help)) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return Success;
    }
    if (parser.isSet(o.version)) {
        std::puts(qPrintable(rz::build::versionLine(QStringLiteral("rz-v70-sim"))));
        return Success;
    }
    if (!parser.positionalArguments().isEmpty())
        return usageError(QStringLiteral("unexpected argument ") +
                          parser.positionalArguments().first());

    rz::sim::Simulator sim;
    if (const auto status = configure(parser, o, sim))
        return *status;

    // SIGINT and SIGTERM are taken by sigwait below, on this thread only.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    if (!sim.start()) {
        std::fprintf(stderr, "rz-v70-sim: cannot open a pseudo-terminal\n");
        return PortError;
    }
    const QByteArray device = sim.devicePath().toLocal8Bit();
    const QString linkPath = parser.value(o.link);
    if (!linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(linkPath);
        ::unlink(link.constData());
        if (::symlink(device.constData(), link.constData()) != 0)
            return fileError("create", linkPath);
    }
    std::printf("%s\n", device.constData());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    sim.stop();
    if (!linkPath.isEmpty())
        ::unlink(QFile::encodeName(linkPath).constData());
    const QString dumpPath = parser.value(o.dump);
    if (!dumpPath.isEmpty() && !sim.dumpImage(dumpPath))
        return fileError("write", dumpPath);
    return Success;
}

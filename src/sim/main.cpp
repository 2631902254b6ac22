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
    // The faults, so that every error path can be seen without a relay.
    QCommandLineOption dropEvery{QStringLiteral("drop-every"),
                                 QStringLiteral("Leave every N-th reply out."),
                                 QStringLiteral("N")};
    QCommandLineOption garbleEvery{
        QStringLiteral("garble-every"),
        QStringLiteral("End every N-th reply with LF CR instead of CR LF."), QStringLiteral("N")};
    QCommandLineOption ngEvery{QStringLiteral("ng-every"),
                               QStringLiteral("Say \"NG\" for \"OK\" in every N-th reply."),
                               QStringLiteral("N")};
    QCommandLineOption shortEvery{QStringLiteral("short-every"),
                                  QStringLiteral("Send every N-th reply one byte short."),
                                  QStringLiteral("N")};
    QCommandLineOption longEvery{QStringLiteral("long-every"),
                                 QStringLiteral("Send every N-th reply with one byte too many."),
                                 QStringLiteral("N")};
    QCommandLineOption stopAfter{
        QStringLiteral("stop-after"),
        QStringLiteral("Answer the first N frames, then no more (a receiver that hangs)."),
        QStringLiteral("N")};
    QCommandLineOption disconnectAfter{
        QStringLiteral("disconnect-after"),
        QStringLiteral("Answer the first N frames, then close the terminal (a cable pulled)."),
        QStringLiteral("N")};
    QCommandLineOption delay{QStringLiteral("delay"),
                             QStringLiteral("Send every reply MS milliseconds late."),
                             QStringLiteral("MS")};
    QCommandLineOption verbose{{QStringLiteral("v"), QStringLiteral("verbose")},
                               QStringLiteral("Print every frame received.")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help.")};
    QCommandLineOption version{QStringLiteral("version"),
                               QStringLiteral("Show the version and the Qt version.")};
};

// The faults the options ask for; a usage error for a number that is none.
std::optional<int> addFaults(const QCommandLineParser& parser, const Options& o,
                             rz::sim::Simulator& sim) {
    using rz::sim::Fault;
    struct Choice {
        const QCommandLineOption& option;
        Fault fault;
        enum { Every, After, Delay } kind;
        int least;
    };
    const Choice choices[] = {
        {o.dropEvery, Fault::Drop, Choice::Every, 1},
        {o.garbleEvery, Fault::SwapEnding, Choice::Every, 1},
        {o.ngEvery, Fault::NoOk, Choice::Every, 1},
        {o.shortEvery, Fault::OneShort, Choice::Every, 1},
        {o.longEvery, Fault::OneLong, Choice::Every, 1},
        {o.stopAfter, Fault::Drop, Choice::After, 0},
        {o.disconnectAfter, Fault::Disconnect, Choice::After, 0},
        {o.delay, Fault::Delay, Choice::Delay, 1},
    };
    for (const Choice& c : choices) {
        if (!parser.isSet(c.option))
            continue;
        bool ok = false;
        const int n = parser.value(c.option).toInt(&ok);
        if (!ok || n < c.least)
            return usageError(QStringLiteral("--%1 needs a number of at least %2, not %3")
                                  .arg(c.option.names().first())
                                  .arg(c.least)
                                  .arg(parser.value(c.option)));
        rz::sim::FaultRule rule;
        rule.fault = c.fault;
        rule.count = -1;
        if (c.kind == Choice::Every) {
            rule.skip = n - 1;
            rule.every = n;
        } else if (c.kind == Choice::After) {
            rule.skip = n;
        } else {
            rule.delayMs = n;
        }
        sim.addFault(rule);
    }
    return std::nullopt;
}

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
    if (const auto status = addFaults(parser, o, sim))
        return status;
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
    parser.addOptions({o.region, o.sample, o.load, o.dump, o.link, o.paced, o.dropEvery,
                       o.garbleEvery, o.ngEvery, o.shortEvery, o.longEvery, o.stopAfter,
                       o.disconnectAfter, o.delay, o.verbose, o.help, o.version});
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

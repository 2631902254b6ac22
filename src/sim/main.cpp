// rz-v70-sim: a receiver on a pseudo-terminal. Prints the device to open and
// answers until interrupted.
#include "sim/simulator.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <csignal>
#include <cstdio>
#include <pthread.h>
#include <unistd.h>

namespace {

const char Usage[] = "Usage: rz-v70-sim [options]\n"
                     "A simulated receiver on a pseudo-terminal. Prints the device path, then\n"
                     "answers until interrupted (Ctrl+C).\n"
                     "\n"
                     "  --region J|E|T   regional version whose identification is answered (E)\n"
                     "  --sample         start with a sample data set\n"
                     "  --load FILE      start with the memory image in FILE (1 MiB at most)\n"
                     "  --dump FILE      write the memory image to FILE when stopping\n"
                     "  --link PATH      also make PATH a symbolic link to the device\n"
                     "  --paced          take as long as a 57600 baud line\n"
                     "  --verbose        print every frame received\n"
                     "  --help           this text\n";

int usageError(const char* what) {
    std::fprintf(stderr, "rz-v70-sim: %s (see --help)\n", what);
    return 64;
}

} // namespace

int main(int argc, char** argv) {
    rz::sim::Simulator sim;
    QString dumpPath, linkPath;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        auto value = [&](QString& out) {
            if (i + 1 >= argc)
                return false;
            out = QString::fromLocal8Bit(argv[++i]);
            return true;
        };
        QString text;
        if (arg == "--help" || arg == "-h") {
            std::fputs(Usage, stdout);
            return 0;
        } else if (arg == "--region") {
            if (!value(text))
                return usageError("--region needs J, E or T");
            if (text == QLatin1String("J"))
                sim.setRegion(rz::Region::J);
            else if (text == QLatin1String("E"))
                sim.setRegion(rz::Region::E);
            else if (text == QLatin1String("T"))
                sim.setRegion(rz::Region::T);
            else
                return usageError("--region needs J, E or T");
        } else if (arg == "--sample") {
            sim.setImage(rz::sim::sampleImage());
        } else if (arg == "--load") {
            if (!value(text))
                return usageError("--load needs a file");
            if (!sim.loadImage(text)) {
                std::fprintf(stderr, "rz-v70-sim: cannot load %s\n", qPrintable(text));
                return 3;
            }
        } else if (arg == "--dump") {
            if (!value(dumpPath))
                return usageError("--dump needs a file");
        } else if (arg == "--link") {
            if (!value(linkPath))
                return usageError("--link needs a path");
        } else if (arg == "--paced") {
            sim.setPaced(true);
        } else if (arg == "--verbose" || arg == "-v") {
            verbose = true;
        } else {
            return usageError("unknown option");
        }
    }

    // SIGINT and SIGTERM are taken by sigwait below, on this thread only.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    if (verbose) {
        sim.setFrameObserver([](const QByteArray& frame) {
            std::fprintf(stderr, "%s\n", frame.chopped(1).constData());
        });
    }
    if (!sim.start()) {
        std::fprintf(stderr, "rz-v70-sim: cannot open a pseudo-terminal\n");
        return 2;
    }
    const QByteArray device = sim.devicePath().toLocal8Bit();
    if (!linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(linkPath);
        ::unlink(link.constData());
        if (::symlink(device.constData(), link.constData()) != 0) {
            std::fprintf(stderr, "rz-v70-sim: cannot create %s\n", link.constData());
            return 3;
        }
    }
    std::printf("%s\n", device.constData());
    std::fflush(stdout);

    int signal = 0;
    sigwait(&stopSignals, &signal);
    sim.stop();
    if (!linkPath.isEmpty())
        ::unlink(QFile::encodeName(linkPath).constData());
    if (!dumpPath.isEmpty() && !sim.dumpImage(dumpPath)) {
        std::fprintf(stderr, "rz-v70-sim: cannot write %s\n", qPrintable(dumpPath));
        return 3;
    }
    return 0;
}

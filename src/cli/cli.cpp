#include "cli/cli.h"

#include "link/identification.h"
#include "link/port_names.h"

#include <QTextStream>

#include <cstdio>
#include <functional>
#include <unistd.h>

namespace rz::cli {

namespace {

// What every command gets: the resolved options and the streams.
struct Context {
    QString port;   // as given
    QString device; // resolved, for the link
    Region region = Region::E;
    QTextStream& out;
    QTextStream& err;

    void fail(const QString& text) const { err << "rz-v70: " << text << Qt::endl; }
};

struct Command {
    const char* name;
    const char* arguments; // for the usage text
    const char* summary;
    bool needsPort;
    std::function<int(Context&, const QStringList&)> run;
};

QString regionName(Region region) {
    switch (region) {
    case Region::J:
        return QStringLiteral("J");
    case Region::E:
        return QStringLiteral("E/EGR");
    case Region::T:
        break;
    }
    return QStringLiteral("T");
}

// Shows the percentage on a terminal while an operation runs.
class TerminalProgress : public OperationSink {
public:
    void progressText(const QString& text) override {
        if (::isatty(STDERR_FILENO)) {
            std::fprintf(stderr, "\r%-5s", qPrintable(text));
            shown_ = true;
        }
    }
    ~TerminalProgress() override {
        if (shown_)
            std::fprintf(stderr, "\r     \r");
    }

private:
    bool shown_ = false;
};

// Runs an operation and turns its outcome into the exit status; the
// outcome's message goes to err in one line.
int runOperation(Context& c, const Operation& operation) {
    Link link(c.device);
    Outcome outcome;
    {
        TerminalProgress progress;
        outcome = operation.run(link, progress);
    }
    switch (outcome.kind) {
    case Outcome::Success:
        return ExitSuccess;
    case Outcome::Error:
        c.fail(outcome.explanation() +
               QStringLiteral(" (region %1 on %2)").arg(regionName(c.region), c.device));
        return ExitReceiverError;
    case Outcome::PortError:
        c.fail(outcome.explanation());
        return ExitPortError;
    case Outcome::Cancelled:
        break;
    }
    c.fail(QStringLiteral("cancelled"));
    return ExitReceiverError;
}

int identify(Context& c, const QStringList&) {
    const int status = runOperation(c, Identify(c.region));
    if (status == ExitSuccess)
        c.out << "Receiver on " << c.device << " identified (region " << regionName(c.region) << ")"
              << Qt::endl;
    return status;
}

int reset(Context& c, const QStringList&) {
    Link link(c.device);
    const Outcome outcome = resetReceiver(link);
    if (outcome.kind == Outcome::PortError) {
        c.fail(QStringLiteral("Port Error: ") + outcome.detail);
        return ExitPortError;
    }
    c.out << "Reset sent to " << c.device << Qt::endl;
    return ExitSuccess;
}

int ports(Context& c, const QStringList&) {
    const QList<SerialDevice> devices = serialDevices();
    if (devices.isEmpty())
        c.out << "No serial devices found." << Qt::endl;
    for (int i = 0; i < devices.size(); ++i) {
        c.out << "COM" << i + 1 << "  " << devices.at(i).path;
        if (!devices.at(i).description.isEmpty())
            c.out << "  (" << devices.at(i).description << ")";
        c.out << Qt::endl;
    }
    return ExitSuccess;
}

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"identify", "", "ask the receiver to identify itself", true, identify},
        {"reset", "", "send the reset command to the receiver", true, reset},
        {"ports", "", "list the serial devices and the COMn each stands for", false, ports},
    };
    return table;
}

void usage(QTextStream& out) {
    out << "Usage: rz-v70 [--port DEVICE] [--region J|E|T] COMMAND [ARGUMENTS]\n"
           "\n"
           "Options:\n"
           "  -p, --port DEVICE   serial device: a path such as /dev/ttyUSB0, or COMn\n"
           "                      (on Windows the system's COMn; elsewhere the n-th device\n"
           "                      of the 'ports' command, USB adapters first)\n"
           "  -r, --region J|E|T  regional version of the receiver (default E)\n"
           "  -h, --help          this text\n"
           "\n"
           "Commands:\n";
    for (const Command& cmd : commands()) {
        const QString head =
            QString::fromLatin1(cmd.name) +
            (*cmd.arguments ? QLatin1Char(' ') + QLatin1String(cmd.arguments) : QString());
        out << "  " << head.leftJustified(20) << cmd.summary << "\n";
    }
    out << "\n"
           "Exit status: 0 success, 1 receiver error, 2 port error, 3 file error,\n"
           "64 usage error.\n";
    out.flush();
}

} // namespace

int run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    Context c{QString(), QString(), Region::E, out, err};
    QStringList rest;
    auto usageError = [&](const QString& text) {
        c.fail(text + QStringLiteral(" (see rz-v70 --help)"));
        return int(ExitUsage);
    };
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (!rest.isEmpty()) {
            rest.append(a); // the command's own arguments
        } else if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            usage(out);
            return ExitSuccess;
        } else if (a == QLatin1String("-p") || a == QLatin1String("--port")) {
            if (++i >= arguments.size())
                return usageError(QStringLiteral("--port needs a device"));
            c.port = arguments.at(i);
        } else if (a == QLatin1String("-r") || a == QLatin1String("--region")) {
            if (++i >= arguments.size())
                return usageError(QStringLiteral("--region needs J, E or T"));
            const QString r = arguments.at(i).toUpper();
            if (r == QLatin1String("J"))
                c.region = Region::J;
            else if (r == QLatin1String("E") || r == QLatin1String("E/EGR"))
                c.region = Region::E;
            else if (r == QLatin1String("T"))
                c.region = Region::T;
            else
                return usageError(QStringLiteral("--region needs J, E or T, not ") +
                                  arguments.at(i));
        } else if (a.startsWith(QLatin1Char('-'))) {
            return usageError(QStringLiteral("unknown option ") + a);
        } else {
            rest.append(a);
        }
    }
    if (rest.isEmpty())
        return usageError(QStringLiteral("no command given"));

    const QString name = rest.takeFirst();
    for (const Command& cmd : commands()) {
        if (name != QLatin1String(cmd.name))
            continue;
        if (!*cmd.arguments && !rest.isEmpty())
            return usageError(name + QStringLiteral(" takes no arguments, not ") + rest.first());
        if (cmd.needsPort) {
            if (c.port.isEmpty())
                return usageError(name + QStringLiteral(" needs --port DEVICE"));
            QString error;
            c.device = resolvePort(c.port, &error);
            if (c.device.isEmpty()) {
                c.fail(QStringLiteral("Port Error: ") + error);
                return ExitPortError;
            }
        }
        return cmd.run(c, rest);
    }
    return usageError(QStringLiteral("unknown command ") + name);
}

} // namespace rz::cli

#include "cli/cli.h"

#include "link/port_names.h"
#include "model/build_info.h"

#include <QTextStream>

namespace rz::cli {

namespace {

QString usageHint() {
    return QStringLiteral(" (see rz-v70 --help)");
}

// The options every command takes, before or after the command's name.
struct SharedOptions {
    QCommandLineOption port{
        {QStringLiteral("p"), QStringLiteral("port")},
        QStringLiteral("Serial device: a path such as /dev/ttyUSB0, or COMn (on "
                       "Windows the system's COMn; elsewhere the n-th device "
                       "of the 'ports' command, USB adapters first)."),
        QStringLiteral("DEVICE")};
    QCommandLineOption region{{QStringLiteral("r"), QStringLiteral("region")},
                              QStringLiteral("Regional version of the receiver: J, E (E/EGR, the "
                                             "default) or T."),
                              QStringLiteral("J|E|T")};
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help.")};

    void addTo(QCommandLineParser& parser) const { parser.addOptions({port, region, help}); }
};

const char ExitText[] = "\nExit status: 0 success, 1 receiver error, 2 port error, 3 file error,\n"
                        "64 usage error.\n";

QString toolHelp(QCommandLineParser& parser) {
    QString text = parser.helpText();
    text += QStringLiteral("\nCommands:\n");
    for (const auto& command : commands()) {
        QString head = command->name();
        if (!command->arguments().isEmpty())
            head += QLatin1Char(' ') + command->arguments();
        text += QStringLiteral("  ") + head.leftJustified(20) + command->summary() + '\n';
    }
    text += QStringLiteral("\n'rz-v70 COMMAND --help' shows the options of a command.\n");
    return text + QLatin1String(ExitText);
}

const Command* findCommand(const QString& name) {
    for (const auto& command : commands())
        if (command->name() == name)
            return command.get();
    return nullptr;
}

class Invocation {
public:
    Invocation(QTextStream& out, QTextStream& err) : out_(out), err_(err) {}

    int run(const QStringList& arguments) {
        // First the shared options up to the command's name; the rest is
        // the command's to parse.
        QCommandLineParser tool;
        tool.setApplicationDescription(QStringLiteral("Talk to the receiver without a window."));
        tool.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
        shared_.addTo(tool);
        const QCommandLineOption version(QStringLiteral("version"),
                                         QStringLiteral("Show the version and the Qt version."));
        tool.addOption(version);
        tool.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do."),
                                   QStringLiteral("COMMAND [ARGUMENTS]"));
        if (!tool.parse(QStringList(QStringLiteral("rz-v70")) + arguments))
            return usageError(tool.errorText());
        if (tool.isSet(shared_.help)) {
            out_ << toolHelp(tool);
            return ExitSuccess;
        }
        if (tool.isSet(version)) {
            out_ << build::versionLine(QStringLiteral("rz-v70")) << '\n';
            return ExitSuccess;
        }
        QStringList rest = tool.positionalArguments();
        if (rest.isEmpty())
            return usageError(QStringLiteral("no command given"));
        const QString name = rest.takeFirst();
        const Command* command = findCommand(name);
        if (!command)
            return usageError(QStringLiteral("unknown command ") + name);
        return runCommand(*command, tool, rest);
    }

private:
    int runCommand(const Command& command, const QCommandLineParser& tool,
                   const QStringList& arguments) {
        QCommandLineParser parser;
        parser.setApplicationDescription(command.summary());
        shared_.addTo(parser);
        command.addOptions(parser);
        if (!command.arguments().isEmpty())
            parser.addPositionalArgument(command.arguments(), QString());
        if (!parser.parse(QStringList(QStringLiteral("rz-v70 ") + command.name()) + arguments))
            return usageError(parser.errorText());
        if (parser.isSet(shared_.help)) {
            out_ << parser.helpText() << ExitText;
            return ExitSuccess;
        }
        if (command.arguments().isEmpty() && !parser.positionalArguments().isEmpty())
            return usageError(command.name() + QStringLiteral(" takes no arguments, not ") +
                              parser.positionalArguments().first());

        // An option after the command wins over the same before it.
        const auto value = [&](const QCommandLineOption& option) {
            return parser.isSet(option) ? parser.value(option) : tool.value(option);
        };
        CommandContext context{QString(), Region::E, out_, err_, parser};
        const QString regionText = value(shared_.region);
        if (!regionText.isEmpty()) {
            const auto region = parseRegion(regionText);
            if (!region)
                return usageError(QStringLiteral("--region needs J, E or T, not ") + regionText);
            context.region = *region;
        }
        const QString port = value(shared_.port);
        if (command.needsPort() || (command.takesPort() && !port.isEmpty())) {
            if (port.isEmpty())
                return usageError(command.name() + QStringLiteral(" needs --port DEVICE"));
            QString error;
            context.device = resolvePort(port, &error);
            if (context.device.isEmpty()) {
                context.fail(QStringLiteral("Port Error: ") + error);
                return ExitPortError;
            }
        }
        return command.run(context);
    }

    int usageError(const QString& text) {
        err_ << "rz-v70: " << text << usageHint() << Qt::endl;
        return ExitUsage;
    }

    QTextStream& out_;
    QTextStream& err_;
    SharedOptions shared_;
};

} // namespace

int run(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    Invocation invocation(out, err);
    const int status = invocation.run(arguments);
    out.flush();
    err.flush();
    return status;
}

} // namespace rz::cli

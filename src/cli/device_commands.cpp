// The commands that ask the receiver, or the machine, about the link.
#include "cli/command.h"

#include "link/identification.h"
#include "link/port_names.h"

#include <QTextStream>

namespace rz::cli {

namespace {

class IdentifyCommand : public Command {
public:
    QString name() const override { return QStringLiteral("identify"); }
    QString summary() const override {
        return QStringLiteral("Ask the receiver to identify itself.");
    }
    int run(const CommandContext& c) const override {
        const int status = c.runOperation(Identify(c.region));
        if (status == ExitSuccess)
            c.out << "Receiver on " << c.device << " identified (region " << regionName(c.region)
                  << ")" << Qt::endl;
        return status;
    }
};

class ResetCommand : public Command {
public:
    QString name() const override { return QStringLiteral("reset"); }
    QString summary() const override {
        return QStringLiteral("Send the reset command to the receiver.");
    }
    int run(const CommandContext& c) const override {
        Link link(c.device);
        const Outcome outcome = resetReceiver(link);
        if (outcome.kind == Outcome::PortError) {
            c.fail(outcome.explanation());
            return ExitPortError;
        }
        c.out << "Reset sent to " << c.device << Qt::endl;
        return ExitSuccess;
    }
};

class PortsCommand : public Command {
public:
    QString name() const override { return QStringLiteral("ports"); }
    QString summary() const override {
        return QStringLiteral("List the serial devices and the COMn each stands for.");
    }
    bool needsPort() const override { return false; }
    int run(const CommandContext& c) const override {
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
};

} // namespace

const std::vector<std::unique_ptr<Command>>& commands() {
    static const std::vector<std::unique_ptr<Command>> all = [] {
        std::vector<std::unique_ptr<Command>> list;
        list.push_back(std::make_unique<IdentifyCommand>());
        list.push_back(std::make_unique<ResetCommand>());
        list.push_back(std::make_unique<PortsCommand>());
        addAllCommands(list);
        addFileCommands(list);
        addListCommands(list);
        addDiffCommand(list);
        return list;
    }();
    return all;
}

} // namespace rz::cli

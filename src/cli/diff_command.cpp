// diff: what differs between two clone files, or between a clone file and
// the receiver (read whole first), area by area.
#include "cli/command.h"

#include "files/data_set_diff.h"
#include "files/data_set_sections.h"

#include <QTextStream>

namespace rz::cli {

namespace {

enum DiffStatus { Same = 0, Different = 1 };

class DiffCommand : public Command {
public:
    QString name() const override { return QStringLiteral("diff"); }
    QString summary() const override {
        return QStringLiteral("Show what differs between two clone files, or with --port "
                              "between a clone file and the receiver (exit status 0 the same, "
                              "1 different).");
    }
    QString arguments() const override { return QStringLiteral("A.V70 [B.V70]"); }
    bool needsPort() const override { return false; }
    bool takesPort() const override { return true; }

    int run(const CommandContext& c) const override {
        const QStringList files = c.parser.positionalArguments();
        const bool receiver = !c.device.isEmpty();
        if (files.size() != (receiver ? 1 : 2)) {
            c.fail(QStringLiteral("diff needs two clone files, or --port DEVICE and one (see "
                                  "rz-v70 --help)"));
            return ExitUsage;
        }
        DataSet a, b;
        if (const int status = conversion::openCloneFile(c, files.at(0), a); status != ExitSuccess)
            return status;
        const int status =
            receiver ? readReceiver(*this, c, b) : conversion::openCloneFile(c, files.at(1), b);
        if (status != ExitSuccess)
            return status;
        const QString other = receiver ? c.device : files.at(1);
        const QList<diff::Area> areas = diff::compare(a, b);
        if (areas.isEmpty()) {
            c.out << files.at(0) << " and " << other << " are the same" << Qt::endl;
            return Same;
        }
        c.out << "--- " << files.at(0) << "\n+++ " << other << '\n';
        for (const diff::Area& area : areas) {
            c.out << area.name << ":\n";
            for (const QString& line : area.lines)
                c.out << "  " << line << '\n';
        }
        c.out.flush();
        return Different;
    }
};

} // namespace

void addDiffCommand(std::vector<std::unique_ptr<Command>>& list) {
    list.push_back(std::make_unique<DiffCommand>());
}

} // namespace rz::cli

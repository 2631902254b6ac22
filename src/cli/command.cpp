#include "cli/command.h"

#include "cli/terminal.h"
#include "files/config_file.h"
#include "files/data_set_sections.h"
#include "link/sink_relays.h"

#include <QTextStream>

namespace rz::cli {

Command::~Command() = default;

void CommandContext::fail(const QString& text) const {
    err << "rz-v70: " << text << Qt::endl;
}

int CommandContext::fileError(const QString& path, const FileOutcome& outcome) const {
    QString text = path + QStringLiteral(": ") + outcome.message;
    if (!outcome.reason.isEmpty() && !outcome.message.contains(outcome.reason))
        text += QStringLiteral(" (") + outcome.reason + QLatin1Char(')');
    fail(text);
    return ExitFileError;
}

int CommandContext::runOperation(const Operation& operation, OperationSink* results) const {
    Link link(device);
    Outcome outcome;
    {
        TerminalProgress progress;
        SinkFan sinks{&progress, results};
        outcome = operation.run(link, sinks);
    }
    switch (outcome.kind) {
    case Outcome::Success:
        return ExitSuccess;
    case Outcome::Error:
        fail(outcome.explanation() +
             QStringLiteral(" (region %1 on %2)").arg(regionName(region), device));
        return ExitReceiverError;
    case Outcome::PortError:
        fail(outcome.explanation());
        return ExitPortError;
    case Outcome::Cancelled:
        break;
    }
    fail(outcome.explanation());
    return ExitReceiverError;
}

namespace conversion {

const QCommandLineOption OutputOption({QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Write the result to FILE."),
                                      QStringLiteral("FILE"));
const QCommandLineOption BaseOption(
    QStringLiteral("base"),
    QStringLiteral("Import into the data set of this clone file (default: the data set the "
                   "program starts with)."),
    QStringLiteral("BASE.V70"));

bool inputAndOutput(const Command& command, const CommandContext& c, QString* in, QString* out) {
    const QStringList arguments = c.parser.positionalArguments();
    *out = c.parser.value(OutputOption);
    if (arguments.size() == 1 && !out->isEmpty()) {
        *in = arguments.first();
        return true;
    }
    c.fail(command.name() +
           QStringLiteral(" needs one input file and -o FILE (see rz-v70 --help)"));
    return false;
}

int openCloneFile(const CommandContext& c, const QString& path, DataSet& data) {
    clone::loadStartUpState(data);
    const FileOutcome opened = clone::DataSetSections(data, [] { return 1; }).open(path);
    return opened.ok ? int(ExitSuccess) : c.fileError(path, opened);
}

int openBase(const CommandContext& c, DataSet& data, int* port) {
    *port = 1;
    const QString base = c.parser.value(BaseOption);
    if (base.isEmpty()) {
        clone::loadStartUpState(data);
        return ExitSuccess;
    }
    const int status = openCloneFile(c, base, data);
    if (status == ExitSuccess)
        *port = config::readPort(base).port; // the base file's port line stays
    return status;
}

} // namespace conversion

} // namespace rz::cli

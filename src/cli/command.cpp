#include "cli/command.h"

#include "cli/terminal.h"
#include "link/sink_relays.h"

#include <QTextStream>

namespace rz::cli {

Command::~Command() = default;

void CommandContext::fail(const QString& text) const {
    err << "rz-v70: " << text << Qt::endl;
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

} // namespace rz::cli

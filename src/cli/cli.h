#pragma once
// The command-line tool: the options every command shares, the choice of
// command, and the exit status.
#include "cli/command.h"
#include <QStringList>

class QTextStream;

namespace rz::cli {

// Runs the tool on its arguments (without the program name); writes results
// to out and errors, one line each, to err. --port and --region may stand
// before the command or after it.
int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace rz::cli

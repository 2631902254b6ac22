#pragma once
// The command-line tool: options, the command table and the exit status.
#include <QStringList>

class QTextStream;

namespace rz::cli {

enum ExitStatus {
    ExitSuccess = 0,
    ExitReceiverError = 1, // the receiver did not answer as it should
    ExitPortError = 2,     // the serial port could not be used
    ExitFileError = 3,     // a file could not be read or written
    ExitUsage = 64,        // the command line is wrong
};

// Runs the tool on its arguments (without the program name); writes results
// to out and errors, one line each, to err.
int run(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace rz::cli

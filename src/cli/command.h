#pragma once
// One command of the command-line tool: its name, help, options and run.
// What every command shares (the port, the region, the streams, running an
// operation with progress on a terminal, the exit status of an outcome)
// is in its context.
#include "files/file_outcome.h"
#include "link/operation.h"
#include "model/data_set.h"
#include "model/region.h"
#include <QCommandLineParser>
#include <QString>
#include <memory>
#include <vector>

class QTextStream;

namespace rz::cli {

enum ExitStatus {
    ExitSuccess = 0,
    ExitReceiverError = 1, // the receiver did not answer as it should
    ExitPortError = 2,     // the serial port could not be used
    ExitFileError = 3,     // a file could not be read or written
    ExitUsage = 64,        // the command line is wrong
};

struct CommandContext {
    QString device; // resolved, for the link (empty for commands without a port)
    Region region = Region::E;
    QTextStream& out;
    QTextStream& err;
    const QCommandLineParser& parser; // the command's own options and arguments

    // One line on err: "rz-v70: " + text.
    void fail(const QString& text) const;
    // A file that could not be read or written, told in one line ("IN.V70:
    // Can't open the file. (the file name does not end in .V70)"): the
    // file-error status.
    int fileError(const QString& path, const FileOutcome& outcome) const;
    // Runs an operation on the device, its percentage on a terminal, and
    // turns its outcome into the exit status (an error told on err).
    int runOperation(const Operation& operation, OperationSink* results = nullptr) const;
};

class Command {
public:
    virtual ~Command();
    virtual QString name() const = 0;
    virtual QString summary() const = 0;
    // The command's arguments for its usage line ("FILE"); none by default.
    virtual QString arguments() const { return QString(); }
    virtual bool needsPort() const { return true; }
    // A command that works with or without a receiver takes --port when given.
    virtual bool takesPort() const { return needsPort(); }
    // Options of its own, besides --port and --region.
    virtual void addOptions(QCommandLineParser& parser) const { Q_UNUSED(parser) }
    virtual int run(const CommandContext& context) const = 0;
};

// What the file conversions share: -o FILE, --base BASE.V70, and the one
// input file with the output file (a usage error told on err otherwise).
namespace conversion {
extern const QCommandLineOption OutputOption;
extern const QCommandLineOption BaseOption;
bool inputAndOutput(const Command& command, const CommandContext& c, QString* in, QString* out);
// The data set of the clone file at `path`, over the start-up data set as the
// window's Open does: ExitSuccess, or the file error told on err.
int openCloneFile(const CommandContext& c, const QString& path, DataSet& data);
// The start-up data set, or the --base file's when given, with the port its
// port line names (1 without a base): what an import writes into.
int openBase(const CommandContext& c, DataSet& data, int* port);
} // namespace conversion

// Every command, in the order --help lists them.
const std::vector<std::unique_ptr<Command>>& commands();
// The file conversions (export-csv, import-csv).
void addFileCommands(std::vector<std::unique_ptr<Command>>& list);
// The whole-receiver transfers (read-all, write-all).
void addAllCommands(std::vector<std::unique_ptr<Command>>& list);
// Reads every area of the receiver into `data` as read-all does, a line per
// step on err; the exit status of how it went.
int readReceiver(const Command& command, const CommandContext& context, DataSet& data);
// The common channel-list CSV (export-list, import-list).
void addListCommands(std::vector<std::unique_ptr<Command>>& list);
// Two data sets compared (diff).
void addDiffCommand(std::vector<std::unique_ptr<Command>>& list);

} // namespace rz::cli

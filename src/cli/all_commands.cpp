// read-all and write-all: every area of the receiver into a clone file
// (and a font file), or out of them into the receiver, through the same
// sequences as the window's COMM menu.
#include "cli/command.h"

#include "cli/terminal.h"
#include "files/backup_folder.h"
#include "files/data_set_sections.h"
#include "font/font_file.h"
#include "link/sink_relays.h"
#include "transfer/all_transfer.h"
#include "transfer/data_set_sink.h"

#include <QTextStream>

#include <cstdio>

namespace rz::cli {

namespace {

// Made when asked, as the default folder follows the environment.
QCommandLineOption backupOption() {
    return QCommandLineOption(QStringLiteral("backup-dir"),
                              QStringLiteral("Keep the time-stamped backups in DIR (default: the "
                                             "desktop program's backup folder, %1).")
                                  .arg(backup::defaultFolder()),
                              QStringLiteral("DIR"));
}

// Saves a backup; one that cannot be written is told and never fails the
// command.
void backUp(const CommandContext& c, DataSet& data, backup::Kind kind, bool withFont) {
    const QString folder = c.parser.isSet(QStringLiteral("backup-dir"))
                               ? c.parser.value(QStringLiteral("backup-dir"))
                               : backup::defaultFolder();
    const backup::Result result = backup::save(folder, data, 1, kind, withFont);
    if (!result.ok)
        c.fail(result.summary());
}

const QCommandLineOption OutputOption({QStringLiteral("o"), QStringLiteral("output")},
                                      QStringLiteral("Write the clone file FILE."),
                                      QStringLiteral("FILE"));
const QCommandLineOption FontOutOption(QStringLiteral("font"),
                                       QStringLiteral("Also write the font to this file."),
                                       QStringLiteral("FONT.FK4"));
const QCommandLineOption FontInOption(
    QStringLiteral("font"),
    QStringLiteral("Also write this font file (without it the receiver's font stays)."),
    QStringLiteral("FONT.FK4"));

// The steps on the error stream: on a terminal a bar for the running
// step, and one line per step whatever the stream is.
class StepLines : public OperationSink {
public:
    StepLines() : terminal_(errorStreamIsTerminal()) {}
    ~StepLines() override { wipe(); }

    void stepStarted(const QString& step) override { step_ = step; }
    void progressText(const QString& text) override {
        if (!terminal_)
            return;
        const int percent = qBound(0, text.chopped(1).toInt(), 100);
        const QByteArray bar = QByteArray(percent / 5, '#') + QByteArray(20 - percent / 5, '.');
        std::fprintf(stderr, "\r[%s] %-15s %3d%%", bar.constData(), qPrintable(step_), percent);
        shown_ = true;
    }
    void stepEnded(const Outcome& outcome) override {
        wipe();
        std::fprintf(stderr, "%s: %s\n", qPrintable(step_), qPrintable(outcome.explanation()));
        portFailed_ = portFailed_ || outcome.kind == Outcome::PortError;
    }
    bool portFailed() const { return portFailed_; }

private:
    void wipe() {
        if (shown_)
            std::fprintf(stderr, "\r%50s\r", "");
        shown_ = false;
    }
    bool terminal_;
    bool shown_ = false;
    bool portFailed_ = false;
    QString step_;
};

// Runs a sequence; the exit status of how it went (a port failure in any
// step counts as one).
int runSequence(const Command& command, const CommandContext& c, const StepSequence& sequence,
                OperationSink* results) {
    Link link(c.device);
    StepLines lines;
    SinkFan sinks{&lines, results};
    const Outcome outcome = sequence.run(link, sinks);
    if (outcome.kind == Outcome::Success)
        return ExitSuccess;
    c.fail(QStringLiteral("%1 failed: %2 (region %3 on %4)")
               .arg(command.name(), outcome.explanation(), regionName(c.region), c.device));
    return lines.portFailed() || outcome.kind == Outcome::PortError ? ExitPortError
                                                                    : ExitReceiverError;
}

class ReadAllCommand : public Command {
public:
    QString name() const override { return QStringLiteral("read-all"); }
    QString summary() const override {
        return QStringLiteral("Read every area of the receiver into a clone file (-o) and, "
                              "with --font, a font file.");
    }
    void addOptions(QCommandLineParser& parser) const override {
        parser.addOptions({OutputOption, FontOutOption, backupOption()});
    }

    int run(const CommandContext& c) const override {
        const QString out = c.parser.value(OutputOption);
        const QString font = c.parser.value(FontOutOption);
        if (out.isEmpty() || !c.parser.positionalArguments().isEmpty()) {
            c.fail(QStringLiteral("read-all needs -o FILE and no other argument (see rz-v70 "
                                  "--help)"));
            return ExitUsage;
        }
        // Files that Open and write-all would refuse are not worth a read.
        if (!out.toUpper().endsWith(QLatin1String(".V70")) ||
            (!font.isEmpty() && !fontfile::hasFontExtension(font))) {
            c.fail(QStringLiteral("read-all writes a clone file ending in .V70 and a font file "
                                  "ending in .FK4 (see rz-v70 --help)"));
            return ExitUsage;
        }
        DataSet data;
        clone::loadStartUpState(data);
        DataSetSink store(data);
        const int status = runSequence(*this, c, ReadAll(c.region), &store);
        if (status != ExitSuccess)
            return status; // nothing is written: an existing file stays as it was
        backUp(c, data, backup::Kind::Read, true);
        const FileOutcome saved = clone::DataSetSections(data, [] { return 1; }).save(out);
        if (!saved.ok) {
            return c.fileError(out, saved);
        }
        c.out << "Wrote " << out;
        if (!font.isEmpty()) {
            const fontfile::SaveResult written =
                fontfile::writeFontFile(font, data.font.characters());
            if (!written.ok) {
                c.out << Qt::endl;
                c.fail(font + QStringLiteral(": ") + written.error);
                return ExitFileError;
            }
            c.out << " and " << font;
        }
        c.out << Qt::endl;
        return ExitSuccess;
    }
};

class WriteAllCommand : public Command {
public:
    QString name() const override { return QStringLiteral("write-all"); }
    QString summary() const override {
        return QStringLiteral("Write every area of a clone file (and, with --font, a font "
                              "file) to the receiver.");
    }
    QString arguments() const override { return QStringLiteral("IN.V70"); }
    void addOptions(QCommandLineParser& parser) const override {
        parser.addOptions({FontInOption, backupOption()});
    }

    int run(const CommandContext& c) const override {
        const QStringList arguments = c.parser.positionalArguments();
        if (arguments.size() != 1) {
            c.fail(QStringLiteral("write-all needs one clone file (see rz-v70 --help)"));
            return ExitUsage;
        }
        // Both files are read whole before anything goes to the receiver.
        const QString in = arguments.first();
        DataSet data;
        if (const int status = conversion::openCloneFile(c, in, data); status != ExitSuccess)
            return status;
        const QString font = c.parser.value(FontInOption);
        if (!font.isEmpty()) {
            const fontfile::ReadResult read = fontfile::readFontFile(font, data.font);
            if (!read.ok()) {
                c.fail(font + QStringLiteral(": ") +
                       (read.describe().isEmpty() ? QStringLiteral("not a font file (*.FK4)")
                                                  : read.describe()));
                return ExitFileError;
            }
        }
        if (!data.banks.isConsistent()) {
            c.fail(QStringLiteral("%1: the bank sizes add up to %2, not %3")
                       .arg(in)
                       .arg(data.banks.total())
                       .arg(BankLayout::ChannelsInBanks));
            return ExitFileError;
        }
        backUp(c, data, backup::Kind::Write, !font.isEmpty());
        const int status = runSequence(*this, c, WriteAll(c.region, data), nullptr);
        if (status == ExitSuccess)
            c.out << "Wrote " << in << (font.isEmpty() ? QString() : QStringLiteral(" and ") + font)
                  << " to " << c.device << Qt::endl;
        return status;
    }
};

} // namespace

int readReceiver(const Command& command, const CommandContext& c, DataSet& data) {
    clone::loadStartUpState(data);
    DataSetSink store(data);
    return runSequence(command, c, ReadAll(c.region), &store);
}

void addAllCommands(std::vector<std::unique_ptr<Command>>& list) {
    list.push_back(std::make_unique<ReadAllCommand>());
    list.push_back(std::make_unique<WriteAllCommand>());
}

} // namespace rz::cli

// export-list and import-list: the channels of a clone file in and out as
// the common channel-list CSV, with the same mapping as the window's File
// menu. What could not be carried, or was changed on the way, is reported on
// the error stream, one line each.
#include "cli/command.h"

#include "files/channel_list.h"
#include "files/config_file.h"
#include "files/data_set_sections.h"

#include <QTextStream>

namespace rz::cli {

namespace {

using conversion::BaseOption;
using conversion::OutputOption;
const QCommandLineOption FirstRowOption(
    QStringLiteral("first-row"),
    QStringLiteral("Put the first channel of the list into grid row N (default 1); the next "
                   "ones follow in the order of the file."),
    QStringLiteral("N"), QStringLiteral("1"));
const QCommandLineOption StrictOption(
    QStringLiteral("strict"),
    QStringLiteral("Write nothing when any line is refused or changed (exit status 3)."));

void report(const CommandContext& c, const QString& path, const QList<FileNotice>& notices) {
    for (const FileNotice& notice : notices)
        c.err << path << ':' << notice.line << ": " << notice.text << Qt::endl;
}

class ExportListCommand : public Command {
public:
    QString name() const override { return QStringLiteral("export-list"); }
    QString summary() const override {
        return QStringLiteral("Write the channels of a clone file as a common channel-list CSV.");
    }
    QString arguments() const override { return QStringLiteral("IN.V70"); }
    bool needsPort() const override { return false; }
    void addOptions(QCommandLineParser& parser) const override { parser.addOption(OutputOption); }

    int run(const CommandContext& c) const override {
        QString in, out;
        if (!conversion::inputAndOutput(*this, c, &in, &out))
            return ExitUsage;
        DataSet data;
        if (const int status = conversion::openCloneFile(c, in, data); status != ExitSuccess)
            return status;
        int channels = 0;
        const FileOutcome saved = channellist::exportFile(out, data.channels, &channels);
        if (!saved.ok)
            return c.fileError(out, saved);
        report(c, out, saved.notices);
        c.out << "Wrote " << out << " (" << channels << " channels)" << Qt::endl;
        return ExitSuccess;
    }
};

class ImportListCommand : public Command {
public:
    QString name() const override { return QStringLiteral("import-list"); }
    QString summary() const override {
        return QStringLiteral("Import a common channel-list CSV and write a clone file.");
    }
    QString arguments() const override { return QStringLiteral("IN.csv"); }
    bool needsPort() const override { return false; }
    void addOptions(QCommandLineParser& parser) const override {
        parser.addOptions({OutputOption, BaseOption, FirstRowOption, StrictOption});
    }

    int run(const CommandContext& c) const override {
        QString in, out;
        if (!conversion::inputAndOutput(*this, c, &in, &out))
            return ExitUsage;
        bool ok = false;
        const int firstRow = c.parser.value(FirstRowOption).toInt(&ok);
        if (!ok || firstRow < 1 || firstRow > channellist::LastImportRow) {
            c.fail(QStringLiteral("--first-row needs a row from 1 to %1, not %2")
                       .arg(channellist::LastImportRow)
                       .arg(c.parser.value(FirstRowOption)));
            return ExitUsage;
        }
        DataSet data;
        int port = 1;
        if (const int status = conversion::openBase(c, data, &port); status != ExitSuccess)
            return status;
        const clone::DataSetSections sections(data, [port] { return port; });
        const channellist::ImportResult imported =
            channellist::importFile(in, data.channels, firstRow);
        if (!imported.outcome.ok)
            return c.fileError(in, imported.outcome);
        report(c, in, imported.outcome.notices);
        if (c.parser.isSet(StrictOption) && (imported.refused > 0 || imported.changed > 0)) {
            c.fail(QStringLiteral("%1: %2 lines refused, %3 changed; --strict: nothing written")
                       .arg(in)
                       .arg(imported.refused)
                       .arg(imported.changed));
            return ExitFileError;
        }
        channellist::applyImport(imported, data.channels);
        const FileOutcome saved = sections.save(out);
        if (!saved.ok)
            return c.fileError(out, saved);
        c.out << "Wrote " << out << " (" << imported.rows.size() << " channels imported, "
              << imported.refused << " refused, " << imported.changed << " changed)" << Qt::endl;
        return ExitSuccess;
    }
};

} // namespace

void addListCommands(std::vector<std::unique_ptr<Command>>& list) {
    list.push_back(std::make_unique<ExportListCommand>());
    list.push_back(std::make_unique<ImportListCommand>());
}

} // namespace rz::cli

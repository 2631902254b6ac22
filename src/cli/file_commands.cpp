// The commands that convert files without a receiver: a clone file to CSV
// and a CSV file into a clone file. They read and write the data set exactly
// as the window's File menu does.
#include "cli/command.h"

#include "files/config_file.h"
#include "files/csv_file.h"
#include "files/data_set_sections.h"

#include <QTextStream>

namespace rz::cli {

namespace {

using conversion::BaseOption;
using conversion::OutputOption;

int channelsInUse(const ChannelTable& table) {
    int count = 0;
    for (int r = 1; r <= ChannelTable::RowCount; ++r)
        count += table.inUse(r) ? 1 : 0;
    return count;
}

class ExportCsvCommand : public Command {
public:
    QString name() const override { return QStringLiteral("export-csv"); }
    QString summary() const override {
        return QStringLiteral("Write the channels of a clone file as a CSV file.");
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
        const FileOutcome saved = csv::exportFile(out, data.channels);
        if (!saved.ok) {
            return c.fileError(out, saved);
        }
        c.out << "Wrote " << out << " (" << channelsInUse(data.channels) << " channels in use)"
              << Qt::endl;
        return ExitSuccess;
    }
};

class ImportCsvCommand : public Command {
public:
    QString name() const override { return QStringLiteral("import-csv"); }
    QString summary() const override {
        return QStringLiteral("Import the channels of a CSV file and write a clone file.");
    }
    QString arguments() const override { return QStringLiteral("IN.CSV"); }
    bool needsPort() const override { return false; }
    void addOptions(QCommandLineParser& parser) const override {
        parser.addOptions({OutputOption, BaseOption});
    }

    int run(const CommandContext& c) const override {
        QString in, out;
        if (!conversion::inputAndOutput(*this, c, &in, &out))
            return ExitUsage;
        DataSet data;
        int port = 1;
        if (const int status = conversion::openBase(c, data, &port); status != ExitSuccess)
            return status;
        const clone::DataSetSections sections(data, [port] { return port; });
        const FileOutcome imported = csv::importFile(in, data.channels);
        if (!imported.ok) {
            return c.fileError(in, imported);
        }
        const FileOutcome saved = sections.save(out);
        if (!saved.ok) {
            return c.fileError(out, saved);
        }
        for (const FileNotice& notice : imported.notices)
            c.out << in << ':' << notice.line << ": " << notice.text << Qt::endl;
        c.out << "Wrote " << out << " (" << channelsInUse(data.channels) << " channels in use)"
              << Qt::endl;
        return ExitSuccess;
    }
};

} // namespace

void addFileCommands(std::vector<std::unique_ptr<Command>>& list) {
    list.push_back(std::make_unique<ExportCsvCommand>());
    list.push_back(std::make_unique<ImportCsvCommand>());
}

} // namespace rz::cli

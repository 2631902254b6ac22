#pragma once
// The clone file of a whole data set: one section per area, in file order,
// as the Save and Open commands, the configuration file and the
// command-line tool all use it.
#include "files/clone_areas.h"
#include "files/clone_channels.h"
#include "files/clone_port.h"
#include "files/file_outcome.h"
#include "model/data_set.h"

#include <QDateTime>
#include <functional>

namespace rz::clone {

class DataSetSections {
public:
    // port() gives the selected port, 1..16, when the file is saved.
    DataSetSections(DataSet& data, std::function<int()> port);
    DataSetSections(const DataSetSections&) = delete;
    DataSetSections& operator=(const DataSetSections&) = delete;

    const CloneSections& sections() const { return sections_; }

    FileOutcome save(const QString& path,
                     const QDateTime& when = QDateTime::currentDateTime()) const;
    FileOutcome open(const QString& path) const;

private:
    ChannelSection channels_;
    BanksSection banks_;
    OneTouchSection oneTouch_;
    TitleSection title_;
    BankLinksSection bankLinks_;
    SettingsSection settings_;
    PortSection port_;
    CloneSections sections_;
};

// The data set as the program starts: the default bank layout and the row
// labels that follow from it (everything else is as constructed).
void loadStartUpState(DataSet& data);

} // namespace rz::clone

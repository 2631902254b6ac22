#include "files/data_set_sections.h"

#include "files/clone_file.h"

namespace rz::clone {

DataSetSections::DataSetSections(DataSet& data, std::function<int()> port)
    : channels_(data.channels), banks_(data.banks, data.channels),
      oneTouch_(data.oneTouch, data.banks, banks_), title_(data.settings),
      bankLinks_(data.bankLinks), settings_(data.settings), port_(std::move(port)) {
    sections_.set(Slot::Channels, &channels_);
    sections_.set(Slot::Banks, &banks_);
    sections_.set(Slot::OneTouch, &oneTouch_);
    sections_.set(Slot::Title, &title_);
    sections_.set(Slot::BankLinks, &bankLinks_);
    sections_.set(Slot::Settings, &settings_);
    sections_.set(Slot::Port, &port_);
}

FileOutcome DataSetSections::save(const QString& path, const QDateTime& when) const {
    return WriteCloneFile(path, sections_, when);
}

FileOutcome DataSetSections::open(const QString& path) const {
    return ReadCloneFile(path, sections_);
}

void loadStartUpState(DataSet& data) {
    data.banks.loadDefault();
    RefreshBankRowLabels(data.banks, data.channels);
}

} // namespace rz::clone

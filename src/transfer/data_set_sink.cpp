#include "transfer/data_set_sink.h"

#include "model/data_set.h"
#include "model/memory_map.h"
#include "settings/settings_transfer.h"

#include <algorithm>

namespace rz {

DataSetSink::DataSetSink(DataSet& data) : data_(data) {
    addBlockArea({memmap::SettingsBlock0, memmap::SettingsBlock2 + 63,
                  [](DataSet& d, quint32 address, const QByteArray& bytes) {
                      settings::storeSettingsRead(d.settings, address, bytes);
                  }});
    addBlockArea({memmap::WriteProtect, memmap::WriteProtect,
                  [](DataSet& d, quint32, const QByteArray& bytes) {
                      settings::storeWriteProtection(d.settings, bytes);
                  }});
    addBlockArea({memmap::OpeningMessage, memmap::OpeningMessage,
                  [](DataSet& d, quint32, const QByteArray& bytes) {
                      settings::storeOpeningMessage(d.settings, bytes);
                  }});
}

DataSetSink::~DataSetSink() {
    if (holding_)
        data_.channels.endUpdate();
}

void DataSetSink::addBlockArea(BlockArea area) {
    areas_.push_back(std::move(area));
}

void DataSetSink::recordRead(int row, const QByteArray& record) {
    if (row < 1 || row > ChannelTable::RowCount)
        return;
    if (!holding_) {
        data_.channels.beginUpdate();
        holding_ = true;
    }
    data_.channels.applyRecord(row, record);
}

void DataSetSink::clearRowsNotInUse(int first, int last) {
    first = std::max(first, 1);
    last = std::min(last, ChannelTable::RowCount);
    if (first <= last)
        data_.channels.clearRowsNotInUse(first, last);
}

void DataSetSink::blockRead(quint32 address, const QByteArray& data) {
    for (const BlockArea& area : areas_)
        if (address >= area.first && address <= area.last)
            area.decode(data_, address, data);
}

void DataSetSink::ended(const Outcome&) {
    if (holding_) {
        holding_ = false;
        data_.channels.endUpdate();
    }
}

} // namespace rz

#include "memory/set_memory_data.h"
#include "model/channel_table.h"
#include "model/memory_map.h"
#include "model/value_tables.h"

namespace rz {
namespace {

const QString Error = QStringLiteral("ERROR");

QString modeText(int mode) {
    return mode >= 0 && mode < tables::ModeCount ? tables::modeTexts().at(mode) : Error;
}

// "Tone" has no grid text of its own and is shown as an error.
QString toneTypeText(int type) {
    const QString text = tables::toneTypeGridText(type);
    return text.isEmpty() ? Error : text;
}

QString shiftText(int shift) {
    return shift >= 0 && shift <= 2 ? tables::shiftGridText(shift) : Error;
}

void writeSet(const ChannelSetResult& set, ChannelTable& table, int row) {
    ChannelRow r = table.row(row);
    r.cells[ColFrequency] = set.frequencyText + QStringLiteral("MHz");
    r.cells[ColMode] = modeText(set.mode);
    r.cells[ColStep] = tables::stepText(set.step);
    r.cells[ColTrain] = tables::trainText(set.train);
    r.cells[ColToneType] = toneTypeText(set.toneType);
    r.cells[ColTxTone] = tables::ctcssText(set.txTone);
    r.cells[ColRxTone] = tables::ctcssText(set.rxTone);
    r.cells[ColDcs] = tables::dcsText(set.dcs);
    r.cells[ColShift] = shiftText(set.shift);
    r.cells[ColOffset] = set.offsetText + QStringLiteral("MHz");
    r.cells[ColSkip] = tables::skipGridText(set.skip ? 1 : 0);
    r.cells[ColName] = set.name;
    r.codes.txTone = quint8(set.txTone);
    r.codes.rxTone = quint8(set.rxTone);
    r.codes.dcs = quint8(set.dcs);
    r.codes.train = quint8(set.train);
    r.codes.step = quint8(set.step);
    table.setRow(row, r);
}

} // namespace

void Set_Memory_Data(DialogResult& result, ChannelTable& table, int currentRow) {
    const int action = result.action;
    if (action != DialogResult::Nothing) {
        table.beginUpdate();
        if (action == DialogResult::FirstEmptySecondPresent || action == DialogResult::BothEmpty)
            table.clearRow(currentRow);
        else
            writeSet(result.first, table, currentRow);

        if (memmap::isDualRow(currentRow) && currentRow < memmap::LastDualRow) {
            const int sub = currentRow + 1;
            if (action == DialogResult::FirstEmptySecondPresent ||
                action == DialogResult::BothPresent)
                writeSet(result.second, table, sub);
            else if (action == DialogResult::FirstPresentSecondEmpty ||
                     action == DialogResult::BothEmpty)
                table.clearRow(sub);
        }
        table.endUpdate();
    }
    result.reset();
}

} // namespace rz

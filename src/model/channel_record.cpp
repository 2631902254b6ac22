#include "model/channel_record.h"

#include "model/frequency_text.h"
#include "model/memory_map.h"
#include "model/name_slots.h"
#include "model/value_tables.h"

#include <QtEndian>

namespace rz::record {

namespace {

constexpr int NameOffset = 32;

quint32 readLe32(const QByteArray& bytes, int at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

void writeLe32(QByteArray& bytes, int at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

quint8 low4(const QByteArray& bytes, int at) {
    return quint8(bytes[at]) & 0x0F;
}

} // namespace

quint8 bandCode(quint32 hz, int gridRow) {
    if (memmap::isBugRow(gridRow))
        return 1;
    if (hz >= 118000000u && hz < 171000000u)
        return 2;
    if (hz > 225000000u && hz < 336000000u)
        return 3;
    if (hz > 336000000u && hz < 470000000u)
        return 2;
    return 1;
}

bool isInUse(const QByteArray& record) {
    return !record.isEmpty() && (quint8(record[0]) & 0x0F) != 0;
}

QByteArray encode(const ChannelRow& row, int gridRow) {
    QByteArray bytes(Size, '\0');
    if (!row.inUse())
        return bytes;
    const quint32 hz = freq::textToHz(row.text(ColFrequency));
    bytes[0] = char(bandCode(hz, gridRow));
    writeLe32(bytes, 1, hz);
    bytes[5] = char(tables::modeCodeForText(row.text(ColMode)));
    bytes[6] = char(row.codes.step);
    writeLe32(bytes, 7, freq::textToHz(row.text(ColOffset)));
    bytes[11] = char(tables::shiftCodeForText(row.text(ColShift)));
    bytes[12] = char(tables::toneTypeCodeForText(row.text(ColToneType)));
    bytes[13] = char(tables::ctcssRecordCode(row.codes.rxTone));
    bytes[14] = char(row.codes.dcs);
    bytes[15] = char(row.codes.train);
    bytes[17] = 0x3E;
    bytes[18] = char(tables::skipCodeForText(row.text(ColSkip)));
    bytes[20] = 0x0A;
    nameslots::encode(row.text(ColName), bytes, NameOffset);
    return bytes;
}

void decode(const QByteArray& record, ChannelRow& row) {
    if (record.size() < Size || !isInUse(record)) {
        row.codes.inUse = 0;
        return;
    }
    auto& cells = row.cells;
    cells[ColMode] = tables::modeTextForCode(low4(record, 5));
    row.codes.step = quint8(record[6]);
    cells[ColStep] = tables::stepText(row.codes.step);
    row.codes.train = quint8(record[15]);
    cells[ColTrain] = tables::trainText(row.codes.train);
    const int toneType = low4(record, 12);
    if (toneType != tables::ToneTypeTone && toneType < tables::ToneTypeCount)
        cells[ColToneType] = tables::toneTypeGridText(toneType);
    row.codes.rxTone = quint8(tables::ctcssIndexForCode(quint8(record[13])));
    cells[ColRxTone] = tables::ctcssText(row.codes.rxTone);
    row.codes.dcs = quint8(record[14]);
    cells[ColDcs] = tables::dcsText(row.codes.dcs);
    cells[ColFrequency] = freq::hzToText(readLe32(record, 1));
    cells[ColShift] = tables::shiftGridText(low4(record, 11));
    cells[ColOffset] = freq::hzToText(readLe32(record, 7));
    cells[ColSkip] = tables::skipGridText(low4(record, 18));
    cells[ColName] = nameslots::decode(record, NameOffset);
    row.codes.inUse = 1;
}

} // namespace rz::record

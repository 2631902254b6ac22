#pragma once
// A varied channel table for the file tests: every mode, sub-kilohertz and
// odd steps, tones, DCS, shifts, skip marks, Japanese names, both rows of
// dual-watch pairs and a changed bug-detector row.
#include "model/channel_table.h"
#include "model/value_tables.h"

namespace rz::sample {

struct Channel {
    const char* frequency;
    const char* mode;
    int step;
    int train;
    const char* toneType;
    int rxTone;
    int dcs;
    const char* shift;
    const char* offset;
    bool skip;
    QString name;
    int txTone = 8;
};

inline ChannelRow makeRow(const Channel& c) {
    ChannelRow row;
    auto& cells = row.cells;
    cells[ColFrequency] = QString::fromLatin1(c.frequency);
    cells[ColMode] = QString::fromLatin1(c.mode);
    cells[ColStep] = tables::stepText(c.step);
    cells[ColTrain] = tables::trainText(c.train);
    cells[ColToneType] = QString::fromLatin1(c.toneType);
    cells[ColTxTone] = tables::ctcssText(c.txTone);
    cells[ColRxTone] = tables::ctcssText(c.rxTone);
    cells[ColDcs] = tables::dcsText(c.dcs);
    cells[ColShift] = QString::fromLatin1(c.shift);
    cells[ColOffset] = QString::fromLatin1(c.offset);
    cells[ColSkip] = c.skip ? QStringLiteral("*") : QString();
    cells[ColName] = c.name;
    row.codes.step = quint8(c.step);
    row.codes.train = quint8(c.train);
    row.codes.rxTone = quint8(c.rxTone);
    row.codes.txTone = quint8(c.txTone);
    row.codes.dcs = quint8(c.dcs);
    row.codes.inUse = 1;
    return row;
}

// Rows and what they hold; every row fits its step.
inline void fill(ChannelTable& table) {
    const QString kanji16 = QStringLiteral("東京都消防庁指令センター本部通信"); // 16 characters
    table.setRow(1, makeRow({"145.00000MHz", "FM", 0, 28, "None", 8, 0, "Off", "0.00000MHz", false,
                             QStringLiteral("CALL")}));
    table.setRow(2, makeRow({"433.12500MHz", "NFM", 4, 5, "TSQ", 38, 0, "+", "5.00000MHz", true,
                             kanji16, 12}));
    table.setRow(3, makeRow({"118.00833MHz", "AM", 2, 0, "DCS", 0, 103, "-", "1.00833MHz", false,
                             QStringLiteral("ｴｱﾊﾞﾝﾄﾞ 管制")}));
    table.setRow(17, makeRow({"7.04505MHz", "LSB", 16, 27, "Train", 1, 5, "Off", "0.00000MHz",
                              false, QStringLiteral("a\"b")}));
    table.setRow(1200, makeRow({"1299.99990MHz", "USB", 17, 10, "SQ", 20, 50, "Off", "0.00000MHz",
                                true, QStringLiteral("LAST")}));
    table.setRow(1201, makeRow({"80.00000MHz", "WFM", 10, 28, "None", 8, 0, "Off", "0.00000MHz",
                                false, QString()}));
    table.setRow(1301, makeRow({"430.50000MHz", "CW", 3, 28, "None", 8, 0, "Off", "0.00000MHz",
                                false, QStringLiteral("主")}));
    table.setRow(1302, makeRow({"145.50000MHz", "FM", 7, 28, "TSQ", 8, 0, "-", "0.60000MHz", false,
                                QStringLiteral("副")}));
    table.setRow(1700, makeRow({"0.05000MHz", "AM", 0, 28, "None", 8, 0, "Off", "0.00000MHz", false,
                                QStringLiteral("PASS")}));
    table.setRow(1705, makeRow({"400.00000MHz", "CW", 0, 20, "None", 8, 0, "Off", "0.00000MHz",
                                false, QStringLiteral("虫")}));
}

} // namespace rz::sample

#include "sim/simulator.h"

#include "model/channel_record.h"
#include "model/frequency_text.h"
#include "model/memory_map.h"
#include "model/value_tables.h"
#include "settings/opening_message.h"
#include "settings/settings_codec.h"
#include "settings/settings_image.h"

#include <QtEndian>

namespace rz::sim {

namespace {

enum Mode : quint8 { FM = 0, AM = 1, WFM = 2, LSB = 3, USB = 4, CW = 5 };
enum Step : quint8 {
    Step5k = 0,
    Step6k25 = 1,
    Step8k33 = 2,
    Step12k5 = 4,
    Step25k = 7,
    Step100k = 10,
    Step100Hz = 17,
};
enum ToneType : quint8 { NoTone = 0, TrainTone = 1, Tsq = 3, Sq = 4, Dcs = 5 };

struct SampleChannel {
    int channel; // receiver channel number
    quint32 hz;
    Mode mode;
    Step step;
    const char* name; // UTF-8
    bool skip = false;
    ToneType tone = NoTone;
    quint8 ctcssIndex = 8; // 88.5 Hz
    quint8 shift = 0;      // 0 off, 1 +, 2 -
    quint32 offsetHz = 0;
    quint8 dcsIndex = 0;
};

// The record the receiver would hold, made by the program's own encoder.
QByteArray record(const SampleChannel& c) {
    ChannelRow row;
    row.cells[ColFrequency] = freq::hzToText(c.hz);
    row.cells[ColMode] = tables::modeTextForCode(c.mode);
    row.cells[ColToneType] = tables::toneTypeGridText(c.tone);
    row.cells[ColShift] = tables::shiftGridText(c.shift);
    row.cells[ColOffset] = freq::hzToText(c.offsetHz);
    row.cells[ColSkip] = tables::skipGridText(c.skip ? 1 : 0);
    row.cells[ColName] = QString::fromUtf8(c.name);
    row.codes.step = c.step;
    row.codes.rxTone = c.ctcssIndex;
    row.codes.dcs = c.dcsIndex;
    row.codes.inUse = 1;
    return record::encode(row, memmap::channelToRow(c.channel));
}

// Banks of 100 channels: bank b starts at channel 100 b + 1.
constexpr int bank(int b, int position) {
    return 100 * b + position + 1;
}

const SampleChannel Channels[] = {
    // Bank 0: airband
    {bank(0, 0), 118100000, AM, Step8k33, "TOWER"},
    {bank(0, 1), 119250000, AM, Step8k33, "APPROACH"},
    {bank(0, 2), 121500000, AM, Step8k33, "GUARD"},
    {bank(0, 3), 121900000, AM, Step8k33, "GROUND"},
    {bank(0, 4), 124350000, AM, Step8k33, "ATIS"},
    {bank(0, 5), 127850000, AM, Step8k33, "AREA CONTROL", true},
    {bank(0, 6), 131725000, AM, Step8k33, "COMPANY", true},
    // Bank 1: marine
    {bank(1, 0), 156800000, FM, Step25k, "CH16 DISTRESS"},
    {bank(1, 1), 156300000, FM, Step25k, "CH06 SHIP"},
    {bank(1, 2), 156650000, FM, Step25k, "CH13 BRIDGE"},
    {bank(1, 3), 156600000, FM, Step25k, "CH12 PORT"},
    {bank(1, 4), 161975000, FM, Step25k, "AIS 1", true},
    // Bank 2: amateur
    {bank(2, 0), 145500000, FM, Step12k5, "2M CALL"},
    {bank(2, 1), 145600000, FM, Step12k5, "RPT R0", false, Tsq, 8, 2, 600000},
    {bank(2, 2), 145725000, FM, Step12k5, "RPT R5 DCS", false, Dcs, 8, 2, 600000, 11},
    {bank(2, 3), 433500000, FM, Step12k5, "70CM CALL"},
    {bank(2, 4), 430150000, FM, Step12k5, "RPT 70CM", false, Sq, 12, 1, 1600000},
    {bank(2, 5), 144300000, USB, Step100Hz, "2M SSB"},
    {bank(2, 6), 144050000, CW, Step100Hz, "2M CW"},
    {bank(2, 7), 7100000, LSB, Step100Hz, "40M LSB"},
    // Bank 3: broadcast
    {bank(3, 0), 88100000, WFM, Step100k, "FM ONE"},
    {bank(3, 1), 95800000, WFM, Step100k, "FM NEWS"},
    {bank(3, 2), 104300000, WFM, Step100k, "FM MUSIC"},
    {bank(3, 3), 693000, AM, Step100Hz, "MW 693"},
    {bank(3, 4), 9410000, AM, Step5k, "SW 31M"},
    {bank(3, 5), 80000000, WFM, Step100k, "FM \xE3\x83\xA9\xE3\x82\xB8\xE3\x82\xAA"}, // katakana
    {bank(3, 6), 82500000, WFM, Step100k,
     "\xEF\xBE\x86\xEF\xBD\xAD\xEF\xBD\xB0\xEF\xBD\xBD"}, // half-width
    // Bank 4: licence-free radio
    {bank(4, 0), 446006250, FM, Step6k25, "PMR 1"},
    {bank(4, 1), 446018750, FM, Step6k25, "PMR 2"},
    {bank(4, 2), 446031250, FM, Step6k25, "PMR 3"},
    {bank(4, 3), 446043750, FM, Step6k25, "PMR 4"},
    {bank(4, 4), 446056250, FM, Step6k25, "PMR 5", true},
    {bank(4, 5), 446068750, FM, Step6k25, "PMR 6", true},
    {bank(4, 6), 446081250, FM, Step6k25, "PMR 7", true},
    {bank(4, 7), 446093750, FM, Step6k25, "PMR 8", true},
    // Program-scan edges (A, B)
    {1201, 118000000, AM, Step8k33, "AIR LOW"},
    {1202, 137000000, AM, Step8k33, "AIR HIGH"},
    {1203, 144000000, FM, Step12k5, "2M LOW"},
    {1204, 146000000, FM, Step12k5, "2M HIGH"},
    // Dual watch: main entries from 1301, sub entries from 1401
    {1301, 145500000, FM, Step12k5, "2M CALL"},
    {1401, 433500000, FM, Step12k5, "70CM CALL"},
    {1302, 121500000, AM, Step8k33, "GUARD"},
    {1402, 156800000, FM, Step25k, "CH16"},
    // Priority and pass
    {1501, 121500000, AM, Step8k33, "GUARD"},
    {1601, 145000000, FM, Step12k5, "BIRDIE"},
};

// A receiver someone has used for a while, set to Japanese: the lists away
// from their reset positions, coded by the program's own encoder, and bytes
// no list owns that are not all 0.
void putSettings(QByteArray& image) {
    using namespace settings;
    Positions p = resetPositions();
    const auto set = [&p](ListId id, int position) { p[size_t(flatIndex(id))] = position; };
    const auto misc = [](int i) { return ListId{Group::Misc, i}; };
    set(OperationStatus, 3); // dual/SUB
    set(misc(1), 14);
    set(misc(2), 8);
    set(misc(3), 2);
    set(misc(4), 4);
    set(misc(5), 1);
    set(misc(7), 6); // gain "7"
    set(misc(9), 1);
    set(AudioHighCut, 1);
    set(OperationModeMain, 2);
    set(OperationModeSub, 1);
    set(misc(14), 1);
    set(misc(15), 0);
    set(misc(16), 2);
    set(BarAntenna, 0);
    set({Group::Recv, 2}, 1);
    set({Group::Recv, 5}, 2); // tune "3"
    set(LanguageList, 1);     // 日本語
    set(Illumination, 7);
    set({Group::Display, 3}, 6);
    set({Group::Key, 0}, 2);
    set(WildKey, 27); // "Scan mode"
    set(MoniKey, 1);  // "Earphone antenna"
    set(DialRing, 2);
    set({Group::Key, 9}, 3);
    set({Group::Scan, 1}, 3);
    set({Group::Scan, 3}, 5);
    set(ScanSpeed, 2);
    set({Group::Mem, 1}, 2);
    set({Group::Sound, 0}, 0);
    set({Group::Sound, 1}, 3);
    set(RemoteKeyA, 5); // "MONI key"
    set({Group::Remocon, 1}, 11);

    QByteArray area(SettingsImage::Size, '\0');
    // Bytes of the receiver's own (frequencies, counters) that no list shows.
    for (int i : {0, 1})
        area[i] = char(0x11 * (i + 1));
    for (int i = 8; i <= 31; ++i)
        area[i] = char(i * 7);
    for (int i = 102; i <= 120; ++i)
        area[i] = char(0xA0 + i % 16);
    for (int b = 0; b < SettingsImage::BlockCount; ++b)
        encodeBlock(p, area, b);
    image.replace(int(memmap::SettingsBlock0), area.size(), area);

    // "ﾖｳｺｿ RZ-V70" sliding across the display; overwriting accepted.
    const QByteArray message = opening::areaBytes(
        QString::fromUtf8("\xEF\xBE\x96\xEF\xBD\xB3\xEF\xBD\xBA\xEF\xBD\xBF RZ-V70"),
        opening::StyleSlide);
    image.replace(int(memmap::OpeningMessage), message.size(), message);
    image[int(memmap::WriteProtect)] = 1;
}

} // namespace

QByteArray sampleImage() {
    QByteArray image(Simulator::MemorySize, '\0');
    for (const SampleChannel& c : Channels)
        image.replace(int(memmap::channelAddress(c.channel)), 64, record(c));
    // The bug-detector channels hold their factory presets.
    const ChannelTable presets;
    for (int row = memmap::FirstBugRow; row <= memmap::ChannelCount; ++row)
        image.replace(int(memmap::channelAddress(row)), 64, presets.record(row));

    // Bank layout: banks 0 to 11 hold 100 channels each, then the sizes of
    // the fixed groups.
    auto put16 = [&image](int at, quint16 v) { qToLittleEndian(v, image.data() + at); };
    for (int b = 0; b < 12; ++b)
        put16(0x200 + 2 * b, 100);
    const quint16 groups[] = {100, 200, 100, 0, 100, 0, 21};
    for (int i = 0; i < 7; ++i)
        put16(0x264 + 2 * i, groups[i]);

    // One-touch keys 1 to 5 recall the first channel of banks 0 to 4; the
    // others are not set.
    for (int k = 0; k < 9; ++k) {
        image[0x180 + 3 * k] = char(k < 5 ? k : 0xFF);
        image[0x181 + 3 * k] = 0;
        image[0x182 + 3 * k] = 0;
    }
    putSettings(image);
    return image;
}

} // namespace rz::sim

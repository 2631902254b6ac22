#include "sim/simulator.h"

#include "banks/bank_link_area.h"
#include "font/font_char.h"
#include "font/font_store.h"
#include "model/channel_record.h"
#include "model/frequency_text.h"
#include "model/memory_map.h"
#include "model/value_tables.h"
#include "settings/opening_message.h"
#include "settings/settings_codec.h"
#include "settings/settings_image.h"

#include <QtEndian>

#include <cstdlib>
#include <vector>

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

// Bank 10 holds no channels; bank 11 holds the 200 behind bank 9.
constexpr int EmptyBank = 10, WideBank = 11;

// Banks 0 to 9 of 100 channels: bank b starts at channel 100 b + 1.
constexpr int bank(int b, int position) {
    return 100 * b + position + 1;
}

const SampleChannel Channels[] = {
    // Bank 0: airband
    {bank(0, 0), 118100000, AM, Step25k, "TOWER"},
    {bank(0, 1), 119250000, AM, Step25k, "APPROACH"},
    {bank(0, 2), 121500000, AM, Step25k, "GUARD"},
    {bank(0, 3), 121900000, AM, Step25k, "GROUND"},
    {bank(0, 4), 124350000, AM, Step25k, "ATIS"},
    {bank(0, 5), 127850000, AM, Step25k, "AREA CONTROL", true},
    {bank(0, 6), 131725000, AM, Step25k, "COMPANY", true},
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
    {1201, 118000000, AM, Step25k, "AIR LOW"},
    {1202, 137000000, AM, Step25k, "AIR HIGH"},
    {1203, 144000000, FM, Step12k5, "2M LOW"},
    {1204, 146000000, FM, Step12k5, "2M HIGH"},
    // Dual watch: main entries from 1301, sub entries from 1401
    {1301, 145500000, FM, Step12k5, "2M CALL"},
    {1401, 433500000, FM, Step12k5, "70CM CALL"},
    {1302, 121500000, AM, Step25k, "GUARD"},
    {1402, 156800000, FM, Step25k, "CH16"},
    // Priority and pass
    {1501, 121500000, AM, Step25k, "GUARD"},
    {1601, 145000000, FM, Step12k5, "BIRDIE"},
};

// Generated rows that fill the banks behind the hand-picked channels, as a
// user's memory would look after a while: band plans with numbered names.
struct Band {
    int bank;
    int firstPosition; // behind the hand-picked ones
    int count;
    quint32 firstHz;
    quint32 spacingHz;
    Mode mode;
    Step step;
    const char* name; // with one %1 for the number
    int firstNumber;
};

const Band Bands[] = {
    {0, 10, 40, 118025000, 275000, AM, Step25k, "AIR %1", 1},
    {1, 10, 40, 156025000, 50000, FM, Step25k, "MARINE %1", 60},
    {2, 10, 50, 144600000, 12500, FM, Step12k5, "2M S%1", 48},
    {3, 10, 40, 1000000, 100000, AM, Step5k, "MW %1", 1},
    {4, 10, 8, 446106250, 12500, FM, Step6k25, "PMR DIG %1", 1},
    {5, 0, 50, 5900000, 25000, AM, Step5k, "SW49 %1", 1},
    {6, 0, 40, 76100000, 300000, WFM, Step100k, "FM %1", 1},
    {7, 0, 30, 150025000, 25000, FM, Step12k5, "BUSINESS %1", 1},
    {8, 0, 30, 430025000, 25000, FM, Step12k5, "70CM R%1", 1},
    {9, 0, 20, 27005000, 10000, AM, Step5k, "CB %1", 1},
};

// Program-scan edges (pairs from 1201), dual-watch pairs (main 1301 on,
// sub 1401 on), priority (1501 on) and pass (1601 on) beyond the
// hand-picked ones.
const SampleChannel Specials[] = {
    {1205, 156000000, FM, Step25k, "MARINE LOW"}, {1206, 163000000, FM, Step25k, "MARINE HIGH"},
    {1207, 430000000, FM, Step12k5, "70CM LOW"},  {1208, 440000000, FM, Step12k5, "70CM HIGH"},
    {1209, 76000000, WFM, Step100k, "FM LOW"},    {1210, 108000000, WFM, Step100k, "FM HIGH"},
    {1211, 26965000, AM, Step5k, "CB LOW"},       {1212, 27405000, AM, Step5k, "CB HIGH"},
    {1303, 118100000, AM, Step25k, "TOWER"},      {1403, 124350000, AM, Step25k, "ATIS"},
    {1304, 446006250, FM, Step6k25, "PMR 1"},     {1404, 145500000, FM, Step12k5, "2M CALL"},
    {1502, 156800000, FM, Step25k, "CH16"},       {1503, 145500000, FM, Step12k5, "2M CALL"},
    {1602, 146525000, FM, Step12k5, "NOISE"},     {1603, 433900000, FM, Step12k5, "KEYFOB"},
    {1604, 144800000, FM, Step12k5, "APRS"},
};

void putBands(QByteArray& image) {
    for (const Band& band : Bands)
        for (int i = 0; i < band.count; ++i) {
            const QByteArray name =
                QString::fromLatin1(band.name).arg(band.firstNumber + i).toLatin1();
            SampleChannel c{bank(band.bank, band.firstPosition + i),
                            band.firstHz + quint32(i) * band.spacingHz, band.mode, band.step,
                            name.constData()};
            image.replace(int(memmap::channelAddress(c.channel)), 64, record(c));
        }
}

// Groups 0 to 3 link banks of a kind: airband and marine, the amateur
// bands, broadcast, the licence-free radios; group 4 still links bank 10,
// which has since been emptied.
void putBankLinks(QByteArray& image) {
    BankLinkTable links;
    const std::vector<std::vector<int>> groups = {
        {0, 1}, {2, 8}, {3, 5, 6}, {4, 7, 9}, {EmptyBank, WideBank}};
    for (int g = 0; g < int(groups.size()); ++g)
        for (int b : groups[size_t(g)])
            links.setEntry(g, b, BankLinkTable::Linked);
    for (int block = 0; block < banklinkarea::BlockCount; ++block) {
        const QByteArray bytes = banklinkarea::encodeBlock(links, block);
        image.replace(int(banklinkarea::BlockAddress[size_t(block)]), bytes.size(), bytes);
    }
}

// Eight user characters: frame, ring, disc, cross, arrow up, arrow down,
// an antenna and a checkerboard.
FontChar glyph(int k) {
    FontChar c;
    for (int r = 0; r < FontChar::Rows; ++r)
        for (int col = 0; col < FontChar::Columns; ++col) {
            const int dr = 2 * r - 15, dc = 2 * col - 15; // from the centre, doubled
            const int d2 = dr * dr + dc * dc;
            bool lit = false;
            switch (k) {
            case 0:
                lit = r == 1 || r == 14 || col == 1 || col == 14;
                break;
            case 1:
                lit = d2 >= 120 && d2 <= 196;
                break;
            case 2:
                lit = d2 <= 120;
                break;
            case 3:
                lit = std::abs(r - col) <= 1 || std::abs(r + col - 15) <= 1;
                break;
            case 4:
                lit = (col >= 6 && col <= 9 && r >= 6) || (r < 8 && std::abs(dc) <= 2 * r);
                break;
            case 5:
                lit = (col >= 6 && col <= 9 && r <= 9) || (r > 7 && std::abs(dc) <= 2 * (15 - r));
                break;
            case 6:
                lit = (col == 7 || col == 8) || (r < 8 && std::abs(dc) == 2 * (8 - r));
                break;
            default:
                lit = (r / 4 + col / 4) % 2 == 0;
                break;
            }
            c.setDot(r, col, lit);
        }
    return c;
}

void putFont(QByteArray& image) {
    for (int k = 0; k < FontStore::CharCount; ++k)
        image.replace(int(memmap::FontBase + quint32(k) * memmap::FontCharBytes),
                      int(memmap::FontCharBytes), encodeFontChar(glyph(k)));
}

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
    for (const SampleChannel& c : Specials)
        image.replace(int(memmap::channelAddress(c.channel)), 64, record(c));
    putBands(image);
    // The bug-detector channels hold their factory presets.
    const ChannelTable presets;
    for (int row = memmap::FirstBugRow; row <= memmap::ChannelCount; ++row)
        image.replace(int(memmap::channelAddress(row)), 64, presets.record(row));

    // Bank layout: banks 0 to 9 hold 100 channels each, bank 10 none and
    // bank 11 the last 200; then the sizes of the fixed groups.
    auto put16 = [&image](int at, quint16 v) { qToLittleEndian(v, image.data() + at); };
    for (int b = 0; b < 10; ++b)
        put16(0x200 + 2 * b, 100);
    put16(0x200 + 2 * EmptyBank, 0);
    put16(0x200 + 2 * WideBank, 200);
    const quint16 groups[] = {100, 200, 100, 0, 100, 0, 21};
    for (int i = 0; i < 7; ++i)
        put16(0x264 + 2 * i, groups[i]);

    // One-touch keys 1 to 5 recall the first channel of banks 0 to 4, keys
    // 6 and 7 a channel further in, key 8 one beyond the first hundred of
    // bank 11; key 9 is not set.
    const int keyBank[9] = {0, 1, 2, 3, 4, 2, 6, WideBank, 0xFF};
    const int keyChannel[9] = {0, 0, 0, 0, 0, 13, 5, 150, 0};
    for (int k = 0; k < 9; ++k) {
        image[0x180 + 3 * k] = char(keyBank[k]);
        image[0x181 + 3 * k] = char(keyChannel[k]);
        image[0x182 + 3 * k] = 0;
    }
    putBankLinks(image);
    putFont(image);
    putSettings(image);
    return image;
}

} // namespace rz::sim

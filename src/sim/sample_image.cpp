#include "sim/simulator.h"

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
    const char* name;
    bool skip = false;
    ToneType tone = NoTone;
    quint8 ctcssIndex = 8; // 88.5 Hz
    quint8 shift = 0;      // 0 off, 1 +, 2 -
    quint32 offsetHz = 0;
    quint8 dcsIndex = 0;
};

quint8 bandCode(quint32 hz) {
    if (hz >= 118000000 && hz < 171000000)
        return 2;
    if (hz > 225000000 && hz < 336000000)
        return 3;
    if (hz > 336000000 && hz < 470000000)
        return 2;
    return 1;
}

QByteArray record(const SampleChannel& c) {
    QByteArray r(64, '\0');
    auto put32 = [&r](int at, quint32 v) { qToLittleEndian(v, r.data() + at); };
    r[0] = char(bandCode(c.hz));
    put32(1, c.hz);
    r[5] = char(c.mode);
    r[6] = char(c.step);
    put32(7, c.offsetHz);
    r[11] = char(c.shift);
    r[12] = char(c.tone);
    r[13] = char(c.ctcssIndex == 0 ? 0 : c.ctcssIndex + 1);
    r[14] = char(c.dcsIndex);
    r[15] = char(28); // "JR"
    r[17] = char(0x3E);
    r[18] = char(c.skip ? 1 : 0);
    r[20] = char(0x0A);
    const QByteArray name(c.name);
    for (int i = 0; i < name.size() && i < 16; ++i)
        r[32 + 2 * i] = name.at(i);
    return r;
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

} // namespace

QByteArray sampleImage() {
    QByteArray image(Simulator::MemorySize, '\0');
    for (const SampleChannel& c : Channels)
        image.replace(int(0x01200 + 64 * (c.channel - 1)), 64, record(c));

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
    return image;
}

} // namespace rz::sim

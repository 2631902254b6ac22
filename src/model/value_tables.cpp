#include "model/value_tables.h"

#include <array>

namespace rz::tables {

namespace {

QString entry(const QStringList& list, int index) {
    return index >= 0 && index < list.size() ? list.at(index) : QString();
}

constexpr std::array<int, StepCount> StepSizes = {500,   625,   833,   1000,   1250,  1500,
                                                  2000,  2500,  3000,  5000,   10000, 12500,
                                                  15000, 20000, 50000, 100000, 5,     10};

QStringList makeTrainTexts() {
    QStringList texts;
    for (int k = 0; k < TrainCount - 1; ++k)
        texts << QString::number(300 + 100 * k) + QStringLiteral("Hz");
    texts << QStringLiteral("JR");
    return texts;
}

} // namespace

const QStringList& modeTexts() {
    static const QStringList texts = {"FM", "AM", "NFM", "WFM", "LSB", "USB", "CW"};
    return texts;
}

QString modeTextForCode(int recordCode) {
    static const QStringList byCode = {"FM", "AM", "WFM", "LSB", "USB", "CW"};
    return entry(byCode, recordCode);
}

int modeCodeForText(const QString& text) {
    static const QStringList byCode = {"FM", "AM", "WFM", "LSB", "USB", "CW"};
    return std::max(0, int(byCode.indexOf(text)));
}

const QStringList& stepTexts() {
    static const QStringList texts = {"5KHz",   "6.25KHz", "8.33KHz", "10KHz", "12.5KHz", "15KHz",
                                      "20KHz",  "25KHz",   "30KHz",   "50KHz", "100KHz",  "125KHz",
                                      "150KHz", "200KHz",  "500KHz",  "1MHz",  "50Hz",    "100Hz"};
    return texts;
}

int stepSize(int index) {
    return index >= 0 && index < StepCount ? StepSizes[size_t(index)] : 0;
}
QString stepText(int index) {
    return entry(stepTexts(), index);
}

bool fitsStep(int frequencyFraction, int offsetFraction, int stepIndex) {
    const int size = stepSize(stepIndex);
    return size > 0 && frequencyFraction % size == 0 && offsetFraction % size == 0;
}

int fittedStep(int frequencyFraction, int offsetFraction, int chosenStep) {
    if (fitsStep(frequencyFraction, offsetFraction, chosenStep))
        return chosenStep;
    if (fitsStep(frequencyFraction, offsetFraction, Step5k))
        return Step5k;
    if (fitsStep(frequencyFraction, offsetFraction, Step6k25))
        return Step6k25;
    return Step50Hz;
}

const QStringList& ctcssTexts() {
    static const QStringList texts = {
        "67.0Hz",  "69.3Hz",  "71.9Hz",  "74.4Hz",  "77.0Hz",  "79.7Hz",  "82.5Hz",  "85.4Hz",
        "88.5Hz",  "91.5Hz",  "94.8Hz",  "97.4Hz",  "100.0Hz", "103.5Hz", "107.2Hz", "110.9Hz",
        "114.8Hz", "118.8Hz", "123.0Hz", "127.3Hz", "131.8Hz", "136.5Hz", "141.3Hz", "146.2Hz",
        "151.4Hz", "156.7Hz", "162.2Hz", "167.9Hz", "173.8Hz", "179.9Hz", "186.2Hz", "192.8Hz",
        "203.5Hz", "210.7Hz", "218.1Hz", "225.7Hz", "233.6Hz", "241.8Hz", "250.3Hz"};
    return texts;
}

QString ctcssText(int index) {
    return entry(ctcssTexts(), index);
}
int ctcssRecordCode(int index) {
    return index == 0 ? 0 : index + 1;
}
int ctcssIndexForCode(int recordCode) {
    return recordCode <= 1 ? 0 : recordCode - 1;
}

const QStringList& dcsTexts() {
    static const QStringList texts = {
        "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071",
        "072", "073", "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145",
        "152", "155", "156", "162", "165", "172", "174", "205", "212", "223", "225", "226", "243",
        "244", "245", "246", "251", "252", "255", "261", "263", "265", "266", "271", "274", "306",
        "311", "315", "325", "331", "332", "343", "346", "351", "356", "364", "365", "371", "411",
        "412", "413", "423", "431", "432", "445", "446", "452", "454", "455", "462", "464", "465",
        "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624", "627",
        "631", "632", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754"};
    return texts;
}

QString dcsText(int index) {
    return entry(dcsTexts(), index);
}

const QStringList& trainTexts() {
    static const QStringList texts = makeTrainTexts();
    return texts;
}

QString trainText(int index) {
    return entry(trainTexts(), index);
}

const QStringList& toneTypeCaptions() {
    static const QStringList texts = {"None", "Train", "Tone", "TSQ", "SQ", "DCS"};
    return texts;
}

QString toneTypeGridText(int code) {
    return code == ToneTypeTone ? QString() : entry(toneTypeCaptions(), code);
}

int toneTypeCodeForText(const QString& gridText) {
    if (gridText == QLatin1String("Tone"))
        return 0;
    return std::max(0, int(toneTypeCaptions().indexOf(gridText)));
}

const QStringList& shiftCaptions() {
    static const QStringList texts = {QStringLiteral("Off"), QStringLiteral("\uFF0B"),
                                      QStringLiteral("\uFF0D")};
    return texts;
}

QString shiftGridText(int code) {
    if (code == 1)
        return QStringLiteral("+");
    if (code == 2)
        return QStringLiteral("-");
    return QStringLiteral("Off");
}

int shiftCodeForText(const QString& gridText) {
    if (gridText == QLatin1String("+"))
        return 1;
    if (gridText == QLatin1String("-"))
        return 2;
    return 0;
}

QString skipGridText(int code) {
    return code == 1 ? QStringLiteral("*") : QString();
}
int skipCodeForText(const QString& gridText) {
    return gridText == QLatin1String("*") ? 1 : 0;
}

const QStringList& bugPresetFrequencies() {
    static const QStringList texts = {
        "398.60500MHz", "399.45500MHz", "139.97000MHz", "399.03000MHz", "400.00000MHz",
        "397.25000MHz", "140.00000MHz", "399.60500MHz", "398.64000MHz", "134.00000MHz",
        "399.25000MHz", "399.00000MHz", "134.90000MHz", "139.96000MHz", "139.60000MHz",
        "149.00000MHz", "361.82500MHz", "320.23500MHz", "320.67500MHz", "321.13500MHz",
        "139.94000MHz"};
    return texts;
}

const QStringList& gridHeadings() {
    static const QStringList texts = {"",           "Freqency", "mode", "step", "Carrier",
                                      "Subtone",    "---",      "TSQ",  "DCS",  "Shift",
                                      "Shift-Freq", "Skip",     "Name"};
    return texts;
}

} // namespace rz::tables

#include "memory/channel_form.h"
#include "model/code_page.h"
#include "model/value_tables.h"
#include <algorithm>

namespace rz {

bool ChannelForm::operator==(const ChannelForm& o) const {
    return frequencyMhz == o.frequencyMhz && frequencyFraction == o.frequencyFraction &&
           name == o.name && skip == o.skip && mode == o.mode && shift == o.shift &&
           offsetMhz == o.offsetMhz && offsetFraction == o.offsetFraction &&
           toneType == o.toneType && txTone == o.txTone && rxTone == o.rxTone && dcs == o.dcs &&
           train == o.train && step == o.step;
}

namespace form {

void splitFrequency(const QString& gridText, QString& mhz, QString& fraction) {
    // "1234.56789MHz" is 13 characters; every digit fewer in the MHz part
    // moves the fraction one place to the left.
    const int mhzDigits = int(gridText.size()) - 9;
    if (mhzDigits < 1 || mhzDigits > 4) {
        mhz.clear();
        fraction.clear();
        return;
    }
    mhz = gridText.left(mhzDigits);
    fraction = gridText.mid(mhzDigits + 1, 5);
}

static int indexOf(const QStringList& texts, const QString& text, int fallback) {
    const int i = int(texts.indexOf(text));
    return i < 0 ? fallback : i;
}

ChannelForm fromRow(const ChannelRow& row, const FormLimits& limits) {
    ChannelForm f;
    splitFrequency(row.text(ColFrequency), f.frequencyMhz, f.frequencyFraction);
    f.mode = indexOf(tables::modeTexts(), row.text(ColMode), 0);
    f.step = row.codes.step;
    f.train = row.codes.train;
    // The grid writes "Tone" as "ERROR", so it comes back as "None".
    f.toneType = tables::toneTypeCodeForText(row.text(ColToneType));
    f.txTone = row.codes.txTone;
    f.rxTone = row.codes.rxTone;
    f.dcs = row.codes.dcs;
    f.shift = tables::shiftCodeForText(row.text(ColShift));
    splitFrequency(row.text(ColOffset), f.offsetMhz, f.offsetFraction);
    if (limits.offsetFractionDigits == 3 && f.offsetFraction.size() == 5 &&
        f.offsetFraction.endsWith(QLatin1String("00")))
        f.offsetFraction.chop(2);
    f.skip = tables::skipCodeForText(row.text(ColSkip)) == 1;
    f.name = row.text(ColName);
    return f;
}

static bool isDigit(QChar c) {
    return c >= QChar('0') && c <= QChar('9');
}

bool acceptsDigits(const QString& typed, const QString& after, int maxDigits) {
    return !typed.isEmpty() && std::all_of(typed.begin(), typed.end(), isDigit) &&
           after.size() <= maxDigits;
}

bool acceptsName(const QString& typed, const QString& after) {
    if (typed.isEmpty())
        return false;
    for (const char32_t c : typed.toUcs4())
        if (c < 0x20 || c == 0x7F)
            return false; // control keys such as Ctrl+V never reach the name
    return cp932::byteLength(after) <= NameBytes;
}

QString digitsOnly(const QString& text) {
    QString digits;
    for (const QChar c : text)
        if (isDigit(c))
            digits += c;
    return digits;
}

QString offsetFractionOnLeave(const QString& offsetMhz, const QString& fraction, int digits) {
    QString f = digitsOnly(fraction);
    // Offsets stop at 999.99995 MHz; the kilohertz box stops at 999.995 MHz.
    const int limit = digits == 3 ? 99600 : 99996;
    if (digitsOnly(offsetMhz).toInt() == 999 && widenToTenHertz(f).left(5).toInt() >= limit)
        f = digits == 3 ? QStringLiteral("995") : QStringLiteral("99995");
    return f.leftJustified(digits, QLatin1Char('0'));
}

QString widenToTenHertz(const QString& fraction) {
    return fraction.leftJustified(5, QLatin1Char('0'));
}

} // namespace form
} // namespace rz

#include "memory/dialog_ok.h"
#include "model/value_tables.h"

namespace rz::memory {
namespace {

// Returns the frequency text ("145.00000"), or empty when the boxes hold no
// frequency the receiver accepts (the boxes are then emptied).
QString normaliseFrequency(ChannelForm& f, bool subSet) {
    QString mhz = form::digitsOnly(f.frequencyMhz);
    if (!mhz.isEmpty())
        mhz = mhz.toLongLong() >= 1300 ? QStringLiteral("145") : QString::number(mhz.toLongLong());
    QString fraction = form::widenToTenHertz(form::digitsOnly(f.frequencyFraction));
    if (mhz.isEmpty() || mhz.size() > 4)
        mhz = QStringLiteral("0");
    const int fractionLimit = subSet ? 99996 : 100000;
    if (fraction.size() > 5 || fraction.toInt() >= fractionLimit)
        fraction = QStringLiteral("00000");
    f.frequencyMhz = mhz;
    f.frequencyFraction = fraction;

    const long long frequency = mhz.toLongLong() * 100000 + fraction.toLongLong();
    if (frequency < MinFrequency || frequency >= FrequencyLimit) {
        f.frequencyMhz.clear();
        f.frequencyFraction.clear();
        return QString();
    }
    return mhz + QChar('.') + fraction;
}

// The offset text ("0.60000"); the Sub set's kilohertz fraction is widened
// to 10 Hz units first so both sets give texts of the same form.
QString normaliseOffset(ChannelForm& f, int fractionDigits) {
    // The leave rule runs here too, for boxes that never lost the focus.
    f.offsetMhz = form::digitsOnly(f.offsetMhz);
    f.offsetFraction = form::offsetFractionOnLeave(f.offsetMhz, f.offsetFraction, fractionDigits);
    if (f.offsetMhz.isEmpty() || f.offsetMhz.size() > 3)
        f.offsetMhz = QStringLiteral("0");
    QString fraction = form::widenToTenHertz(f.offsetFraction);
    if (fraction.size() > 5) {
        fraction = QStringLiteral("00000");
        f.offsetFraction = fractionDigits == 3 ? QStringLiteral("000") : fraction;
    }
    if (f.offsetMhz.toLongLong() * 100000 + fraction.toLongLong() > MaxOffset) {
        f.offsetMhz = QStringLiteral("0");
        f.offsetFraction = fractionDigits == 3 ? QStringLiteral("000") : QStringLiteral("00000");
        fraction = QStringLiteral("00000");
    }
    return QString::number(f.offsetMhz.toLongLong()) + QChar('.') + fraction;
}

ChannelSetResult readSet(ChannelForm& f, bool subSet) {
    ChannelSetResult r;
    r.frequencyText = normaliseFrequency(f, subSet);
    r.offsetText = normaliseOffset(f, subSet ? 3 : 5);
    r.name = f.name;
    r.mode = f.mode;
    r.shift = f.shift;
    r.skip = f.skip;
    r.toneType = f.toneType;
    r.txTone = f.txTone;
    r.rxTone = f.rxTone;
    r.dcs = f.dcs;
    r.train = f.train;
    r.step = f.step;
    return r;
}

} // namespace

DialogOutcome confirmDialog(const ChannelForm& first, const ChannelForm& second, bool dualPair) {
    DialogOutcome out;
    out.first = first;
    out.second = second;
    DialogResult& result = out.result;
    result.action = DialogResult::SinglePresent;
    result.first = readSet(out.first, false);

    // The step must divide both fractions as the boxes show them.
    const int fitted =
        tables::fittedStep(out.first.frequencyFraction.toInt(),
                           form::widenToTenHertz(out.first.offsetFraction).toInt(), out.first.step);
    out.first.step = fitted;
    result.first.step = fitted;

    const bool firstPresent = !result.first.frequencyText.isEmpty();
    out.firstInUse = firstPresent;
    if (!firstPresent)
        result.action = 50; // a single channel without frequency stores nothing

    if (dualPair) {
        result.second = readSet(out.second, true);
        const bool secondPresent = !result.second.frequencyText.isEmpty();
        out.secondInUse = secondPresent;
        if (firstPresent)
            result.action =
                secondPresent ? DialogResult::BothPresent : DialogResult::FirstPresentSecondEmpty;
        else
            result.action =
                secondPresent ? DialogResult::FirstEmptySecondPresent : DialogResult::BothEmpty;
    }
    if (result.action == 50)
        result.action = DialogResult::Nothing;
    return out;
}

} // namespace rz::memory

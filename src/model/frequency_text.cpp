#include "model/frequency_text.h"

namespace rz::freq {

QString hzToText(quint32 hz) {
    const QString remainder = QString::number(hz % 1000000).rightJustified(6, QLatin1Char('0'));
    return QString::number(hz / 1000000) + QLatin1Char('.') + remainder.left(5) +
           QStringLiteral("MHz");
}

quint32 textToHz(const QString& text) {
    // Whole MHz and up to seven fraction digits (the seventh rounds to Hz),
    // computed in integers so that no decimal is lost.
    int i = 0;
    while (i < text.size() && text[i] == QLatin1Char(' '))
        ++i;
    quint64 mhz = 0;
    for (; i < text.size() && text[i].isDigit(); ++i)
        mhz = std::min<quint64>(mhz * 10 + quint64(text[i].digitValue()), 1000000);
    quint64 fractionHz = 0;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        int digits = 0;
        for (; i < text.size() && text[i].isDigit(); ++i, ++digits) {
            const quint64 digit = quint64(text[i].digitValue());
            if (digits < 6)
                fractionHz = fractionHz * 10 + digit;
            else if (digits == 6 && digit >= 5)
                fractionHz += 1; // to the nearest Hz
        }
        for (; digits < 6; ++digits)
            fractionHz *= 10;
    }
    const quint64 hz = mhz * 1000000 + fractionHz;
    return hz > 0xFFFFFFFFu ? 0xFFFFFFFFu : quint32(hz);
}

} // namespace rz::freq

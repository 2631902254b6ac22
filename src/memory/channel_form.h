#pragma once
// The editable content of one channel set of the Memory Setting dialog, as
// its boxes, options and lists hold it, and the rules for typing into them.
#include "model/channel_table.h"
#include <QString>

namespace rz {

// A default-constructed form is a set after "Clear": FM, no tone, 88.5Hz,
// 023, JR, 5KHz, Off, boxes empty.
struct ChannelForm {
    QString frequencyMhz, frequencyFraction; // "145", "00000"
    QString name;
    bool skip = false;
    int mode = 0;  // option index, 0..6
    int shift = 0; // 0 "Off", 1 plus, 2 minus
    QString offsetMhz, offsetFraction;
    int toneType = 0; // 0..5
    int txTone = 8, rxTone = 8, dcs = 0, train = 28;
    int step = 0;

    bool operator==(const ChannelForm& o) const;
};

// The set's digit limits: the Sub channel of a dual-watch pair takes its
// offset fraction in kilohertz (3 digits) instead of 10 Hz units (5 digits).
struct FormLimits {
    int frequencyMhzDigits = 4;
    int frequencyFractionDigits = 5;
    int offsetMhzDigits = 3;
    int offsetFractionDigits = 5;

    static FormLimits mainSet() { return {}; }
    static FormLimits subSet() { return {4, 5, 3, 3}; }
};

namespace form {

// Splits a grid frequency text ("145.00000MHz") into its MHz and fraction
// boxes by the text's length; any other length leaves both empty.
void splitFrequency(const QString& gridText, QString& mhz, QString& fraction);

// The set filled from a grid row as the dialog shows it. A set with a
// 3-digit offset fraction shows the fraction in kilohertz where that loses
// nothing ("60000" -> "600"; "00625" stays).
ChannelForm fromRow(const ChannelRow& row, const FormLimits& limits = FormLimits::mainSet());

// Typing is judged on the text the key would leave in the box (typing over
// a selection replaces it), so a full box still takes a replacement.
// A digit box: digits only, at most maxDigits of them.
bool acceptsDigits(const QString& typed, const QString& after, int maxDigits);
// A name: printable characters only, the name taking at most 16 bytes in
// code page 932 (so a single-byte character fits while the name is below
// 16 bytes, a double-byte one while it is below 15).
bool acceptsName(const QString& typed, const QString& after);
constexpr int NameBytes = 16;

QString digitsOnly(const QString& text);

// An offset fraction box losing the focus: non-digits removed, the top of
// the range held at 999.99995 MHz, padded on the right to the box's digits.
QString offsetFractionOnLeave(const QString& offsetMhz, const QString& fraction, int digits);

// A 3-digit kilohertz fraction in 10 Hz units: "123" -> "12300"; a text that
// already has 5 digits stays as it is.
QString widenToTenHertz(const QString& fraction);

} // namespace form
} // namespace rz

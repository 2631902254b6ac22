#pragma once
// The fixed vocabularies every editor, the record codec and the file formats
// share: modes, steps, tones, DCS codes, train tones, tone-squelch types,
// shift directions, the skip mark, the bug-detector presets and the grid
// headings. An index is the number the program stores and passes around; a
// record code is what the receiver's channel record holds where that differs.
#include <QString>
#include <QStringList>

namespace rz::tables {

// Modulation mode: 7 display entries ("NFM" has no record code of its own).
constexpr int ModeCount = 7;
constexpr int ModeNfm = 2;
const QStringList& modeTexts();
QString modeTextForCode(int recordCode);  // 0..5; other codes -> ""
int modeCodeForText(const QString& text); // "FM" 0 ... "CW" 5; anything else 0

// Tuning step: the index is also the record code; sizes in 10 Hz units.
constexpr int StepCount = 18;
constexpr int Step5k = 0;
constexpr int Step6k25 = 1;
constexpr int Step50Hz = 16;
const QStringList& stepTexts();
int stepSize(int index); // 0 when out of range
QString stepText(int index);
// True when both fractions (0..99999, 10 Hz units) are multiples of the step.
bool fitsStep(int frequencyFraction, int offsetFraction, int stepIndex);
// The chosen step when it fits, else 5 kHz, else 6.25 kHz, else 50 Hz.
int fittedStep(int frequencyFraction, int offsetFraction, int chosenStep);

// CTCSS tone: index k is written as k + 1, except index 0 written as 0.
constexpr int CtcssCount = 39;
constexpr int CtcssDefault = 8; // "88.5Hz"
const QStringList& ctcssTexts();
QString ctcssText(int index);
int ctcssRecordCode(int index);
int ctcssIndexForCode(int recordCode); // 0 and 1 -> 0; c >= 2 -> c - 1 (may exceed the table)

// DCS code: the index is the record code.
constexpr int DcsCount = 104;
const QStringList& dcsTexts();
QString dcsText(int index);

// Train tone: the index is the record code; 0..27 are 300..3000 Hz, 28 "JR".
constexpr int TrainCount = 29;
constexpr int TrainDefault = 28; // "JR"
constexpr int TrainBug = 20;     // "2300Hz"
const QStringList& trainTexts();
QString trainText(int index);

// Tone-squelch type: the index is the record code (2 "Tone" has no grid text).
constexpr int ToneTypeCount = 6;
constexpr int ToneTypeTone = 2;
const QStringList& toneTypeCaptions();            // dialog options "None" ... "DCS"
QString toneTypeGridText(int code);               // "" for 2 and out of range
int toneTypeCodeForText(const QString& gridText); // unknown -> 0

// Shift direction.
const QStringList& shiftCaptions(); // dialog options "Off", full-width plus, full-width minus
QString shiftGridText(int code);    // "+", "-", otherwise "Off"
int shiftCodeForText(const QString& gridText); // "+" 1, "-" 2, otherwise 0

// Skip mark.
QString skipGridText(int code); // 1 -> "*", otherwise ""
int skipCodeForText(const QString& gridText);

// Bug-detector presets: frequency texts of grid rows 1701..1721.
constexpr int BugCount = 21;
const QStringList& bugPresetFrequencies();

// Channel grid headings of columns 0..12 (column 0 has none).
const QStringList& gridHeadings();

} // namespace rz::tables

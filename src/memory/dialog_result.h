#pragma once
// What the Memory Setting dialog hands back to the main window: one record
// for each of its two channel sets, the action saying which sets hold a
// channel, and where the user wants to go next.
#include <QString>

namespace rz {

struct ChannelSetResult {
    QString frequencyText; // "145.00000"; empty when the set has no frequency
    int mode = 0;
    int toneType = 0;
    int shift = 0;
    QString offsetText; // "0.60000"
    bool skip = false;
    QString name;
    // Codes for the per-channel arrays; the grid shows their table texts.
    int txTone = 0, rxTone = 0, dcs = 0, train = 0, step = 0;
};

struct DialogResult {
    enum Action {
        Nothing = 0,
        FirstEmptySecondPresent = 1,
        FirstPresentSecondEmpty = 2,
        BothPresent = 3,
        BothEmpty = 5,
        SinglePresent = 100,
    };
    enum Navigation { Stay = 0, Next = 1, Back = 2 };

    int action = Nothing;
    ChannelSetResult first, second;
    int navigation = Stay;

    // What remains once the main window has stored a result: action, codes
    // and names cleared, the navigation code kept.
    void reset() {
        const int keep = navigation;
        *this = DialogResult();
        navigation = keep;
    }
};

} // namespace rz

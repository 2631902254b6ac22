#pragma once
// "OK" of the Memory Setting dialog: normalises what the user typed, decides
// which sets hold a valid frequency, fits the step, and builds the result
// the main window stores. Nothing is ever refused with a message: invalid
// input is corrected or leaves the set without a frequency.
#include "memory/channel_form.h"
#include "memory/dialog_result.h"

namespace rz::memory {

struct DialogOutcome {
    DialogResult result;
    // The sets as the dialog shows them afterwards (normalised boxes, fitted
    // step).
    ChannelForm first, second;
    // In-use flags of the edited channel and, for a pair, of its Sub channel.
    bool firstInUse = false;
    bool secondInUse = false;
};

// Frequency in 10 Hz units the receiver accepts: 0.05 MHz up to 1299.99995 MHz.
constexpr long long MinFrequency = 5000;
constexpr long long FrequencyLimit = 129999996;
constexpr long long MaxOffset = 99999995;

// dualPair: the channel is the Main channel of a dual-watch pair and the
// second set is its Sub channel (offset fraction in kilohertz).
DialogOutcome confirmDialog(const ChannelForm& first, const ChannelForm& second, bool dualPair);

} // namespace rz::memory

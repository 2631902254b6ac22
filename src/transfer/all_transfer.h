#pragma once
// "Read all" and "Write all" of the COMM menu: each runs the single
// transfers of every area one after the other, as one job on the port, and
// ends with one summary message.
//
// Each step is a complete operation with its own identification. The
// steps of the main window (channels, banks, one-touch keys, settings) end
// quiet; the font and bank-link steps keep their own messages ("All Font
// Data Write", "Success Group Data Write"), and every failure shows its own
// message. Each step's end is reported with stepEnded, and the sequence
// waits there until its message has been dismissed.
//
// A failed channel step ends the sequence without a summary; a later step
// that fails does not stop it. The summary is "Success ALL DATA READ" /
// "Success ALL DATA WRITE" only when every step succeeded, otherwise
// "Error": a sequence in which some area was not moved is not a success.
#include "link/operation.h"

#include <memory>
#include <vector>

namespace rz {

struct DataSet;

// One step of a sequence: its name for people and its operation.
struct SequenceStep {
    QString name;
    std::shared_ptr<const Operation> operation;
    // A transfer of the main window (the summary's failure counter is the
    // last such step's).
    bool mainWindow = true;
    // A port failure of this step ends the sequence (the settings write of
    // Write all has no port-failure handling of its own).
    bool portErrorEnds = false;
};

class StepSequence : public Operation {
public:
    const std::vector<SequenceStep>& steps() const { return steps_; }
    quint16 busyCode() const override { return busyCode_; }

protected:
    StepSequence(quint16 busyCode, QString summary);
    Outcome execute(Session& s) const override;

    std::vector<SequenceStep> steps_;

private:
    quint16 busyCode_;
    QString summary_;
};

// Reads every area: channels, banks, one-touch keys, settings (with the
// write-protection byte and the opening message), font, bank links. The
// font and bank-link reads run as in read-all mode: no "Success" of theirs.
class ReadAll : public StepSequence {
public:
    explicit ReadAll(Region region);
};

// Writes every area of `data`, encoded now (on the caller's thread):
// channels, banks, one-touch keys, settings (the opening message only when
// the data set holds one: an empty one leaves the receiver's as it is),
// the font (only when the font store has been touched in this run: a
// blank store would erase the user's characters), bank links.
class WriteAll : public StepSequence {
public:
    WriteAll(Region region, const DataSet& data);
};

} // namespace rz

#pragma once
// The clone file is a sequence of tagged lines, each kind owned by one area
// of the data set. An area takes part through a CloneSection: it gives the
// lines it saves, claims the lines it reads by their tag, reads them into a
// pending copy of its data, and applies that copy only when the whole file
// has been read without failure.
#include <QString>
#include <QStringList>
#include <array>

namespace rz::clone {

// Outcome of reading one line.
struct LineResult {
    enum Kind { Read, Skipped, Failed };
    Kind kind = Read;
    QString reason; // why a line failed or was skipped, or a note on a line read

    static LineResult read(const QString& note = QString()) { return {Read, note}; }
    static LineResult skipped(const QString& why) { return {Skipped, why}; }
    static LineResult failed(const QString& why) { return {Failed, why}; }
};

class CloneSection {
public:
    virtual ~CloneSection() = default;

    // The lines this section saves, in file order (none is fine).
    virtual QStringList lines() const = 0;

    // Reading: begin() starts from the data as it is now (and clears what an
    // open clears), claims() says whether a line is this section's, read()
    // takes one claimed line into the pending copy, and commit() applies the
    // pending copy once every line of the file has been read.
    virtual void begin() = 0;
    virtual bool claims(const QString& line) const = 0;
    virtual LineResult read(const QString& line) = 0;
    virtual void commit() = 0;
};

// The places of the file's sections, in the order the writer saves them:
// "CH" lines, "BK", "ONETOUCH_BANK" and "ONETOUCH_CHDA", "TITLE", "GRD" and
// "GRI", "SD00".."SD08", "COMPORT". Between the header line and "File End".
enum class Slot {
    Channels,
    Banks,
    OneTouch,
    Title,
    BankLinks,
    Settings,
    Port,
};
constexpr int SlotCount = int(Slot::Port) + 1;

// One section per slot; a slot without one saves nothing, and the lines it
// would claim are skipped when read.
class CloneSections {
public:
    void set(Slot slot, CloneSection* section) { sections_[size_t(slot)] = section; }
    CloneSection* at(Slot slot) const { return sections_[size_t(slot)]; }
    // The sections present, in file order.
    std::array<CloneSection*, SlotCount> inOrder() const { return sections_; }

private:
    std::array<CloneSection*, SlotCount> sections_{};
};

} // namespace rz::clone

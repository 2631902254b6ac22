#pragma once
// "Read" and "Write" of the bank-link dialog: groups 0..5 at 0x00100 and
// groups 6..10 at 0x00130, three attempts per exchange. They are the
// dialog's own operations: they wait 200 ms for each reply and leave the
// main window's busy code and counters alone.
#include "banks/bank_link_table.h"
#include "link/operation.h"

#include <array>

namespace rz {

constexpr int BankLinkAttempts = 3;

// Reports each block it reads (blockRead); the store sink decodes the groups
// and marks the banks flagged empty. readAll: Read all opened the dialog,
// so a success shows no message.
class BankLinkRead : public WindowOperation {
public:
    BankLinkRead(Region region, bool readAll) : WindowOperation(region), readAll_(readAll) {}

protected:
    Outcome execute(Session& s) const override;

private:
    bool readAll_;
};

class BankLinkWrite : public WindowOperation {
public:
    // A bank empty in `layout` is sent as a non-member: Write all writes the
    // links beside the layout it writes, whenever the flags were last taken.
    BankLinkWrite(Region region, const BankLinkTable& table, const BankLayout& layout,
                  bool readAll);

protected:
    Outcome execute(Session& s) const override;

private:
    std::array<QByteArray, 2> blocks_; // encoded when the write starts
    bool readAll_;
};

} // namespace rz

#pragma once
// The receiver's bank links: eleven groups, each a set of the 50 banks, and
// beside them one flag per bank that says it holds no channels (an empty
// bank cannot be linked).
#include "banks/bank_layout.h"

#include <QObject>
#include <array>

namespace rz {

class BankLinkTable : public QObject {
    Q_OBJECT
public:
    static constexpr int GroupCount = 11;
    static constexpr int BankCount = BankLayout::BankCount;
    // Entry values: a bank outside the group, inside it, or empty.
    enum Entry : quint8 { NotLinked = 0, Linked = 1, EmptyBank = 2 };

    explicit BankLinkTable(QObject* parent = nullptr); // nothing linked, no bank empty

    int entry(int group, int bank) const { return entries_[index(group, bank)]; }
    // Values other than 0, 1 and 2 are stored as 0 (not linked).
    void setEntry(int group, int bank, int value);
    bool emptyFlag(int bank) const { return emptyFlags_[size_t(bank)]; }
    void setEmptyFlag(int bank, bool empty);

    // A bank belongs to a group when its entry is 1 and it is not flagged
    // empty: what is written to the receiver and to the clone file.
    bool isMember(int group, int bank) const;

    // The grid click: toggles an entry between linked and not linked; an
    // empty bank ignores it.
    void toggle(int group, int bank);
    // "Clear": every entry of every group becomes 0.
    void clear();
    // Opening the dialog: the flags follow the bank layout, and the banks that
    // hold no channels lose their links.
    void refreshEmptyFlags(const BankLayout& layout);
    // After a read: every entry of a flagged bank becomes 2.
    void markEmptyBanks();

signals:
    void changed();

private:
    // The bank is the outer index, as the receiver's program stores it.
    static size_t index(int group, int bank) { return size_t(GroupCount * bank + group); }

    std::array<quint8, GroupCount * BankCount> entries_{};
    std::array<bool, BankCount> emptyFlags_{};
};

} // namespace rz

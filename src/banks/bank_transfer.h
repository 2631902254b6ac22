#pragma once
// "Bank Read" and "Bank Write" of the Bank tab: the bank sizes in the two
// 64-byte blocks from 0x00200. Each block has three attempts of its own.
#include "banks/bank_area.h"
#include "link/operation.h"

namespace rz {

constexpr int BankBlockAttempts = 3;

// Reports each block it reads (blockRead); the store sink takes the sizes
// from it and relabels the grid rows once both blocks are in.
class BankRead : public RegionOperation<5> {
public:
    // Held while the first and the second block is read.
    static constexpr quint16 FirstBlockBusyCode = 6;
    static constexpr quint16 SecondBlockBusyCode = 7;

    using RegionOperation::RegionOperation;

protected:
    Outcome execute(Session& s) const override;
};

// Writes the sizes as they stand. A layout whose total is not 1200 cannot be
// encoded: the write then sends nothing and ends with "Error", saying why.
class BankWrite : public RegionOperation<8> {
public:
    BankWrite(Region region, const BankLayout& layout);

protected:
    Outcome execute(Session& s) const override;

private:
    std::array<QByteArray, bankarea::BlockCount> blocks_;
    int total_;
};

} // namespace rz

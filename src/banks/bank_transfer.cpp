#include "banks/bank_transfer.h"

namespace rz {

namespace {

QString blockName(int block) {
    return QStringLiteral("bank block %1").arg(block + 1);
}

// The progress bar starts again at 0 of 100.
void resetProgress(OperationSink& sink) {
    sink.progressMaximum(100);
    sink.progressValue(0);
}

} // namespace

Outcome BankRead::execute(Session& s) const {
    OperationSink& sink = s.sink();
    resetProgress(sink);
    if (auto stop = s.identify(region()))
        return *stop;
    s.progress(20, 20);
    const quint16 codes[] = {FirstBlockBusyCode, SecondBlockBusyCode};
    for (int block = 0; block < bankarea::BlockCount; ++block) {
        const quint32 address = bankarea::BlockAddress[size_t(block)];
        sink.busyCode(codes[block]);
        s.resetFailures();
        QByteArray data;
        if (auto stop = s.readBlock(address, data, BankBlockAttempts, blockName(block)))
            return *stop; // the sizes of a good first block stay
        sink.blockRead(address, data);
    }
    s.progress(100, 100);
    return s.success();
}

BankWrite::BankWrite(Region region, const BankLayout& layout)
    : RegionOperation(region), total_(layout.total()) {
    for (int block = 0; block < bankarea::BlockCount; ++block)
        blocks_[size_t(block)] = bankarea::encodeBlock(layout, block);
}

Outcome BankWrite::execute(Session& s) const {
    if (blocks_[0].isEmpty() || blocks_[1].isEmpty()) {
        // The receiver would take the channels of the wrong banks.
        Outcome refused = Outcome::error(0);
        refused.detail =
            QStringLiteral("The bank sizes add up to %1, not 1200: nothing was sent.").arg(total_);
        return refused;
    }
    resetProgress(s.sink());
    if (auto stop = s.identify(region()))
        return *stop;
    const int progressBefore[] = {20, 60};
    for (int block = 0; block < bankarea::BlockCount; ++block) {
        s.progress(progressBefore[block], progressBefore[block]);
        s.resetFailures();
        if (auto stop = s.writeBlock(bankarea::BlockAddress[size_t(block)], blocks_[size_t(block)],
                                     BankBlockAttempts, blockName(block)))
            return *stop;
    }
    s.progress(100, 100);
    return s.success();
}

} // namespace rz

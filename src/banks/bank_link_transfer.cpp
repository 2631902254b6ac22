#include "banks/bank_link_transfer.h"

#include "banks/bank_link_area.h"

namespace rz {

namespace {

QString blockName(int block) {
    return QStringLiteral("bank-link block %1").arg(block + 1);
}

// The dialog's own success messages; none while Read all runs it.
Outcome succeeded(const Session& s, const char* message, const char* title, bool readAll) {
    Outcome o = s.success();
    o.message = QLatin1String(message);
    o.title = QLatin1String(title);
    o.showMessage = !readAll;
    return o;
}

} // namespace

Outcome BankLinkRead::execute(Session& s) const {
    if (readAll_)
        s.sink().bankLinkWindowOpens();
    if (auto stop = s.identify(region()))
        return *stop;
    for (int block = 0; block < banklinkarea::BlockCount; ++block) {
        const quint32 address = banklinkarea::BlockAddress[size_t(block)];
        s.resetFailures();
        QByteArray data;
        if (auto stop = s.readBlock(address, data, BankLinkAttempts, blockName(block)))
            return *stop; // the groups of a good first block stay
        s.sink().blockRead(address, data);
    }
    return succeeded(s, "OK", " OK", readAll_);
}

BankLinkWrite::BankLinkWrite(Region region, const BankLinkTable& table, const BankLayout& layout,
                             bool readAll)
    : WindowOperation(region), readAll_(readAll) {
    for (int block = 0; block < banklinkarea::BlockCount; ++block)
        blocks_[size_t(block)] = banklinkarea::encodeBlock(table, block, layout);
}

Outcome BankLinkWrite::execute(Session& s) const {
    if (auto stop = s.identify(region()))
        return *stop;
    for (int block = 0; block < banklinkarea::BlockCount; ++block) {
        s.resetFailures();
        if (auto stop = s.writeBlock(banklinkarea::BlockAddress[size_t(block)],
                                     blocks_[size_t(block)], BankLinkAttempts, blockName(block)))
            return *stop;
    }
    return succeeded(s, "Success Group Data Write", " Finish", readAll_);
}

} // namespace rz

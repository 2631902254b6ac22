#include "banks/bank_link_opening.h"

#include "banks/bank_link_table.h"
#include "banks/one_touch.h"

namespace rz {

void prepareBankLinkWindow(BankLayout& banks, OneTouchMemories& keys, BankLinkTable& links) {
    if (!banks.isConsistent())
        banks.loadDefault(); // the row labels stay as they are
    keys.rebuild(banks);
    links.refreshEmptyFlags(banks);
}

} // namespace rz

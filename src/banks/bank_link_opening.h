#pragma once
// What opening the bank-link window prepares, from its "Bank_Link" button
// and when Read all opens it: a bank total other than 1200 loads the default
// layout, the one-touch keys follow the layout, and the empty-bank flags are
// taken from it (an empty bank loses its links).
namespace rz {

class BankLayout;
class BankLinkTable;
class OneTouchMemories;

void prepareBankLinkWindow(BankLayout& banks, OneTouchMemories& keys, BankLinkTable& links);

} // namespace rz

#pragma once
// The nine one-touch memory keys ("1" to "9" on screen, 0 to 8 here). Each
// recalls one memory channel, named by its bank and its position within the
// bank, or is marked "No Setting". A key holds the bank number itself, so the
// bank and channel lists it is shown with can always be built from the
// current bank layout.
#include "banks/bank_layout.h"

#include <QObject>
#include <QStringList>
#include <array>

namespace rz {

struct OneTouchKey {
    static constexpr int NoBank = -1; // no bank holds a channel

    int bank = 0;          // kept while "No Setting" is checked, as the selector shows it
    int channel = 0;       // 0-based position within the bank
    bool noSetting = true; // the "No Setting" box

    bool operator==(const OneTouchKey& o) const {
        return bank == o.bank && channel == o.channel && noSetting == o.noSetting;
    }
    bool operator!=(const OneTouchKey& o) const { return !(*this == o); }
};

class OneTouchMemories : public QObject {
    Q_OBJECT
public:
    static constexpr int KeyCount = 9;
    // The receiver stores the position in one byte: positions 0..255 only.
    static constexpr int MaxChannelPositions = 256;
    // The clone file's bank value of a key marked "No Setting".
    static constexpr int FileNoSetting = 255;

    // Start-up: every key on bank 0, channel 0, "No Setting".
    explicit OneTouchMemories(QObject* parent = nullptr);

    const OneTouchKey& key(int k) const { return keys_[size_t(k)]; }
    const std::array<OneTouchKey, KeyCount>& keys() const { return keys_; }
    // Stores a key as given, except that a bank outside 0..49 becomes NoBank
    // and a channel outside 0..255 becomes 0, so every key fits its record.
    void setKey(int k, const OneTouchKey& key);
    void setKeys(const std::array<OneTouchKey, KeyCount>& keys);

    // A new bank in the key's bank selector starts again at channel 0.
    void selectBank(int k, int bank);
    void selectChannel(int k, int channel);
    void setNoSetting(int k, bool noSetting);

    // "Reset": every key on the first listed bank, channel 0, "No Setting".
    void reset(const BankLayout& layout);
    // Entering the Setting tab: a key whose bank no longer holds channels
    // moves to the first listed bank, channel 0; a key whose channel lies at
    // or beyond its bank's size keeps the bank and falls back to channel 0.
    void rebuild(const BankLayout& layout);

    // The clone file's "ONETOUCH_BANK" and "ONETOUCH_CHDA" values of key k.
    int fileBankValue(int k) const;
    int fileChannelValue(int k) const { return key(k).channel; }
    // Applies a "ONETOUCH_BANK" value: 255 marks the key "No Setting" on the
    // first listed bank, channel 0; a non-empty bank becomes the key's bank;
    // any other value clears "No Setting" and keeps the bank. Gives false for
    // a value that names no non-empty bank.
    bool applyFileBankValue(int k, int value, const BankLayout& layout);
    // Applies a "ONETOUCH_CHDA" value, checked against the key's own bank;
    // a position outside its channel list selects 0 and gives false.
    bool applyFileChannelValue(int k, int value, const BankLayout& layout);

signals:
    void changed();

private:
    bool store(int k, const OneTouchKey& key); // true when the key changed

    std::array<OneTouchKey, KeyCount> keys_{};
};

// What the "OneTouch Memory" frame lists. The bank selector: the non-empty
// banks as their numbers ("0", "3", "7"). A key's channel selector: "0" to
// "n-1" for the n selectable positions of its bank.
QStringList oneTouchBankItems(const BankLayout& layout);
QStringList oneTouchChannelItems(int bank, const BankLayout& layout);
// Positions a key may select in `bank`: its size, at most 256; 0 for NoBank.
int oneTouchChannelCount(int bank, const BankLayout& layout);
// Position of the key's bank in the bank selector, or -1 when not listed.
int oneTouchBankPosition(const OneTouchKey& key, const BankLayout& layout);
// The first listed bank, or NoBank when every bank is empty.
int firstListedBank(const BankLayout& layout);

} // namespace rz

#pragma once
// How the 1200 memory channels are divided into 50 banks: 50 sizes that
// must add up to 1200, and the grid row labels that follow from them.
#include <QObject>
#include <QString>
#include <array>
#include <vector>

namespace rz {

class ChannelTable;

class BankLayout : public QObject {
    Q_OBJECT
public:
    static constexpr int BankCount = 50;
    static constexpr int ChannelsInBanks = 1200;
    static constexpr int MaxSize = 1200;

    explicit BankLayout(QObject* parent = nullptr); // the default layout

    int size(int bank) const { return sizes_[size_t(bank)]; }
    void setSize(int bank, int size); // kept within 0..1200
    const std::array<int, BankCount>& sizes() const { return sizes_; }
    void setSizes(const std::array<int, BankCount>& sizes);
    int total() const;
    bool isConsistent() const { return total() == ChannelsInBanks; }
    // The banks that hold at least one channel, in ascending order: what the
    // one-touch bank selectors list and what the bank links may link.
    std::vector<int> nonEmptyBanks() const;

    // Banks 0..11 hold 100 channels each, the others none ("Reset").
    void loadDefault();

signals:
    void changed();

private:
    std::array<int, BankCount> sizes_{};
};

// Label of bank b, position p: "Bank05-012" (4 digits from position 1000).
QString bankRowLabel(int bank, int position);
// Labels of rows 1..1721 (index 0 unused) for a consistent layout.
std::vector<QString> rowLabels(const BankLayout& layout);
// Rewrites the grid's row labels; does nothing unless the total is 1200.
void RefreshBankRowLabels(const BankLayout& layout, ChannelTable& table);

} // namespace rz

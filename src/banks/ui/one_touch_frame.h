#pragma once
// The frame "OneTouch Memory" of the Setting tab: for each of the nine keys
// a bank list COMMON_BANK(k), a channel list COMMON_CH(k) and a "No Setting"
// box NO_SET(k); "Reset", "Read" and "Write". The bank lists hold the banks
// that held channels when the lists were last rebuilt (entering the Setting
// tab, opening the bank-link dialog); the widgets view the data set's keys.
#include <QGroupBox>
#include <array>
#include <vector>

class QCheckBox;
class QComboBox;

namespace rz {

class BankLayout;
class OneTouchMemories;
class RadioFacade;
struct DataSet;

class OneTouchFrame : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int Keys = 9;

    OneTouchFrame(DataSet& data, RadioFacade& radio, QWidget* parent = nullptr);

public slots:
    // The bank lists follow the bank layout; a key whose bank is no longer
    // listed moves to the first listed bank, channel 0, and a key whose
    // channel lies beyond its bank falls back to channel 0.
    void rebuildLists();
    void readKeys();
    void writeKeys();
    void resetKeys();

private:
    void layOut();
    // The lists follow the layout; the keys stay as they are.
    void refillLists();
    void showKeys();
    void showKey(int k);

    BankLayout& banks_;
    OneTouchMemories& keys_;
    RadioFacade& radio_;
    std::vector<int> listed_; // bank of each bank-list position
    std::array<QComboBox*, Keys> bankLists_{};
    std::array<QComboBox*, Keys> channelLists_{};
    std::array<int, Keys> channelsFor_{}; // bank whose channels a channel list holds
    std::array<QCheckBox*, Keys> noSetting_{};
};

} // namespace rz

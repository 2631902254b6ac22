#pragma once
// The Bank tab's frame A_FRAME(1): for each of the 50 banks a count box
// Text1(b) and a slider Slider1(b), the total Total_Mem (red, and "Bank
// Write" off, while it is not 1200), "Up"/"Down" for the bank last clicked,
// "Reset", "Bank Read", "Bank Write" and "Bank_Link", which opens the
// bank-link dialog. The widgets view the data set's bank layout.
#include <QGroupBox>
#include <array>
#include <functional>

class QDialog;
class QLineEdit;
class QPushButton;
class QSlider;

namespace rz {

class BankLayout;
class RadioFacade;
struct DataSet;

class BankPage : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int NoBank = 100; // no slider clicked yet

    using DialogRunner = std::function<void(QDialog&)>;

    BankPage(DataSet& data, RadioFacade& radio, QWidget* parent = nullptr);

    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }
    int selectedBank() const { return selected_; }

public slots:
    // A count typed but not yet taken (no Enter, the box not left) is taken
    // as on leaving its box: the tab switch judges the total with it.
    void takeTypedCounts();
    void readBanks();
    void writeBanks();
    void openBankLinks();

signals:
    // The bank-link dialog is about to open, the one-touch keys have followed
    // the bank layout: their lists follow it too.
    void bankLinksOpening();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    QPushButton* addButton(const char* caption, const char* name, int x, int y);
    // Shows the layout: sliders, count boxes, total, its colour and the
    // "Bank Write" rule.
    void showLayout();
    void showTotal();
    // Enter in a count box, and leaving it.
    void takeCount(int bank, bool leaving);
    void step(int delta);
    bool typingKey(int bank, int key);

    DataSet& data_;
    BankLayout& banks_;
    RadioFacade& radio_;
    std::array<QLineEdit*, 50> counts_{};
    std::array<QSlider*, 50> sliders_{};
    QLineEdit* total_ = nullptr;
    QPushButton* write_ = nullptr;
    int selected_ = NoBank;
    DialogRunner runDialog_;
};

} // namespace rz

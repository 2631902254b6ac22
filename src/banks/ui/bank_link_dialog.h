#pragma once
// The bank-link dialog "Form5" ("BANK-LINK Setting"): the eleven groups as a
// grid of 11 rows by 50 bank columns; a click on a cell links the bank into
// the group or takes it out; banks that hold no channels are grey and cannot
// be linked. "Read" and "Write" move the groups through the radio facade as
// the dialog's own operations; its busy indicator keeps "Read", "Write",
// "Clear" and "OK" apart. Opened while Read all runs (read-all mode 1), it
// reads at once and closes itself.
#include <QDialog>

class QPushButton;
class QTableWidget;

namespace rz {

class BankLinkTable;
class RadioFacade;
struct DataSet;
struct Outcome;

class BankLinkDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int Rows = 12, Columns = 55; // with the heading row and column

    BankLinkDialog(DataSet& data, RadioFacade& radio, QWidget* parent = nullptr);

    // The bank shown in a grid column, or -1 (the heading column and the
    // separators 11, 22, 33, 44).
    static int bankOfColumn(int column);
    static int columnOfBank(int bank) { return bank + 1 + bank / 10; }

    bool isTransferring() const { return busy_; }

public slots:
    void GROUP_READ_Click();
    void GROUP_WRITE_Click();
    void clearGroups();

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override; // not while a transfer runs

private:
    void layOut();
    void buildGrid();
    void paintCells();
    void cellClicked(int row, int column);
    bool startTransfer(bool write);
    void transferEnded(const Outcome& outcome);
    void setButtonsEnabled(bool enabled);

    DataSet& data_;
    BankLinkTable& links_;
    RadioFacade& radio_;
    QTableWidget* grid_ = nullptr;
    bool busy_ = false;
    bool autoRead_ = false; // read-all mode: read once on showing, then close
};

} // namespace rz

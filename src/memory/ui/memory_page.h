#pragma once
// The Memory tab's frame A_FRAME(0): the channel grid with "All Clear",
// "Clear", "Up", "Down", the four channel transfer buttons, and the Memory
// Setting dialog opened from the grid. Every command does nothing while a
// radio operation runs.
#include "link/operation.h"
#include "memory/dialog_result.h"
#include <QGroupBox>
#include <functional>
#include <memory>

class QDialog;
class QPushButton;

namespace rz {

class ChannelGrid;
class ChannelTable;
class MemorySettingDialog;
class RadioFacade;
struct DataSet;

class MemoryPage : public QGroupBox {
    Q_OBJECT
public:
    // Shows a modal dialog; the default runs its event loop. Tests replace
    // it to work the dialog without blocking.
    using DialogRunner = std::function<void(QDialog&)>;

    MemoryPage(DataSet& data, RadioFacade& radio, QWidget* parent = nullptr);

    ChannelGrid* grid() const { return grid_; }
    QPushButton* button(const char* objectName) const;
    void setDialogRunner(DialogRunner runner) { runDialog_ = std::move(runner); }

    // The result record the dialog fills, and storing it into the current row.
    void Set_Memory_Data();

public slots:
    // Opens the dialog on the current row. followNavigation: "<<BACK" and
    // "NEXT>>" reopen it on the previous or next channel; from the Enter key
    // they act like "OK".
    void openDialog(bool followNavigation = true);
    void MSFlexGrid1_DblClick() { openDialog(true); }
    void clearSelection();
    void deleteKey();
    void clearAll();

    // The channel transfers.
    void readChannels();
    void writeChannels();
    void readSelectedChannels();
    void writeSelectedChannels();

signals:
    // "All Clear" shows its progress on the main window's bar.
    void progressChanged(int value, int maximum);

private:
    // The grid's cursor follows the row a transfer is at.
    class GridCursor : public OperationSink {
    public:
        explicit GridCursor(ChannelGrid*& grid) : grid_(grid) {}
        void currentRow(int row) override;

    private:
        ChannelGrid*& grid_;
    };

    void connectCommand(const char* button, std::function<void()> command);
    void layOut();
    // Shows the dialog once for the row; false when the row cannot be edited.
    bool editRow(int row);
    void clearRows();
    void startTransfer(std::shared_ptr<Operation> operation);

    ChannelTable& table_;
    RadioFacade& radio_;
    ChannelGrid* grid_;
    GridCursor cursor_{grid_};
    DialogResult result_;
    bool storing_ = false; // Set_Memory_Data is running
    DialogRunner runDialog_;
};

} // namespace rz

#pragma once
// The Memory tab's channel grid "MSFlexGrid1": a read-only view of the
// channel table in grid rows 1..1721. The row labels form the fixed column,
// the headings the fixed row; a selection always spans whole rows.
#include <QTableView>

namespace rz {

class ChannelTable;
class ChannelGridModel;

class ChannelGrid : public QTableView {
    Q_OBJECT
public:
    explicit ChannelGrid(ChannelTable& table, QWidget* parent = nullptr);

    static constexpr int TwipsPerPixel = 15;
    static int px(int twips) { return (twips + TwipsPerPixel / 2) / TwipsPerPixel; }

    // The cursor row and the other end of a multi-row selection (both equal
    // for a single row).
    int currentRow() const;
    int selectionEnd() const;
    // Moves the cursor and selects rows current..end across columns 1 to 12.
    void selectRows(int current, int end);
    void selectRow(int row) { selectRows(row, row); }

    int topRow() const;
    void setTopRow(int row);
    // Rows wholly visible below the headings.
    int visibleRows() const;

    // "Up" and "Down": the cursor one row up or down, scrolling by one row
    // to keep a row of context beyond it.
    void moveUp();
    void moveDown();

signals:
    void openRequested(bool followNavigation); // double-click, Enter
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ChannelGridModel* model_;
};

} // namespace rz

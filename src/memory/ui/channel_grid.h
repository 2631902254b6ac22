#pragma once
// The Memory tab's channel grid "MSFlexGrid1": a read-only view of the
// channel table in grid rows 1..1721. The row labels form the fixed column,
// the headings the fixed row; a selection always spans whole rows.
#include "memory/row_commands.h"
#include <QPalette>
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
    // What the user sees selected, however it was made (Shift+click, a drag,
    // Ctrl+A): the smallest to the largest selected row; the cursor row when
    // nothing is selected. The row commands and transfers act on this.
    memory::RowRange selectedRows() const;

    // Moves the cursor and selects rows current..end across columns 1 to 12;
    // the view scrolls to show the cursor, as after the user's own move.
    void selectRows(int current, int end);
    void selectRow(int row) { selectRows(row, row); }
    // The same without scrolling: the view stays where the user left it
    // while a transfer moves the cursor or an operation puts it back.
    void placeRows(int current, int end);
    void placeRow(int row) { placeRows(row, row); }

    // The selection highlight, off while a transfer runs.
    void setHighlight(bool on);
    bool isHighlightOn() const { return highlight_; }

    int topRow() const;
    void setTopRow(int row);
    // Rows wholly visible below the headings.
    int visibleRows() const;

    // "Up" and "Down": the cursor one row up or down. The view scrolls by
    // one row only when the cursor reaches the last visible row (Down) or
    // the top visible row (Up).
    void moveUp();
    void moveDown();

signals:
    void openRequested(bool followNavigation); // double-click, Enter
    void deleteRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    ChannelGridModel* model_;
    bool highlight_ = true;
    QPalette highlighted_; // the palette while the highlight is on
};

} // namespace rz

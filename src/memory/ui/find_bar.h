#pragma once
// The find bar over the channel grid (Ctrl+F): a text matched against the
// names and the frequencies. Enter and F3 go to the next match, Shift+F3 to
// the previous one, wrapping round; the cursor moves to the match and the
// view scrolls to it. Escape closes the bar and gives the grid the focus.
#include <QFrame>
#include <QList>

class QAction;
class QLabel;
class QLineEdit;

namespace rz {

class ChannelGrid;
class ChannelTable;
class RadioFacade;

class FindBar : public QFrame {
    Q_OBJECT
public:
    // The bar lies over the grid's top right corner, hidden until opened.
    // Its commands do nothing while a radio operation moves the cursor.
    FindBar(ChannelTable& table, ChannelGrid& grid, RadioFacade& radio);

    // "Find…" (EditFind), "Find next" (EditFindNext), "Find previous"
    // (EditFindPrevious), for the Edit menu.
    QList<QAction*> actions() const { return actions_; }
    QLineEdit* text() const { return text_; }

public slots:
    void open();
    void findNext() { find(true); }
    void findPrevious() { find(false); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void find(bool forward);
    void place();
    QAction* addAction(const QString& caption, const char* name, const QKeySequence& key,
                       void (FindBar::*slot)());

    ChannelTable& table_;
    ChannelGrid& grid_;
    RadioFacade& radio_;
    QLineEdit* text_;
    QLabel* status_;
    QList<QAction*> actions_;
};

} // namespace rz

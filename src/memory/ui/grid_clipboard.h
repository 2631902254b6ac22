#pragma once
// Copy, cut and paste of grid rows (Ctrl+C, Ctrl+X, Ctrl+V): the selected
// rows go to the clipboard as tab-separated cells, which spreadsheets take
// as they are; a paste at the current row takes such rows, or the common
// channel-list CSV with its heading. A paste or a cut is one undo step; what
// a paste refused or changed is shown. Nothing happens while a radio
// operation runs or while the grid is not shown.
#include <QList>
#include <QObject>
#include <functional>

class QAction;

namespace rz {

class ChannelGrid;
class RadioFacade;
class UserDialogs;
struct DataSet;

class GridClipboard : public QObject {
    Q_OBJECT
public:
    GridClipboard(DataSet& data, ChannelGrid& grid, RadioFacade& radio,
                  std::function<UserDialogs&()> dialogs, QObject* parent = nullptr);

    // "Copy" (EditCopy), "Cut" (EditCut), "Paste" (EditPaste) with their
    // shortcuts, for the Edit menu.
    QList<QAction*> actions() const { return {copy_, cut_, paste_}; }

public slots:
    void copy();
    void cut();
    void paste();

private:
    QAction* addAction(const QString& caption, const char* name, int key,
                       std::function<void()> command);

    DataSet& data_;
    ChannelGrid& grid_;
    RadioFacade& radio_;
    std::function<UserDialogs&()> dialogs_;
    QAction* copy_;
    QAction* cut_;
    QAction* paste_;
};

} // namespace rz

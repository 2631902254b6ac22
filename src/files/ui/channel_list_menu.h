#pragma once
// The File menu's "Import channel list…" and "Export channel list…": the
// channels in and out as the common channel-list CSV. The import fills rows
// from the grid's current row on, in the order of the file, as one undo
// step; what it refused or changed is shown with its message. Neither
// command starts while a radio operation runs.
#include "files/file_outcome.h"

#include <QObject>
#include <functional>

class QAction;

namespace rz {

class RadioFacade;
class UserDialogs;
struct DataSet;

class ChannelListMenu : public QObject {
    Q_OBJECT
public:
    static const QString Filter;

    // currentRow() gives the grid row the import starts at.
    ChannelListMenu(DataSet& data, RadioFacade& radio, std::function<int()> currentRow,
                    QObject* parent = nullptr);

    void setDialogs(UserDialogs* dialogs) { dialogs_ = dialogs; }
    void attach(QAction* importList, QAction* exportList);

public slots:
    void importList();
    void exportList();

private:
    void show(const FileOutcome& outcome);

    DataSet& data_;
    RadioFacade& radio_;
    std::function<int()> currentRow_;
    UserDialogs* dialogs_ = nullptr;
};

} // namespace rz

#pragma once
// The COMM menu's "Read all(&R)" and "Write all(&W)": each starts its
// sequence as one job of the radio facade, with the region options held
// still from the start to the end, and read-all mode up while Read all runs.
#include <QObject>
#include <functional>

class QWidget;

namespace rz {

struct DataSet;
class DataSafety;
class RadioFacade;
class UserDialogs;

class AllTransfers : public QObject {
    Q_OBJECT
public:
    // window: where the region options are; dialogs: the window's current
    // message boxes.
    AllTransfers(DataSet& data, RadioFacade& radio, QWidget* window,
                 std::function<UserDialogs&()> dialogs);

    // Each does nothing while an operation runs.
    void readAll();
    // A bank total other than 1200 is asked about first ("Caution"): OK
    // loads the default layout and goes on, Cancel sends nothing.
    void writeAll();

    // Asks "Save changes?" before Read all, keeps each sequence one undo
    // step and backs up what was read or is written; none: nothing of that.
    void setSafety(DataSafety* safety) { safety_ = safety; }

private:
    void started(bool ok, bool reading);
    void ended(bool success);

    DataSet& data_;
    RadioFacade& radio_;
    QWidget* window_;
    std::function<UserDialogs&()> dialogs_;
    DataSafety* safety_ = nullptr;
    bool running_ = false; // a sequence of ours is the facade's job
    bool reading_ = false; // and it is Read all
};

} // namespace rz

#pragma once
// The COMM menu's "Read all(&R)" and "Write all(&W)": each starts its
// sequence as one job of the radio facade, with the region options held
// still from the start to the end, and read-all mode up while Read all runs.
#include <QObject>
#include <functional>

class QWidget;

namespace rz {

struct DataSet;
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

private:
    void started(bool ok);
    void ended();

    DataSet& data_;
    RadioFacade& radio_;
    QWidget* window_;
    std::function<UserDialogs&()> dialogs_;
    bool running_ = false; // a sequence of ours is the facade's job
};

} // namespace rz

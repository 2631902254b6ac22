#pragma once
// The File menu's commands: "Open(&O)" and "Save(&S)" of the clone file,
// "Import(&I)" and "Export(&E)" of the CSV file, and the configuration file
// that every port choice writes. Each command does nothing while a radio
// operation runs; none starts one.
#include "files/data_set_sections.h"

#include <QObject>
#include <functional>

class QAction;

namespace rz {

class RadioFacade;
class UserDialogs;

class FileMenu : public QObject {
    Q_OBJECT
public:
    // The save dialogs' filter texts as the receiver's programs write them
    // ("caption|pattern|caption|pattern|").
    static const QString CloneSaveFilter;
    static const QString CloneOpenFilter;
    static const QString CsvSaveFilter;
    static const QString CsvOpenFilter;

    // port() gives the selected port, saved with every clone file.
    FileMenu(DataSet& data, RadioFacade& radio, std::function<int()> port,
             QObject* parent = nullptr);

    // Where messages and file dialogs go; none: not shown.
    void setDialogs(UserDialogs* dialogs) { dialogs_ = dialogs; }
    // The window's progress bar, for the CSV commands.
    void setProgress(std::function<void(int value, int maximum)> progress) {
        progress_ = std::move(progress);
    }
    // Asked before Open and Import replace data: false leaves everything as
    // it was (the unsaved-changes question).
    void setConfirmDiscard(std::function<bool()> confirm) { confirm_ = std::move(confirm); }
    // The menu items, each connected through the radio facade's idle gate.
    void attach(QAction* open, QAction* save, QAction* import, QAction* exportCsv);

    // "caption|pattern|..." as a Qt file dialog takes it: "caption (pattern);;...".
    static QString dialogFilter(const QString& pairs);
    // The folder the file dialogs start in: the program's own, or the
    // user's documents folder for an installed program.
    static QString initialFolder();

public slots:
    // True once the file is written.
    bool save();
    void open();
    // Opens the clone file at path as Open does after its dialog (a file
    // given on the command line).
    void openPath(const QString& path);
    void importCsv();
    void exportCsv();
    // Writes the whole clone text to the configuration file; a failure is
    // shown.
    void writeConfiguration(const QString& path);

signals:
    // The data set now equals a file: a clone file was saved or opened.
    void saved();
    void opened();

private:
    void show(const FileOutcome& outcome);
    void setProgressBar(int value, int maximum);

    DataSet& data_;
    RadioFacade& radio_;
    clone::DataSetSections sections_;
    UserDialogs* dialogs_ = nullptr;
    std::function<void(int, int)> progress_;
    std::function<bool()> confirm_;
};

} // namespace rz

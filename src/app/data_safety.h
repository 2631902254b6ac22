#pragma once
// What keeps the user's edits safe around the main window: the edit history
// with the Undo and Redo items, the "Save changes?" question before the
// commands that would replace unsaved changes, the automatic backups around
// reads and writes, and the recovery file with its offer at start.
#include "app/recovery_keeper.h"
#include "files/backup_folder.h"
#include "gui/edit_history.h"

#include <QObject>
#include <functional>
#include <memory>

class QAction;

namespace rz {

class Operation;
class RadioFacade;
class UserDialogs;
struct Outcome;

class DataSafety : public QObject {
    Q_OBJECT
public:
    struct Places {
        QString backupFolder;   // empty: no backups
        QString recoveryFolder; // empty: no recovery file
        RecoveryKeeper::Clock clock;
    };

    DataSafety(DataSet& data, RadioFacade& radio, const Places& places, QObject* parent = nullptr);
    ~DataSafety() override;

    EditHistory& history() { return history_; }
    RecoveryKeeper* recovery() { return recovery_.get(); }
    QString backupFolder() const { return places_.backupFolder; }

    void setDialogs(UserDialogs* dialogs) { dialogs_ = dialogs; }
    // The File menu's Save: true once the file is written.
    void setSave(std::function<bool()> save) { save_ = std::move(save); }
    void setPort(std::function<int()> port) { port_ = std::move(port); }
    // One line in the window's status area.
    void setStatus(std::function<void(const QString&)> status) { status_ = std::move(status); }

    // The Edit menu's items, captioned after the step they undo or redo.
    QAction* undoAction() const { return undo_; }
    QAction* redoAction() const { return redo_; }

    // Before a command that replaces the data set: with unsaved changes asks
    // "Save changes?" (Save / Discard / Cancel). True: go on (saved or
    // discarded); false: the user cancelled, or the save did not happen.
    bool confirmDiscard();

    // Before a write that replaces every channel of the receiver: when
    // nothing has been read, opened, imported or edited since the start,
    // asks whether the start-up data is really meant (Write / Cancel).
    // True: go on.
    bool confirmStartUpWrite();
    // A file was opened: its data is no start-up data, even when it is the same.
    void noteOpened() { loaded_ = true; }

    // Saves the data set into the backup folder; a failure is one status line.
    void backUp(backup::Kind kind, bool withFont);
    // The File menu's item: shows the backup folder in the file manager, or
    // its path in a message when there is none to show it.
    void openBackupFolder();
    // How a folder is shown (the desktop's file manager); tests put in their own.
    void setFolderOpener(std::function<bool(const QString&)> open) {
        openFolder_ = std::move(open);
    }

    // At start: offers each recovery file left by a program that did not end
    // cleanly (Restore / Discard).
    void offerRecovery();
    // A clean exit: the recovery file goes.
    void finish();

    // Read all (a sequence of operations and windows): one step, with the
    // question before and a backup with the font after a success.
    bool readAllStarting();
    void readAllFinished(bool success);
    // Write all: a backup of what is written.
    void writeAllStarting() { backUp(backup::Kind::Write, true); }

private:
    bool guardStart(const Operation& operation);
    void operationFinished(const Outcome& outcome);
    void updateActions();
    void status(const QString& line);
    bool keepDiscarded(const QString& path);

    DataSet& data_;
    RadioFacade& radio_;
    Places places_;
    EditHistory history_;
    std::unique_ptr<RecoveryKeeper> recovery_;
    UserDialogs* dialogs_ = nullptr;
    std::function<bool()> save_;
    std::function<int()> port_;
    std::function<void(const QString&)> status_;
    std::function<bool(const QString&)> openFolder_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    bool memoryRead_ = false; // the running operation is "Memory Read"
    bool loaded_ = false;     // something was read or opened since the start
};

} // namespace rz

#pragma once
// Undo and redo of the whole data set. Every model's change is noticed; the
// changes of one user action (everything up to the next turn of the event
// loop), of one radio operation, or of one bulk command (open, import, read
// all) become one step, which holds the data set before and after it. The
// stack's clean state is the last open, save or read.
#include "model/data_set_snapshot.h"

#include <QObject>
#include <QUndoStack>
#include <memory>

namespace rz {

class EditHistory : public QObject {
    Q_OBJECT
public:
    // A step holds a whole data set (about 0.5 MB); neighbours share theirs.
    static constexpr int StepLimit = 50;

    explicit EditHistory(DataSet& data, QObject* parent = nullptr);

    QUndoStack& stack() { return stack_; }

    // Forgets every step: the data set as it is now is the start.
    void restart();
    // The name of the step recorded next ("Clear rows 5–9"); without one a
    // step is named after the areas it changed.
    void announce(const QString& name);
    // Everything from here to the matching endBulk() is one step, named
    // `name` unless announced; undo and redo are refused meanwhile.
    void beginBulk(const QString& name = QString());
    // The same for a radio operation: its step is named after what it read.
    void beginRead();
    void endBulk();
    bool inBulk() const { return bulkDepth_ > 0; }

    // Records what has changed since the last step now.
    void commit();
    // Undo and redo; false, doing nothing, while a bulk change runs or when
    // there is nothing to undo or redo.
    bool undo();
    bool redo();

    // The data set differs from the last open, save or read.
    bool isModified() const { return !stack_.isClean() || changed_; }
    // The data set as it is now is the saved one.
    void setClean();

signals:
    // A step was recorded or undone or redone; bulk: a bulk step was recorded.
    void stepped(bool bulk);
    void modifiedChanged(bool modified);

private:
    class Step;
    void noticeChange();
    void scheduleCommit();
    bool record(); // true when a step was recorded
    QString stepName(int areas) const;
    static QString readName(int areas);

    DataSet& data_;
    QUndoStack stack_;
    std::shared_ptr<const DataSetSnapshot> base_; // the data set after the newest step
    QString announced_;
    QString bulkName_;
    int bulkDepth_ = 0;
    bool read_ = false;      // the bulk step is a radio operation's
    bool scheduled_ = false; // a commit waits for the next turn of the loop
    bool changed_ = false;   // a change not yet recorded
    bool restoring_ = false; // undo or redo puts a snapshot back
};

} // namespace rz

#include "gui/edit_history.h"

#include <QTimer>

namespace rz {

// One recorded step. Pushing it does not change the data set (the change
// has happened already); undo and redo put the snapshots back.
class EditHistory::Step : public QUndoCommand {
public:
    using Shared = std::shared_ptr<const DataSetSnapshot>;
    Step(EditHistory& history, Shared before, Shared after, const QString& name)
        : QUndoCommand(name), history_(history), before_(std::move(before)),
          after_(std::move(after)) {}

    void undo() override { put(before_); }
    void redo() override {
        if (first_)
            first_ = false;
        else
            put(after_);
    }

private:
    void put(const Shared& snapshot) {
        history_.restoring_ = true;
        snapshot->restore(history_.data_);
        history_.restoring_ = false;
        history_.base_ = snapshot;
    }

    EditHistory& history_;
    Shared before_, after_;
    bool first_ = true;
};

EditHistory::EditHistory(DataSet& data, QObject* parent)
    : QObject(parent), data_(data),
      base_(std::make_shared<const DataSetSnapshot>(DataSetSnapshot::take(data))) {
    stack_.setUndoLimit(StepLimit);
    const auto notice = [this] { noticeChange(); };
    connect(&data.channels, &ChannelTable::rowsChanged, this, notice);
    connect(&data.channels, &ChannelTable::labelsChanged, this, notice);
    connect(&data.banks, &BankLayout::changed, this, notice);
    connect(&data.oneTouch, &OneTouchMemories::changed, this, notice);
    connect(&data.bankLinks, &BankLinkTable::changed, this, notice);
    connect(&data.settings, &SettingsImage::changed, this, notice);
    connect(&data.font, &FontStore::changed, this, notice);
    connect(&data.steps, &EditSteps::announced, this, &EditHistory::announce);
    connect(&stack_, &QUndoStack::cleanChanged, this,
            [this] { emit modifiedChanged(isModified()); });
}

void EditHistory::restart() {
    stack_.clear();
    base_ = std::make_shared<const DataSetSnapshot>(DataSetSnapshot::take(data_));
    announced_.clear();
    scheduled_ = false;
    changed_ = false;
    emit modifiedChanged(false);
}

void EditHistory::announce(const QString& name) {
    announced_ = name;
    if (bulkDepth_ == 0)
        scheduleCommit(); // an announcement lasts for this action only
}

void EditHistory::noticeChange() {
    if (restoring_ || bulkDepth_ > 0)
        return;
    scheduleCommit();
    if (!changed_) {
        changed_ = true;
        emit modifiedChanged(true);
    }
}

void EditHistory::scheduleCommit() {
    if (scheduled_)
        return;
    // The rest of the user's action (a change the program makes because of
    // it) still belongs to this step.
    scheduled_ = true;
    QTimer::singleShot(0, this, [this] {
        if (scheduled_)
            commit();
    });
}

void EditHistory::beginBulk(const QString& name) {
    if (bulkDepth_++ == 0) {
        commit(); // what the user did before is a step of its own
        bulkName_ = name;
    }
}

void EditHistory::beginRead() {
    beginBulk();
    if (bulkDepth_ == 1)
        read_ = true;
}

void EditHistory::endBulk() {
    if (bulkDepth_ == 0 || --bulkDepth_ > 0)
        return;
    const bool recorded = record();
    bulkName_.clear();
    read_ = false;
    if (recorded)
        emit stepped(true);
}

void EditHistory::commit() {
    if (record())
        emit stepped(false);
}

bool EditHistory::record() {
    const bool wasChanged = changed_;
    scheduled_ = false;
    changed_ = false;
    auto now = std::make_shared<const DataSetSnapshot>(DataSetSnapshot::take(data_));
    const int areas = base_->differences(*now);
    if (areas == 0) {
        announced_.clear();
        if (wasChanged)
            emit modifiedChanged(isModified());
        return false;
    }
    const QString name = stepName(areas);
    announced_.clear();
    auto before = std::move(base_);
    base_ = now;
    stack_.push(new Step(*this, std::move(before), std::move(now), name));
    emit modifiedChanged(isModified());
    return true;
}

QString EditHistory::stepName(int areas) const {
    if (!announced_.isEmpty())
        return announced_;
    if (!bulkName_.isEmpty())
        return bulkName_;
    if (read_)
        return readName(areas);
    switch (areas) {
    case DataSetSnapshot::Channels:
        return tr("Edit channels");
    case DataSetSnapshot::Banks:
    case DataSetSnapshot::Banks | DataSetSnapshot::Channels: // the row labels follow
        return tr("Bank sizes");
    case DataSetSnapshot::OneTouch:
        return tr("One-touch keys");
    case DataSetSnapshot::BankLinks:
        return tr("Bank links");
    case DataSetSnapshot::Settings:
        return tr("Settings");
    case DataSetSnapshot::Font:
        return tr("Font");
    default:
        return tr("Edit");
    }
}

QString EditHistory::readName(int areas) {
    switch (areas & ~DataSetSnapshot::Channels) {
    case 0:
        return tr("Read channels");
    case DataSetSnapshot::Banks:
        return tr("Read banks");
    case DataSetSnapshot::OneTouch:
        return tr("Read one-touch keys");
    case DataSetSnapshot::BankLinks:
        return tr("Read bank links");
    case DataSetSnapshot::Settings:
        return tr("Read settings");
    case DataSetSnapshot::Font:
        return tr("Read font");
    default:
        return tr("Read from the receiver");
    }
}

bool EditHistory::undo() {
    if (bulkDepth_ > 0)
        return false;
    commit();
    if (!stack_.canUndo())
        return false;
    stack_.undo();
    emit modifiedChanged(isModified());
    emit stepped(false);
    return true;
}

bool EditHistory::redo() {
    if (bulkDepth_ > 0)
        return false;
    commit();
    if (!stack_.canRedo())
        return false;
    stack_.redo();
    emit modifiedChanged(isModified());
    emit stepped(false);
    return true;
}

void EditHistory::setClean() {
    commit();
    stack_.setClean();
    emit modifiedChanged(isModified());
}

} // namespace rz

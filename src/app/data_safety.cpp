#include "app/data_safety.h"

#include "app/product.h"
#include "gui/radio_facade.h"
#include "gui/user_dialogs.h"
#include "transfer/memory_transfer.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

namespace rz {

namespace {
// A step name shown in a menu caption: "&" is no access key there.
QString caption(const QString& verb, const QString& step) {
    QString escaped = step;
    escaped.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return step.isEmpty() ? verb : verb + QLatin1Char(' ') + escaped;
}
} // namespace

DataSafety::DataSafety(DataSet& data, RadioFacade& radio, const Places& places, QObject* parent)
    : QObject(parent), data_(data), radio_(radio), places_(places), history_(data) {
    if (!places.recoveryFolder.isEmpty())
        recovery_ =
            std::make_unique<RecoveryKeeper>(data, history_, places.recoveryFolder, places.clock);
    radio.setStartGuard([this](const Operation& op) { return guardStart(op); });
    // One step per operation: what it changes is recorded when it ends.
    connect(&radio, &RadioFacade::started, this, [this] {
        history_.beginRead();
        updateActions();
    });
    connect(&radio, &RadioFacade::finished, this, &DataSafety::operationFinished);

    undo_ = new QAction(tr("&Undo"), this);
    undo_->setObjectName(QStringLiteral("EditUndo"));
    undo_->setShortcut(QKeySequence::Undo);
    redo_ = new QAction(tr("&Redo"), this);
    redo_->setObjectName(QStringLiteral("EditRedo"));
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(undo_, &QAction::triggered, this, [this] { history_.undo(); });
    connect(redo_, &QAction::triggered, this, [this] { history_.redo(); });
    QUndoStack& stack = history_.stack();
    connect(&stack, &QUndoStack::indexChanged, this, &DataSafety::updateActions);
    connect(&stack, &QUndoStack::undoTextChanged, this, &DataSafety::updateActions);
    connect(&stack, &QUndoStack::redoTextChanged, this, &DataSafety::updateActions);
    updateActions();
}

DataSafety::~DataSafety() {
    radio_.setStartGuard({});
}

void DataSafety::updateActions() {
    const QUndoStack& stack = history_.stack();
    const bool idle = !history_.inBulk();
    undo_->setText(caption(tr("&Undo"), stack.undoText()));
    redo_->setText(caption(tr("&Redo"), stack.redoText()));
    undo_->setEnabled(idle && stack.canUndo());
    redo_->setEnabled(idle && stack.canRedo());
}

bool DataSafety::confirmDiscard() {
    history_.commit();
    if (!history_.isModified() || !dialogs_)
        return true;
    const QStringList buttons{tr("Save"), tr("Discard"), tr("Cancel")};
    switch (dialogs_->choose(tr("Save changes?"), product::name(), buttons)) {
    case 0:
        return save_ && save_();
    case 1:
        return true;
    default:
        return false;
    }
}

bool DataSafety::confirmStartUpWrite() {
    history_.commit();
    const bool untouched = !loaded_ && history_.stack().count() == 0 && !history_.isModified();
    if (!untouched || !dialogs_)
        return true;
    return dialogs_->choose(tr("Nothing has been read or opened: write the start-up data to the "
                               "receiver? Its channels will be erased."),
                            product::name(), {tr("Write"), tr("Cancel")}, 1) == 0;
}

bool DataSafety::guardStart(const Operation& operation) {
    if (history_.inBulk()) // a step of Read all or Write all: asked and saved before
        return true;
    if (dynamic_cast<const MemoryRead*>(&operation)) {
        if (!confirmDiscard())
            return false;
        memoryRead_ = true;
    } else if (dynamic_cast<const MemoryWrite*>(&operation)) {
        if (!confirmStartUpWrite())
            return false;
        backUp(backup::Kind::Write, false);
    }
    return true;
}

void DataSafety::operationFinished(const Outcome& outcome) {
    const bool read = std::exchange(memoryRead_, false);
    history_.endBulk();
    if (read && outcome.kind == Outcome::Success) {
        loaded_ = true;
        history_.setClean();
        backUp(backup::Kind::Read, false);
    }
    updateActions();
}

bool DataSafety::readAllStarting() {
    if (!confirmDiscard())
        return false;
    history_.beginBulk(tr("Read all"));
    updateActions();
    return true;
}

void DataSafety::readAllFinished(bool success) {
    history_.endBulk();
    if (success) {
        loaded_ = true;
        history_.setClean();
        backUp(backup::Kind::Read, true);
    }
    updateActions();
}

void DataSafety::backUp(backup::Kind kind, bool withFont) {
    if (places_.backupFolder.isEmpty())
        return;
    const backup::Result result =
        backup::save(places_.backupFolder, data_, port_ ? port_() : 1, kind, withFont);
    status(result.summary());
}

void DataSafety::openBackupFolder() {
    if (places_.backupFolder.isEmpty())
        return;
    QDir().mkpath(places_.backupFolder);
    const bool shown = openFolder_
                           ? openFolder_(places_.backupFolder)
                           : QDesktopServices::openUrl(QUrl::fromLocalFile(places_.backupFolder));
    if (!shown && dialogs_)
        dialogs_->message(tr("The backups are kept in this folder:"), product::name(),
                          QDir::toNativeSeparators(places_.backupFolder));
}

void DataSafety::offerRecovery() {
    if (!recovery_ || !dialogs_)
        return;
    for (const QString& path : recovery_->store().orphans()) {
        const int answer = dialogs_->choose(
            tr("The program did not end normally, and its unsaved changes were kept. "
               "Restore them?"),
            product::name(), {tr("Restore"), tr("Discard")});
        if (answer == 0) {
            QString error;
            const std::optional<DataSetSnapshot> kept = recovery::read(path, &error);
            if (!kept) {
                dialogs_->message(tr("The kept changes could not be read."),
                                  QStringLiteral("Error"), path + QStringLiteral(": ") + error);
                QFile::rename(path, path + QStringLiteral(".damaged"));
                continue;
            }
            history_.beginBulk(tr("Restore kept changes"));
            kept->restore(data_);
            history_.endBulk();
        } else if (!keepDiscarded(path)) {
            // Never offered again, and never lost.
            QFile::rename(path, path + QStringLiteral(".discarded"));
        }
        recovery::Store::discard(path);
    }
}

// Work the user chose not to restore may still be missed: it goes into the
// backup folder as a clone file and a font file.
bool DataSafety::keepDiscarded(const QString& path) {
    const std::optional<DataSetSnapshot> kept = recovery::read(path);
    if (!kept || places_.backupFolder.isEmpty())
        return false;
    DataSet discarded;
    kept->restore(discarded);
    const backup::Result result = backup::save(places_.backupFolder, discarded, port_ ? port_() : 1,
                                               backup::Kind::Discarded, true);
    status(result.summary());
    return result.ok;
}

void DataSafety::finish() {
    if (recovery_)
        recovery_->finish();
}

void DataSafety::status(const QString& line) {
    if (status_)
        status_(line);
}

} // namespace rz

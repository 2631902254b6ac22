#include "files/ui/file_menu.h"

#include "files/config_file.h"
#include "files/csv_file.h"
#include "gui/radio_facade.h"
#include "gui/user_dialogs.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>

namespace rz {

const QString FileMenu::CloneSaveFilter =
    QStringLiteral("RZ-V70ファイル(*.V70)|*.V70|すべてのファイル(*.*)|*.*|");
const QString FileMenu::CloneOpenFilter =
    QStringLiteral("V70|*.V70|V70 Files (*.V70)|*.V70|All Files (*.*)|*.*");
const QString FileMenu::CsvSaveFilter =
    QStringLiteral("CSVファイル(*.CSV)|*.CSV|すべてのファイル(*.*)|*.*|");
const QString FileMenu::CsvOpenFilter =
    QStringLiteral("CSV|*.CSV|CSV Files (*.CSV)|*.CSV|All Files (*.*)|*.*");

FileMenu::FileMenu(DataSet& data, RadioFacade& radio, std::function<int()> port, QObject* parent)
    : QObject(parent), data_(data), radio_(radio), sections_(data, std::move(port)) {}

void FileMenu::attach(QAction* open, QAction* save, QAction* import, QAction* exportCsv) {
    connect(open, &QAction::triggered, this, radio_.whenIdle([this] { this->open(); }));
    connect(save, &QAction::triggered, this, radio_.whenIdle([this] { this->save(); }));
    connect(import, &QAction::triggered, this, radio_.whenIdle([this] { importCsv(); }));
    connect(exportCsv, &QAction::triggered, this, radio_.whenIdle([this] { this->exportCsv(); }));
}

QString FileMenu::dialogFilter(const QString& pairs) {
    const QStringList parts = pairs.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString pattern = QLatin1Char('(') + parts.at(i + 1) + QLatin1Char(')');
        // A caption that names its pattern already is shown as it is.
        filters << (parts.at(i).endsWith(pattern) ? parts.at(i)
                                                  : parts.at(i) + QLatin1Char(' ') + pattern);
    }
    return filters.join(QStringLiteral(";;"));
}

QString FileMenu::initialFolder() {
    return config::startFolder();
}

bool FileMenu::save() {
    if (!dialogs_)
        return false;
    const QString path = askSavePath(*dialogs_, dialogFilter(CloneSaveFilter), initialFolder(),
                                     QStringLiteral(".V70"));
    if (path.isEmpty())
        return false;
    const FileOutcome outcome = sections_.save(path);
    show(outcome);
    if (outcome.ok)
        emit saved();
    return outcome.ok;
}

void FileMenu::open() {
    if (!dialogs_ || (confirm_ && !confirm_()))
        return;
    const QString path =
        dialogs_->openFileName(QString(), dialogFilter(CloneOpenFilter), initialFolder());
    if (!path.isEmpty())
        openPath(path);
}

void FileMenu::openPath(const QString& path) {
    data_.steps.announce(tr("Open %1").arg(QFileInfo(path).fileName()));
    const FileOutcome outcome = sections_.open(path);
    show(outcome);
    if (outcome.ok)
        emit opened();
}

void FileMenu::exportCsv() {
    if (!dialogs_)
        return;
    const QString path = askSavePath(*dialogs_, dialogFilter(CsvSaveFilter), initialFolder(),
                                     QStringLiteral(".CSV"));
    if (path.isEmpty())
        return;
    const FileOutcome outcome = csv::exportFile(
        path, data_.channels, [this](int value, int maximum) { setProgressBar(value, maximum); });
    show(outcome);
    setProgressBar(0, csv::ProgressMaximum);
}

void FileMenu::importCsv() {
    if (!dialogs_ || (confirm_ && !confirm_()))
        return;
    const QString path =
        dialogs_->openFileName(QString(), dialogFilter(CsvOpenFilter), initialFolder());
    if (path.isEmpty())
        return;
    data_.steps.announce(tr("Import %1").arg(QFileInfo(path).fileName()));
    const FileOutcome outcome = csv::importFile(
        path, data_.channels, [this](int value, int maximum) { setProgressBar(value, maximum); });
    show(outcome);
    setProgressBar(0, csv::ProgressMaximum);
}

void FileMenu::writeConfiguration(const QString& path) {
    FileOutcome outcome = config::write(path, sections_.sections());
    if (!outcome.ok) {
        outcome.reason = path + QStringLiteral(": ") + outcome.reason;
        show(outcome);
    }
}

namespace {

// What a successful open or import skipped or changed on the way, so that a
// line left out of the data is never left out silently.
QString noticeLines(const QList<FileNotice>& notices) {
    constexpr int Shown = 10;
    QStringList lines;
    for (int i = 0; i < notices.size() && i < Shown; ++i)
        lines << QStringLiteral("Line %1: %2").arg(notices[i].line).arg(notices[i].text);
    if (notices.size() > Shown)
        lines << QStringLiteral("... and %1 more").arg(notices.size() - Shown);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

void FileMenu::show(const FileOutcome& outcome) {
    if (!dialogs_)
        return;
    if (outcome.ok) {
        dialogs_->message(outcome.message, outcome.title, noticeLines(outcome.notices));
        return;
    }
    const bool told = outcome.reason.isEmpty() || outcome.message.contains(outcome.reason);
    dialogs_->message(outcome.message, outcome.title, told ? QString() : outcome.reason);
}

void FileMenu::setProgressBar(int value, int maximum) {
    if (progress_)
        progress_(value, maximum);
}

} // namespace rz

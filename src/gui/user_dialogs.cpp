#include "gui/user_dialogs.h"

#include "files/text_lines.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace rz {

std::unique_ptr<QMessageBox> QtUserDialogs::messageBox(const QString& text, const QString& title,
                                                       const QString& detail) const {
    // A failure must not look like information.
    const bool failure = title.trimmed() == QLatin1String("Error");
    auto box =
        std::make_unique<QMessageBox>(failure ? QMessageBox::Warning : QMessageBox::Information,
                                      title, text, QMessageBox::Ok, parent_);
    box->setInformativeText(detail);
    return box;
}

void QtUserDialogs::message(const QString& text, const QString& title, const QString& detail) {
    messageBox(text, title, detail)->exec();
}

bool QtUserDialogs::askOkCancel(const QString& text, const QString& title) {
    return QMessageBox::question(parent_, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok) == QMessageBox::Ok;
}

int QtUserDialogs::choose(const QString& text, const QString& title, const QStringList& buttons,
                          int defaultButton) {
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, parent_);
    QList<QAbstractButton*> added;
    for (int i = 0; i < buttons.size(); ++i) {
        const bool wayOut = i == buttons.size() - 1;
        added << box.addButton(buttons.at(i),
                               wayOut ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    }
    if (!added.isEmpty()) {
        box.setDefaultButton(qobject_cast<QPushButton*>(added.value(defaultButton, added.first())));
        box.setEscapeButton(added.last());
    }
    box.exec();
    const int chosen = int(added.indexOf(box.clickedButton()));
    return chosen < 0 ? int(buttons.size()) - 1 : chosen;
}

QString QtUserDialogs::openFileName(const QString& title, const QString& filter,
                                    const QString& folder) {
    return QFileDialog::getOpenFileName(parent_, title, folder, filter);
}

QString QtUserDialogs::saveFileName(const QString& title, const QString& filter,
                                    const QString& folder) {
    // The file dialog asks before overwriting.
    return QFileDialog::getSaveFileName(parent_, title, folder, filter);
}

QString askSavePath(UserDialogs& dialogs, const QString& filter, const QString& folder,
                    const QString& extension, const QString& title) {
    const QString typed = dialogs.saveFileName(title, filter, folder);
    const QString path = textfile::withExtension(typed, extension);
    if (path != typed && QFileInfo::exists(path) &&
        !dialogs.askOkCancel(QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                 .arg(QFileInfo(path).fileName()),
                             QStringLiteral("Save File")))
        return QString();
    return path;
}

} // namespace rz

#include "app/user_dialogs.h"
#include <QFileDialog>
#include <QMessageBox>

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

QString QtUserDialogs::openFileName(const QString& title, const QString& filter,
                                    const QString& folder) {
    return QFileDialog::getOpenFileName(parent_, title, folder, filter);
}

QString QtUserDialogs::saveFileName(const QString& title, const QString& filter,
                                    const QString& folder) {
    // The file dialog asks before overwriting.
    return QFileDialog::getSaveFileName(parent_, title, folder, filter);
}

} // namespace rz

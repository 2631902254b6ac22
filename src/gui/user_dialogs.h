#pragma once
// Every message box, question and file dialog of the program goes through
// this interface, so that a test can record and answer them instead of
// waiting on a modal box.
#include <QString>
#include <QStringList>
#include <memory>

class QMessageBox;
class QWidget;

namespace rz {

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // A message with an OK button; the detail, when given, is a second line
    // under the text (a port error names the device and the cause there).
    virtual void message(const QString& text, const QString& title,
                         const QString& detail = QString()) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool askOkCancel(const QString& text, const QString& title) = 0;
    // A question with buttons of its own ("Save", "Discard", "Cancel"): the
    // index of the one pressed; the last (the way out) when the box is
    // closed otherwise. Enter presses the default button (the first unless
    // given: the way out where the first would destroy something).
    virtual int choose(const QString& text, const QString& title, const QStringList& buttons,
                       int defaultButton = 0) = 0;
    // File choosers; an empty path when the user cancels.
    virtual QString openFileName(const QString& title, const QString& filter,
                                 const QString& folder) = 0;
    virtual QString saveFileName(const QString& title, const QString& filter,
                                 const QString& folder) = 0;
};

// The save dialog's answer with the extension (".V70") added when the typed
// name has none; a file of that name is replaced only when the user says so
// (the dialog asked about the name typed). Empty when cancelled.
QString askSavePath(UserDialogs& dialogs, const QString& filter, const QString& folder,
                    const QString& extension, const QString& title = QString());

// The real boxes, parented to a window.
class QtUserDialogs : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget* parent) : parent_(parent) {}
    // The box message() shows: the text, the title, an OK button, and the
    // warning icon when it reports a failure (every failure of the program
    // is titled "Error", with or without its leading blank), the
    // information icon otherwise.
    std::unique_ptr<QMessageBox> messageBox(const QString& text, const QString& title,
                                            const QString& detail = QString()) const;
    void message(const QString& text, const QString& title,
                 const QString& detail = QString()) override;
    bool askOkCancel(const QString& text, const QString& title) override;
    int choose(const QString& text, const QString& title, const QStringList& buttons,
               int defaultButton = 0) override;
    QString openFileName(const QString& title, const QString& filter,
                         const QString& folder) override;
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& folder) override;

private:
    QWidget* parent_;
};

} // namespace rz

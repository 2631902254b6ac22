#pragma once
// What a file command reports: success or failure with the text and title the
// user sees, the line that failed and why, and the lines that were skipped or
// changed on the way without failing the command.
#include <QList>
#include <QString>

namespace rz {

struct FileNotice {
    int line = 0; // 1-based line of the file
    QString text;
};

struct FileOutcome {
    bool ok = false;
    QString message; // the message box text
    QString title;   // the message box title
    int line = 0;    // the line that failed, 0 when the failure is not about one line
    QString reason;  // why it failed
    QList<FileNotice> notices;

    static FileOutcome success(const QString& message, const QString& title) {
        FileOutcome o;
        o.ok = true;
        o.message = message;
        o.title = title;
        return o;
    }
    static FileOutcome failure(const QString& message, const QString& title, int line,
                               const QString& reason) {
        FileOutcome o;
        o.message = message;
        o.title = title;
        o.line = line;
        o.reason = reason;
        return o;
    }
};

} // namespace rz

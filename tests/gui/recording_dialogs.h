#pragma once
// Message boxes and questions for widget tests: each is recorded and
// answered at once, so no test waits on a modal box.
#include "gui/user_dialogs.h"
#include <QStringList>
#include <functional>

namespace rz {

class RecordingDialogs : public UserDialogs {
public:
    struct Asked {
        QString text, title, detail;
    };
    struct FileAsked {
        bool save;
        QString title, filter, folder;
    };
    QList<Asked> messages, questions, choices;
    QList<FileAsked> fileDialogs;
    bool answerOk = true;
    QString chosenPath;
    // The button choose() presses, by caption; the last one when it has none.
    QString chosenButton = QStringLiteral("Discard");
    // Called after each message or choice is recorded, while it would be up.
    std::function<void(const QString& text)> onMessage;
    std::function<void(const QString& text)> onChoice;

    void message(const QString& text, const QString& title,
                 const QString& detail = QString()) override {
        messages.append({text, title, detail});
        if (onMessage)
            onMessage(text);
    }
    bool askOkCancel(const QString& text, const QString& title) override {
        questions.append({text, title, QString()});
        return answerOk;
    }
    int choose(const QString& text, const QString& title, const QStringList& buttons,
               int defaultButton = 0) override {
        // The buttons, the default one marked: "Save/Discard/Cancel", "Write/[Cancel]".
        QStringList shown = buttons;
        if (defaultButton > 0 && defaultButton < shown.size())
            shown[defaultButton] = QLatin1Char('[') + shown[defaultButton] + QLatin1Char(']');
        choices.append({text, title, shown.join(QLatin1Char('/'))});
        if (onChoice)
            onChoice(text);
        const int at = int(buttons.indexOf(chosenButton));
        return at < 0 ? int(buttons.size()) - 1 : at;
    }
    QString openFileName(const QString& title, const QString& filter,
                         const QString& folder) override {
        fileDialogs.append({false, title, filter, folder});
        return chosenPath;
    }
    QString saveFileName(const QString& title, const QString& filter,
                         const QString& folder) override {
        fileDialogs.append({true, title, filter, folder});
        return chosenPath;
    }
};

} // namespace rz

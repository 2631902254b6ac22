// The real message box: fixed text and title, an OK button, and a failure
// never shown with the information icon.
#include "app/user_dialogs.h"

#include <QMessageBox>
#include <QtTest>

using namespace rz;

class TestUserDialogs : public QObject {
    Q_OBJECT
private slots:
    void failuresWarnTheRestInform() {
        QtUserDialogs dialogs(nullptr);
        const char* const cases[][3] = {{"Error", " Error", "w"},
                                        {"Port Error", " Error", "w"},
                                        {"Read failed", "Error", "w"},
                                        {"Success", " Finish", "i"},
                                        {"Save File", "Finish", "i"}};
        for (const auto& [text, title, kind] : cases) {
            const auto box = dialogs.messageBox(text, title, "detail");
            QCOMPARE(box->text(), QLatin1String(text));
            QCOMPARE(box->windowTitle(), QLatin1String(title));
            QCOMPARE(box->informativeText(), QStringLiteral("detail"));
            QCOMPARE(box->standardButtons(), QMessageBox::Ok);
            QCOMPARE(box->icon(), *kind == 'w' ? QMessageBox::Warning : QMessageBox::Information);
        }
    }
};

QTEST_MAIN(TestUserDialogs)
#include "tst_user_dialogs.moc"

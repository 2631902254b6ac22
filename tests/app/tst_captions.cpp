// Every caption and list entry of every window is shown whole, in both
// vocabularies of the settings, at the platform's default font: each label,
// button, check box, option and closed list is at least as wide as its text.
#include "app/sim_window.h"
#include "app/splash_screen.h"
#include "memory/ui/channel_grid.h"
#include "memory/ui/memory_page.h"
#include "settings/settings_lists.h"
#include "support/radio_support.h" // links the simulator

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QtTest>

using namespace rz;

namespace {

int textWidth(const QWidget* w, const QString& text) {
    return w->fontMetrics().horizontalAdvance(text);
}

// A button's text in its contents, a check box's or option's beside its
// indicator.
bool buttonFits(QAbstractButton* b) {
    QStyleOptionButton option;
    option.initFrom(b);
    const QStyle::SubElement contents = qobject_cast<QCheckBox*>(b) ? QStyle::SE_CheckBoxContents
                                        : qobject_cast<QRadioButton*>(b)
                                            ? QStyle::SE_RadioButtonContents
                                            : QStyle::SE_PushButtonContents;
    return textWidth(b, b->text()) <= b->style()->subElementRect(contents, &option, b).width();
}

// The part of a closed list that shows the chosen entry.
int entryRoom(QComboBox* c) {
    QStyleOptionComboBox option;
    option.initFrom(c);
    option.editable = c->isEditable();
    option.frame = c->hasFrame();
    const QRect field =
        c->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, c);
    return field.width() - 2;
}

QString where(const QWidget* w, const QString& text) {
    return QStringLiteral("%1 \"%2\" (%3 px for %4)")
        .arg(w->objectName(), text)
        .arg(w->width())
        .arg(textWidth(w, text));
}

// Texts that the widgets under `root` do not show whole.
QStringList cutTexts(QWidget* root) {
    QStringList cut;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty() && !label->wordWrap() &&
                label->textFormat() != Qt::RichText && label->sizeHint().width() > label->width())
                cut << where(w, label->text());
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (!button->text().isEmpty() && !buttonFits(button))
                cut << where(w, button->text());
        } else if (auto* list = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < list->count(); ++i)
                if (textWidth(list, list->itemText(i)) > entryRoom(list))
                    cut << where(w, list->itemText(i));
        } else if (auto* grid = qobject_cast<QTableWidget*>(w)) {
            const int margin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
            for (int r = 0; r < grid->rowCount(); ++r)
                for (int c = 0; c < grid->columnCount(); ++c)
                    if (const QTableWidgetItem* item = grid->item(r, c))
                        if (!item->text().isEmpty() &&
                            textWidth(grid, item->text()) + margin > grid->columnWidth(c))
                            cut << where(w, item->text());
        }
    }
    return cut;
}

struct Window : test::SimWindow {
    QStringList cut;
    QStringList seen; // the windows looked at

    Window() {
        // Each dialog is looked at while it is up, then closed.
        w->setDialogRunner([this](QDialog& dialog) {
            dialog.show();
            QCoreApplication::processEvents();
            look(&dialog);
            dialog.hide();
        });
    }
    void look(QWidget* window) {
        seen << window->objectName();
        for (const QString& text : cutTexts(window))
            cut << window->objectName() + QStringLiteral(": ") + text;
        cut.removeDuplicates();
    }
    void lookAtEveryTab() {
        for (int tab = 1; tab <= MainWindow::TabCount; ++tab) {
            w->switchTab(tab);
            QCoreApplication::processEvents();
            look(w.get());
        }
    }
};

} // namespace

class TestCaptions : public QObject {
    Q_OBJECT
private slots:
    void everyTextOfEveryWindowIsShownWhole() {
        Window win;
        win.lookAtEveryTab();
        win.data.settings.setPosition(settings::LanguageList, 1); // 日本語
        win.lookAtEveryTab();
        win.data.settings.setPosition(settings::LanguageList, 0);

        win.w->switchTab(MainWindow::MemoryTab);
        win.w->grid()->selectRow(1301); // a dual-watch pair: both sets
        win.w->findChild<MemoryPage*>()->openDialog(false);
        win.w->showVersionBox();
        win.w->openFontWindow();
        win.w->switchTab(MainWindow::BankTab);
        win.click("GROUP_SET");
        win.w->findCable();
        SplashScreen splash;
        splash.show();
        win.look(&splash);
        QCOMPARE(win.seen.mid(2 * MainWindow::TabCount).join(' '),
                 QStringLiteral("Form2 Form3 Form4 Form5 FindCable frmSplash"));
        QVERIFY2(win.cut.isEmpty(), qPrintable(win.cut.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestCaptions)
#include "tst_captions.moc"

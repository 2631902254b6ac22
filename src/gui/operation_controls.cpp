#include "gui/operation_controls.h"

#include <QAbstractButton>
#include <QMenu>
#include <QWidget>

namespace rz::controls {
namespace {

// Buttons of every tab, and the Version box's "OK". The Setting frame's
// three buttons are not disabled by anything today; they are here so that
// nothing that disables the window's buttons leaves them off. "Bank Write"
// is not among them: the Bank tab enables it only while the total is 1200.
const char* const Buttons[] = {"WRITE_ONE_TOUCH", "READ_ONE_TOUCH", "COMMON_ONE_TOUCH_RESET",
                               "GROUP_SET",       "Set_Mode_Write", "Set_Mode_Read",
                               "Set_Mode_Clear",  "READ_BANK",      "Bank_Clear",
                               "BANK_UP(0)",      "BANK_UP(1)",     "WRITE_Botton",
                               "READ_Botton",     "MEM_ONE_WRITE",  "MEM_ONE_READ",
                               "LIST_SET(0)",     "LIST_SET(1)",    "Command1",
                               "Clear_Botton",    "ALL_Reset",      "SETTING_RESET",
                               "SETTING_READ",    "SETTING_WRITE"};

// The File, Port, Help and COMM menus.
const char* const Menus[] = {"FILE", "MenuComPort", "MenuHelp", "Tusin_Botton"};

} // namespace

void enableAfterOperation(QWidget* window) {
    for (const char* name : Buttons)
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>(QLatin1String(name)))
            button->setEnabled(true);
    for (const char* name : Menus)
        if (QMenu* menu = window->findChild<QMenu*>(QLatin1String(name)))
            menu->menuAction()->setEnabled(true);
}

void setRegionOptionsEnabled(QWidget* window, bool enabled) {
    for (int i = 0; i < 3; ++i)
        if (auto* option =
                window->findChild<QAbstractButton*>(QStringLiteral("optRegion(%1)").arg(i)))
            option->setEnabled(enabled);
}

} // namespace rz::controls

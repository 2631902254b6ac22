#pragma once
// The Set mode tab's frame A_FRAME(3): the receiver's menu settings in eight
// frames, each list beside its caption, the opening message TITLE_TEXT (at
// most 16 characters the receiver can show), and "Reset", "Read" and
// "Write", which move the opening message too. Every command does nothing
// while a radio operation runs.
#include "settings/settings_lists.h"

#include <QGroupBox>
#include <functional>

class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace rz {

class RadioFacade;
class SettingsListBinding;
struct DataSet;

class SetModePage : public QGroupBox {
    Q_OBJECT
public:
    SetModePage(DataSet& data, RadioFacade& radio, QWidget* parent = nullptr);

    QPushButton* button(const char* objectName) const;
    QLineEdit* titleBox() const { return title_; }

public slots:
    void resetSettings();
    void readSettings();
    void writeSettings();

private:
    QWidget* makeFrame(settings::Group group, QVBoxLayout* column);
    QWidget* makeButtons();
    void makeTitleBox(QWidget* displayFrame);
    void connectCommand(const char* name, std::function<void()> command);

    DataSet& data_;
    RadioFacade& radio_;
    SettingsListBinding* lists_;
    QLineEdit* title_ = nullptr;
};

} // namespace rz

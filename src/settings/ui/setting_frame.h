#pragma once
// The Setting tab's frame "Setting": the seventeen operating settings as
// Label_misc(0..23) / Setting_misc(0..23) (pairs 17 to 23 stay empty) and
// the buttons "Reset", "Read" and "Write", which reset, read and write the
// settings of both tabs. Every command does nothing while a radio
// operation runs.
#include <QGroupBox>
#include <functional>

class QPushButton;

namespace rz {

class RadioFacade;
class SettingsListBinding;
struct DataSet;

class SettingFrame : public QGroupBox {
    Q_OBJECT
public:
    // Twips inside the Setting tab's frame: the left part, leaving the top
    // for the "FONT" button and the right for the one-touch frame.
    static constexpr int Left = 120, Top = 720, Width = 6840, Height = 5300;

    SettingFrame(DataSet& data, RadioFacade& radio, QWidget* parent = nullptr);

    QPushButton* button(const char* objectName) const;

public slots:
    void resetSettings();
    void readSettings();
    void writeSettings();

private:
    void layOut();
    void connectCommand(const char* name, std::function<void()> command);

    DataSet& data_;
    RadioFacade& radio_;
    SettingsListBinding* lists_;
};

} // namespace rz
